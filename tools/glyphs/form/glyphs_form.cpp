#include "glyphs_form.h"

#include "glyph_preview.h"
#include "shell/host/form_host.h"
#include "shell/host/text_file.h"
#include "shell/widgets/look.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/render/glyph_renderer.h"
#include "tools/glyphs/render/picture_glyph.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kMaxCell = 128;
const QColor kBackground = rgb(192, 255, 255);
const QColor kButtonFace = rgb(128, 255, 128);

// The window's choices sit in their own group of the host's settings.
const QString kChoices = QStringLiteral("glyphs/");

QSpinBox* spin_box(const QString& name, const QString& accessible, int low, int high, int value) {
    auto* box = new QSpinBox;
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QComboBox* combo_box(const QString& name, const QString& accessible, const QStringList& items) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    box->addItems(items);
    return box;
}

template <typename Control>
Control* captioned(const QString& name, const QString& caption) {
    auto* control = new Control(caption);
    control->setObjectName(name);
    control->setAccessibleName(caption);
    return control;
}

QString default_family() {
    const QStringList families = QFontDatabase::families();
    return families.contains(QStringLiteral("Unifont")) ? QStringLiteral("Unifont")
                                                        : QGuiApplication::font().family();
}

}  // namespace

GlyphsForm::GlyphsForm(FormHost& host)
    : Form(host, QStringLiteral("字模"), QStringLiteral("字模"), 15750, 9600, kBackground) {
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(build_source_panel());

    m_preview = new GlyphPreview;
    m_preview->setObjectName(QStringLiteral("preview"));
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("preview_area"));
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_preview);
    scroll->setMinimumSize(320, 200);
    left->addWidget(scroll, 1);
    layout->addLayout(left, 1);
    layout->addWidget(build_output_panel(), 1);

    restore_choices();
    connect(m_preview, &GlyphPreview::pixel_toggled, this, [this] { m_output->clear(); });
    draw();
}

GlyphsForm::~GlyphsForm() = default;

QPushButton* GlyphsForm::add_button(const QString& name, const QString& caption) {
    auto* button = captioned<QPushButton>(name, caption);
    set_face(button, kButtonFace);
    return button;
}

