#include "glyphs_form.h"

#include "base/text_file.h"
#include "glyph_preview.h"
#include "shell/host/form_host.h"
#include "shell/widgets/layout_kit.h"
#include "shell/widgets/look.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/core/glyphs_settings.h"
#include "tools/glyphs/render/glyph_renderer.h"
#include "tools/glyphs/render/picture_glyph.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
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

const QColor kBackground = rgb(192, 255, 255);
const QColor kButtonFace = rgb(128, 255, 128);

// The 预设 list's last item: the options set by hand match no display's.
const QString kCustomPreset = QStringLiteral("自定义");

QRadioButton* new_radio_button(const QString& object_name, const QString& caption) {
    auto* button = new QRadioButton(caption);
    button->setObjectName(object_name);
    button->setAccessibleName(caption);
    return button;
}

// The items of a list whose values are the positions of `names` in their enumeration.
QList<std::pair<QString, QVariant>> numbered(const QStringList& names) {
    QList<std::pair<QString, QVariant>> items;
    for (qsizetype i = 0; i < names.size(); ++i) {
        items.append({names[i], static_cast<int>(i)});
    }
    return items;
}

QList<std::pair<QString, QVariant>> preset_items() {
    QList<std::pair<QString, QVariant>> items;
    const auto& presets = display_presets();
    for (std::size_t i = 0; i < presets.size(); ++i) {
        items.append({presets[i].name, static_cast<int>(i)});
    }
    items.append({kCustomPreset, static_cast<int>(presets.size())});
    return items;
}

QList<std::pair<QString, QVariant>> font_items() {
    QList<std::pair<QString, QVariant>> items;
    for (const QString& family : QFontDatabase::families()) {
        items.append({family, family});
    }
    return items;
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

// Editors that lose focus while the window is taken apart would call back into it: they are cut
// off first.
GlyphsForm::~GlyphsForm() {
    for (QWidget* child : findChildren<QWidget*>()) {
        child->disconnect(this);
    }
}

QWidget* GlyphsForm::build_source_panel() {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);

    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setAccessibleName(QStringLiteral("文字"));
    m_font = new_choice_box(QStringLiteral("font"), QStringLiteral("字体"), font_items());
    m_width = new_spin_box(QStringLiteral("cell_width"), QStringLiteral("宽度"), 0, kMaxCell, 16);
    m_height = new_spin_box(QStringLiteral("cell_height"), QStringLiteral("高度"), 0, kMaxCell, 16);
    m_bold = new_check_box(QStringLiteral("bold"), QStringLiteral("粗体"));
    m_shift_x =
        new_spin_box(QStringLiteral("shift_x"), QStringLiteral("水平偏移"), -kMaxCell, kMaxCell, 0);
    m_shift_y =
        new_spin_box(QStringLiteral("shift_y"), QStringLiteral("垂直偏移"), -kMaxCell, kMaxCell, 0);

    grid->addWidget(new_buddy_label(QStringLiteral("文字"), m_text), 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 7);
    grid->addWidget(new_buddy_label(QStringLiteral("字体"), m_font), 1, 0);
    grid->addWidget(m_font, 1, 1, 1, 3);
    grid->addWidget(m_bold, 1, 4);
    grid->addWidget(new_buddy_label(QStringLiteral("宽度"), m_width), 2, 0);
    grid->addWidget(m_width, 2, 1);
    grid->addWidget(new_buddy_label(QStringLiteral("高度"), m_height), 2, 2);
    grid->addWidget(m_height, 2, 3);
    const QList<QSize> sizes = {{8, 16}, {16, 16}, {24, 24}, {32, 32}};
    for (int i = 0; i < sizes.size(); ++i) {
        const QSize size = sizes[i];
        const QString caption = QStringLiteral("%1×%2").arg(size.width()).arg(size.height());
        QPushButton* cell = new_button(QStringLiteral("preset_%1").arg(i), caption, kButtonFace);
        connect(cell, &QPushButton::clicked, this, [this, size] {
            m_width->setValue(size.width());
            m_height->setValue(size.height());
            remember_choices();
        });
        grid->addWidget(cell, 2, 4 + i);
    }
    grid->addWidget(new_buddy_label(QStringLiteral("水平偏移"), m_shift_x), 3, 0);
    grid->addWidget(m_shift_x, 3, 1);
    grid->addWidget(new_buddy_label(QStringLiteral("垂直偏移"), m_shift_y), 3, 2);
    grid->addWidget(m_shift_y, 3, 3);

    QPushButton* open =
        new_button(QStringLiteral("open_picture"), QStringLiteral("打开图片"), kButtonFace);
    m_scale = new_check_box(QStringLiteral("scale"), QStringLiteral("缩放"));
    m_threshold = new_spin_box(QStringLiteral("threshold"), QStringLiteral("阈值"), 0, 255, 128);
    m_invert = new_check_box(QStringLiteral("invert"), QStringLiteral("反色"));
    m_picture_name = new_value_label(QStringLiteral("picture_name"), QStringLiteral("图片"));
    grid->addWidget(open, 4, 0, 1, 2);
    grid->addWidget(m_scale, 4, 2);
    grid->addWidget(new_buddy_label(QStringLiteral("阈值"), m_threshold), 4, 3);
    grid->addWidget(m_threshold, 4, 4);
    grid->addWidget(m_invert, 4, 5);
    grid->addWidget(m_picture_name, 5, 0, 1, 8);
    grid->setColumnStretch(7, 1);

    connect(m_text, &QLineEdit::textChanged, this, &GlyphsForm::on_text_edited);
    // A choice redraws only the glyphs it shapes: touched-up pixels stand until then.
    const auto text_choice = [this] { on_drawing_changed(m_picture.isNull()); };
    const auto picture_choice = [this] { on_drawing_changed(!m_picture.isNull()); };
    connect(m_font, &QComboBox::currentIndexChanged, this, text_choice);
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
    // A typed text or number is remembered once it is finished, not at every key.
    connect(m_text, &QLineEdit::editingFinished, this, &GlyphsForm::remember_choices);
    for (QSpinBox* box : {m_width, m_height, m_shift_x, m_shift_y, m_threshold}) {
        connect(box, &QSpinBox::editingFinished, this, &GlyphsForm::remember_choices);
    }
    connect(m_font, &QComboBox::activated, this, &GlyphsForm::remember_choices);
    for (QCheckBox* box : {m_bold, m_scale, m_invert}) {
        connect(box, &QCheckBox::clicked, this, &GlyphsForm::remember_choices);
    }
    connect(open, &QPushButton::clicked, this, &GlyphsForm::on_open_picture_clicked);
    return panel;
}