QWidget* GlyphsForm::build_source_panel() {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);

    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setAccessibleName(QStringLiteral("文字"));
    m_font = combo_box(QStringLiteral("font"), QStringLiteral("字体"), QFontDatabase::families());
    m_width = spin_box(QStringLiteral("cell_width"), QStringLiteral("宽度"), 0, kMaxCell, 16);
    m_height = spin_box(QStringLiteral("cell_height"), QStringLiteral("高度"), 0, kMaxCell, 16);
    m_bold = captioned<QCheckBox>(QStringLiteral("bold"), QStringLiteral("粗体"));
    m_shift_x =
        spin_box(QStringLiteral("shift_x"), QStringLiteral("水平偏移"), -kMaxCell, kMaxCell, 0);
    m_shift_y =
        spin_box(QStringLiteral("shift_y"), QStringLiteral("垂直偏移"), -kMaxCell, kMaxCell, 0);

    grid->addWidget(new QLabel(QStringLiteral("文字")), 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 7);
    grid->addWidget(new QLabel(QStringLiteral("字体")), 1, 0);
    grid->addWidget(m_font, 1, 1, 1, 3);
    grid->addWidget(m_bold, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("宽度")), 2, 0);
    grid->addWidget(m_width, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("高度")), 2, 2);
    grid->addWidget(m_height, 2, 3);
    const QList<QSize> presets = {{8, 16}, {16, 16}, {24, 24}, {32, 32}};
    for (int i = 0; i < presets.size(); ++i) {
        const QSize size = presets[i];
        const QString caption = QStringLiteral("%1×%2").arg(size.width()).arg(size.height());
        QPushButton* preset = add_button(QStringLiteral("preset_%1").arg(i), caption);
        connect(preset, &QPushButton::clicked, this, [this, size] {
            m_width->setValue(size.width());
            m_height->setValue(size.height());
        });
        grid->addWidget(preset, 2, 4 + i);
    }
    grid->addWidget(new QLabel(QStringLiteral("水平偏移")), 3, 0);
    grid->addWidget(m_shift_x, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("垂直偏移")), 3, 2);
    grid->addWidget(m_shift_y, 3, 3);

    QPushButton* open = add_button(QStringLiteral("open_picture"), QStringLiteral("打开图片"));
    m_scale = captioned<QCheckBox>(QStringLiteral("scale"), QStringLiteral("缩放"));
    m_threshold = spin_box(QStringLiteral("threshold"), QStringLiteral("阈值"), 0, 255, 128);
    m_invert = captioned<QCheckBox>(QStringLiteral("invert"), QStringLiteral("反色"));
    m_picture_name = new QLabel;
    m_picture_name->setObjectName(QStringLiteral("picture_name"));
    grid->addWidget(open, 4, 0, 1, 2);
    grid->addWidget(m_scale, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("阈值")), 4, 3);
    grid->addWidget(m_threshold, 4, 4);
    grid->addWidget(m_invert, 4, 5);
    grid->addWidget(m_picture_name, 5, 0, 1, 8);
    grid->setColumnStretch(7, 1);

    connect(m_text, &QLineEdit::textChanged, this, &GlyphsForm::on_text_edited);
    // A choice redraws only the glyphs it shapes: touched-up pixels stand until then.
    const auto text_choice = [this] { on_drawing_changed(m_picture.isNull()); };
    const auto picture_choice = [this] { on_drawing_changed(!m_picture.isNull()); };
    connect(m_font, &QComboBox::currentTextChanged, this, text_choice);
    connect(m_bold, &QCheckBox::toggled, this, text_choice);
    for (QSpinBox* box : {m_shift_x, m_shift_y}) {
        connect(box, &QSpinBox::valueChanged, this, text_choice);
    }
    for (QSpinBox* box : {m_width, m_height}) {
        connect(box, &QSpinBox::valueChanged, this, [this] { on_drawing_changed(true); });
    }
    connect(m_threshold, &QSpinBox::valueChanged, this, picture_choice);
    for (QCheckBox* box : {m_scale, m_invert}) {
        connect(box, &QCheckBox::toggled, this, picture_choice);
    }
    connect(open, &QPushButton::clicked, this, &GlyphsForm::on_open_picture_clicked);
    return panel;
}

QWidget* GlyphsForm::build_output_panel() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    auto* form = new QFormLayout;
    m_positive = captioned<QRadioButton>(QStringLiteral("positive"), QStringLiteral("阴码"));
    m_negative = captioned<QRadioButton>(QStringLiteral("negative"), QStringLiteral("阳码"));
    m_positive->setChecked(true);
    auto* polarity = new QHBoxLayout;
    polarity->addWidget(m_positive);
    polarity->addWidget(m_negative);
    polarity->addStretch();
    form->addRow(QStringLiteral("极性"), polarity);
    m_scan = combo_box(QStringLiteral("scan"), QStringLiteral("取模方式"), scan_mode_names());
    m_order = combo_box(QStringLiteral("order"), QStringLiteral("位序"), bit_order_names());
    m_dialect = combo_box(QStringLiteral("dialect"), QStringLiteral("格式"), text_dialect_names());
    m_per_glyph = captioned<QCheckBox>(QStringLiteral("per_glyph"), QStringLiteral("每字一个数组"));
    form->addRow(QStringLiteral("取模方式"), m_scan);
    form->addRow(QStringLiteral("位序"), m_order);
    form->addRow(QStringLiteral("格式"), m_dialect);
    form->addRow(QString(), m_per_glyph);
    column->addLayout(form);

    auto* buttons = new QHBoxLayout;
    QPushButton* generate = add_button(QStringLiteral("generate"), QStringLiteral("生成"));
    QPushButton* copy = add_button(QStringLiteral("copy"), QStringLiteral("复制"));
    QPushButton* save = add_button(QStringLiteral("save"), QStringLiteral("保存"));
    for (QPushButton* button : {generate, copy, save}) {
        buttons->addWidget(button);
    }
    column->addLayout(buttons);

    m_output = new QPlainTextEdit;
    m_output->setObjectName(QStringLiteral("output"));
    m_output->setAccessibleName(QStringLiteral("输出"));
    m_output->setReadOnly(true);
    m_output->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_output->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    column->addWidget(m_output, 1);

    for (QComboBox* box : {m_scan, m_order, m_dialect}) {
        connect(box, &QComboBox::currentIndexChanged, this, [this] { remember_choices(); });
    }
    for (QAbstractButton* box : std::initializer_list<QAbstractButton*>{m_positive, m_per_glyph}) {
        connect(box, &QAbstractButton::toggled, this, [this] { remember_choices(); });
    }
    connect(generate, &QPushButton::clicked, this, &GlyphsForm::on_generate_clicked);
    connect(copy, &QPushButton::clicked, this, &GlyphsForm::on_copy_clicked);
    connect(save, &QPushButton::clicked, this, &GlyphsForm::on_save_clicked);
    return panel;
}