QWidget* GlyphsForm::build_output_panel() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    auto* form = new QFormLayout;
    m_preset = new_choice_box(QStringLiteral("preset"), QStringLiteral("预设"), preset_items());
    form->addRow(new_buddy_label(QStringLiteral("预设"), m_preset), m_preset);
    m_positive = new_radio_button(QStringLiteral("positive"), QStringLiteral("阴码"));
    m_negative = new_radio_button(QStringLiteral("negative"), QStringLiteral("阳码"));
    m_positive->setChecked(true);
    auto* polarity = new QHBoxLayout;
    polarity->addWidget(m_positive);
    polarity->addWidget(m_negative);
    polarity->addStretch();
    form->addRow(QStringLiteral("极性"), polarity);
    m_scan = new_choice_box(QStringLiteral("scan"), QStringLiteral("取模方式"),
                            numbered(scan_mode_names()));
    m_order = new_choice_box(QStringLiteral("order"), QStringLiteral("位序"),
                             numbered(bit_order_names()));
    m_dialect = new_choice_box(QStringLiteral("dialect"), QStringLiteral("格式"),
                               numbered(text_dialect_names()));
    m_array_name = new QLineEdit;
    m_array_name->setObjectName(QStringLiteral("array_name"));
    m_array_name->setAccessibleName(QStringLiteral("数组名"));
    m_per_glyph = new_check_box(QStringLiteral("per_glyph"), QStringLiteral("每字一个数组"));
    form->addRow(new_buddy_label(QStringLiteral("取模方式"), m_scan), m_scan);
    form->addRow(new_buddy_label(QStringLiteral("位序"), m_order), m_order);
    form->addRow(new_buddy_label(QStringLiteral("格式"), m_dialect), m_dialect);
    form->addRow(new_buddy_label(QStringLiteral("数组名"), m_array_name), m_array_name);
    form->addRow(QString(), m_per_glyph);
    column->addLayout(form);

    auto* buttons = new QHBoxLayout;
    QPushButton* generate =
        new_button(QStringLiteral("generate"), QStringLiteral("生成"), kButtonFace);
    QPushButton* copy = new_button(QStringLiteral("copy"), QStringLiteral("复制"), kButtonFace);
    QPushButton* save = new_button(QStringLiteral("save"), QStringLiteral("保存"), kButtonFace);
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

    connect(m_preset, &QComboBox::currentIndexChanged, this, &GlyphsForm::on_preset_chosen);
    for (QComboBox* box : {m_scan, m_order}) {
        connect(box, &QComboBox::currentIndexChanged, this, &GlyphsForm::on_layout_changed);
    }
    connect(m_negative, &QRadioButton::toggled, this, &GlyphsForm::on_layout_changed);
    connect(m_dialect, &QComboBox::currentIndexChanged, this, [this] {
        show_array_choices();
        remember_choices();
    });
    connect(m_per_glyph, &QCheckBox::clicked, this, &GlyphsForm::remember_choices);
    connect(m_array_name, &QLineEdit::editingFinished, this, &GlyphsForm::remember_choices);
    connect(generate, &QPushButton::clicked, this, &GlyphsForm::on_generate_clicked);
    connect(copy, &QPushButton::clicked, this, &GlyphsForm::on_copy_clicked);
    connect(save, &QPushButton::clicked, this, &GlyphsForm::on_save_clicked);
    return panel;
}