void GlyphsForm::on_text_edited() {
    // Typing turns from the picture back to the text.
    m_picture = QImage();
    m_picture_path.clear();
    m_picture_name->clear();
    on_drawing_changed(true);
}

void GlyphsForm::on_drawing_changed(bool redraw) {
    if (m_restoring) {
        return;
    }
    remember_choices();
    if (redraw) {
        draw();
    }
}

// Redraws every glyph, which drops the pixels touched up in the preview.
void GlyphsForm::draw() {
    m_output->clear();
    if (problem()) {
        m_preview->set_glyphs({});
        return;
    }
    if (!m_picture.isNull()) {
        const PictureChoice choice{m_scale->isChecked(), m_width->value(), m_height->value(),
                                   m_threshold->value(), m_invert->isChecked()};
        m_preview->set_glyphs(
            {{QFileInfo(m_picture_path).fileName(), picture_bits(m_picture, choice)}});
        return;
    }
    const CellChoice cell{m_width->value(), m_height->value(), m_shift_x->value(),
                          m_shift_y->value()};
    m_preview->set_glyphs(
        draw_text(m_text->text(), {m_font->currentText(), m_bold->isChecked()}, cell));
}

std::optional<QString> GlyphsForm::problem() const {
    if (!m_picture.isNull()) {
        if (!m_scale->isChecked()) {
            if (m_picture.width() > kMaxCell || m_picture.height() > kMaxCell) {
                return QStringLiteral("图片大于 128×128 点\r请勾选“缩放”");
            }
            return std::nullopt;
        }
    } else if (glyph_characters(m_text->text()).empty()) {
        return QStringLiteral("请输入要取模的文字");
    }
    if (m_width->value() < 1 || m_height->value() < 1) {
        return QStringLiteral("宽度和高度须在 1 到 128 之间");
    }
    return std::nullopt;
}

std::optional<QString> GlyphsForm::generate() {
    if (const auto text = problem()) {
        host().message(*text);
        return std::nullopt;
    }
    const std::vector<Glyph>& glyphs = m_preview->glyphs();
    GlyphSource source{font_description({m_font->currentText(), m_bold->isChecked()}),
                       m_width->value(), m_height->value()};
    if (!m_picture.isNull() && !glyphs.empty()) {
        source = {QStringLiteral("图片：") + glyphs.front().label, glyphs.front().bits.width(),
                  glyphs.front().bits.height()};
    }
    const PackOptions pack{static_cast<ScanMode>(m_scan->currentIndex()),
                           static_cast<BitOrder>(m_order->currentIndex()),
                           m_negative->isChecked() ? Polarity::kLitIsZero : Polarity::kLitIsOne};
    const TextOptions text{static_cast<TextDialect>(m_dialect->currentIndex()),
                           m_per_glyph->isChecked()};
    const QString table = glyph_table(glyphs, source, pack, text);
    m_output->setPlainText(with_line_feeds(table));
    return table;
}

void GlyphsForm::on_generate_clicked() {
    generate();
}

void GlyphsForm::on_copy_clicked() {
    if (const auto table = generate()) {
        QGuiApplication::clipboard()->setText(with_line_feeds(*table));
    }
}