void GlyphsForm::closeEvent(QCloseEvent* event) {
    remember_choices();
    Form::closeEvent(event);
}

PackOptions GlyphsForm::pack_options() const {
    return {static_cast<ScanMode>(m_scan->currentData().toInt()),
            static_cast<BitOrder>(m_order->currentData().toInt()),
            m_negative->isChecked() ? Polarity::kLitIsZero : Polarity::kLitIsOne};
}

void GlyphsForm::on_preset_chosen() {
    if (m_restoring) {
        return;
    }
    const int index = m_preset->currentData().toInt();
    const auto& presets = display_presets();
    if (index < 0 || index >= static_cast<int>(presets.size())) {
        return;  // 自定义 leaves the options as they are
    }
    const PackOptions pack = presets[index].pack;
    m_setting_preset = true;
    select_value(m_scan, static_cast<int>(pack.scan));
    select_value(m_order, static_cast<int>(pack.order));
    (pack.polarity == Polarity::kLitIsZero ? m_negative : m_positive)->setChecked(true);
    m_setting_preset = false;
    remember_choices();
}

void GlyphsForm::on_layout_changed() {
    if (m_setting_preset || m_restoring) {
        return;
    }
    show_matching_preset();
    remember_choices();
}

void GlyphsForm::show_matching_preset() {
    const auto match = preset_matching(pack_options(), m_preset->currentData().toInt());
    select_value(m_preset, match ? *match : static_cast<int>(display_presets().size()));
}

void GlyphsForm::show_array_choices() {
    // Only C names its arrays.
    const bool c = m_dialect->currentData().toInt() == static_cast<int>(TextDialect::kC);
    m_array_name->setEnabled(c);
    m_per_glyph->setEnabled(c);
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

std::optional<QString> GlyphsForm::table_problem() const {
    if (const auto drawing = problem()) {
        return drawing;
    }
    if (m_array_name->isEnabled() && !is_c_identifier(m_array_name->text())) {
        return QStringLiteral(
            "数组名须是 C 的名字：字母或下划线开头，只含字母、数字和下划线，"
            "且不是关键字");
    }
    return std::nullopt;
}

std::optional<QString> GlyphsForm::generate() {
    if (const auto text = table_problem()) {
        m_output->clear();
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
    const TextOptions text{static_cast<TextDialect>(m_dialect->currentData().toInt()),
                           m_per_glyph->isChecked(), m_array_name->text()};
    const QString table = glyph_table(glyphs, source, pack_options(), text);
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
    const auto path = host().save_file(text_save_dialog(windowTitle()));
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
    GlyphsSettings choices;
    if (const std::unique_ptr<QSettings> stored = host().settings()) {
        choices.load(*stored);
    }
    m_restoring = true;
    m_text->setText(choices.text);
    if (!select_value(m_font, choices.font)) {
        select_value(m_font, default_family());
    }
    m_width->setValue(choices.width);
    m_height->setValue(choices.height);
    m_bold->setChecked(choices.bold);
    m_shift_x->setValue(choices.shift_x);
    m_shift_y->setValue(choices.shift_y);
    m_scale->setChecked(choices.scale);
    m_threshold->setValue(choices.threshold);
    m_invert->setChecked(choices.invert);
    select_value(m_preset, choices.preset);
    select_value(m_scan, static_cast<int>(choices.pack.scan));
    select_value(m_order, static_cast<int>(choices.pack.order));
    (choices.pack.polarity == Polarity::kLitIsZero ? m_negative : m_positive)->setChecked(true);
    select_value(m_dialect, static_cast<int>(choices.dialect));
    m_per_glyph->setChecked(choices.per_glyph);
    m_array_name->setText(choices.array_name);
    show_matching_preset();
    show_array_choices();
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
    GlyphsSettings choices;
    choices.text = m_text->text();
    choices.font = m_font->currentData().toString();
    choices.bold = m_bold->isChecked();
    choices.width = m_width->value();
    choices.height = m_height->value();
    choices.shift_x = m_shift_x->value();
    choices.shift_y = m_shift_y->value();
    choices.scale = m_scale->isChecked();
    choices.threshold = m_threshold->value();
    choices.invert = m_invert->isChecked();
    choices.preset = m_preset->currentData().toInt();
    choices.pack = pack_options();
    choices.dialect = static_cast<TextDialect>(m_dialect->currentData().toInt());
    choices.per_glyph = m_per_glyph->isChecked();
    // A name C would refuse is not kept; the one before it stands.
    choices.array_name =
        is_c_identifier(m_array_name->text()) ? m_array_name->text() : GlyphsSettings().array_name;
    choices.save(*settings);
}