void GlyphsForm::on_save_clicked() {
    const auto table = generate();
    if (!table) {
        return;
    }
    const auto path = host().save_file(
        {QStringLiteral("保存文件"), text_file_filter(), QStringLiteral(".txt"), windowTitle()});
    if (path) {
        save_text_file(host(), *path, *table);
    }
}

void GlyphsForm::on_open_picture_clicked() {
    const auto path = host().open_file(
        {QStringLiteral("打开图片"),
         QStringLiteral("图片（*.png;*.bmp;*.jpg;*.jpeg;*.gif）|*.png;*.bmp;*.jpg;*.jpeg;*.gif|"
                        "所有文件（*.*）|*.*"),
         QString(), QString()});
    if (!path) {
        return;
    }
    LoadedPicture picture = load_picture(*path);
    if (picture.image.isNull()) {
        // The glyphs on show, and their touched-up pixels, stay as they were.
        host().message(QStringLiteral("无法打开图片：%1\r%2")
                           .arg(QDir::toNativeSeparators(*path), picture.error));
        return;
    }
    m_picture = picture.image;
    m_picture_path = *path;
    m_picture_name->setText(QStringLiteral("图片：") + QFileInfo(*path).fileName());
    draw();
}

void GlyphsForm::restore_choices() {
    m_restoring = true;
    const std::unique_ptr<QSettings> stored = host().settings();
    const auto value = [&stored](const char* key, const QVariant& fallback) {
        return stored ? stored->value(kChoices + QLatin1String(key), fallback) : fallback;
    };
    m_text->setText(value("text", QStringLiteral("字模")).toString());
    const QString family = value("font", default_family()).toString();
    m_font->setCurrentText(m_font->findText(family) >= 0 ? family : default_family());
    m_width->setValue(value("width", 16).toInt());
    m_height->setValue(value("height", 16).toInt());
    m_bold->setChecked(value("bold", false).toBool());
    m_shift_x->setValue(value("shift_x", 0).toInt());
    m_shift_y->setValue(value("shift_y", 0).toInt());
    m_scale->setChecked(value("scale", false).toBool());
    m_threshold->setValue(value("threshold", 128).toInt());
    m_invert->setChecked(value("invert", false).toBool());
    m_negative->setChecked(value("negative", false).toBool());
    m_scan->setCurrentIndex(value("scan", 0).toInt());
    m_order->setCurrentIndex(value("order", 0).toInt());
    m_dialect->setCurrentIndex(value("dialect", 0).toInt());
    m_per_glyph->setChecked(value("per_glyph", false).toBool());
    m_restoring = false;
}

void GlyphsForm::remember_choices() const {
    if (m_restoring) {
        return;
    }
    const std::unique_ptr<QSettings> settings = host().settings();
    if (!settings) {
        return;
    }
    settings->beginGroup(kChoices.chopped(1));
    settings->setValue(QStringLiteral("text"), m_text->text());
    settings->setValue(QStringLiteral("font"), m_font->currentText());
    settings->setValue(QStringLiteral("width"), m_width->value());
    settings->setValue(QStringLiteral("height"), m_height->value());
    settings->setValue(QStringLiteral("bold"), m_bold->isChecked());
    settings->setValue(QStringLiteral("shift_x"), m_shift_x->value());
    settings->setValue(QStringLiteral("shift_y"), m_shift_y->value());
    settings->setValue(QStringLiteral("scale"), m_scale->isChecked());
    settings->setValue(QStringLiteral("threshold"), m_threshold->value());
    settings->setValue(QStringLiteral("invert"), m_invert->isChecked());
    settings->setValue(QStringLiteral("negative"), m_negative->isChecked());
    settings->setValue(QStringLiteral("scan"), m_scan->currentIndex());
    settings->setValue(QStringLiteral("order"), m_order->currentIndex());
    settings->setValue(QStringLiteral("dialect"), m_dialect->currentIndex());
    settings->setValue(QStringLiteral("per_glyph"), m_per_glyph->isChecked());
}
