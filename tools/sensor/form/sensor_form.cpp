#include "sensor_form.h"

#include "circuit_drawing.h"
#include "shell/host/form_host.h"
#include "shell/widgets/look.h"

#include <algorithm>
#include <iterator>

namespace {

const QColor kBackground = rgb(192, 255, 255);
const QColor kBlue = rgb(0, 0, 255);
constexpr double kHeadingPoints = 14.25;

QLabel* add_heading(QWidget* form, const char* name, const char* caption, const Twips& place,
                    const QColor& colour, double points) {
    QLabel* label = add_label(form, name, caption, place);
    label->setFont(song_font(points));
    set_text_colour(label, colour);
    // The installed CJK face may need a taller line than the place given: the heading grows
    // downwards into free space rather than lose the foot of its text.
    label->resize(label->width(), std::max(label->height(), label->heightForWidth(label->width())));
    return label;
}

}  // namespace

SensorForm::SensorForm(FormHost& host)
    : Form(host, QStringLiteral("真值表"), QStringLiteral("真值表"), 11895, 8625, kBackground) {
    fix_size();

    QGroupBox* title =
        add_frame(this, "Frame4", "常用温湿度传感器AD转换表", {5040, 240, 2415, 375});
    set_background(title, kBackground);
    add_line(this, "Line6", 0, 720, 11880, 720);

    QLabel* model_label =
        add_heading(this, "Label1", "型号", {120, 1200, 615, 375}, kBlue, kHeadingPoints);
    m_model = add_combo_box(this, "Combo2", "3470_5K", {840, 1320, 1095, 300}, "型号");
    model_label->setBuddy(m_model);
    QLabel* dialect_label =
        add_heading(this, "Label2", "类型", {120, 1920, 735, 375}, kBlue, kHeadingPoints);
    m_dialect = add_combo_box(this, "Combo3", "PIC", {840, 1920, 1095, 300}, "类型");
    dialect_label->setBuddy(m_dialect);
    QLabel* orientation_label =
        add_heading(this, "Label4", "分压电阻", {120, 2520, 615, 735}, kBlue, kHeadingPoints);
    m_orientation = add_combo_box(this, "Combo4", "下拉", {840, 2520, 1095, 300}, "分压电阻");
    orientation_label->setBuddy(m_orientation);
    m_divider = add_text_box(this, "Text6", "输入阻值", {840, 3000, 1095, 270}, "分压电阻阻值");

    add_heading(this, "Label3", "精度", {120, 3720, 615, 375}, kBlue, kHeadingPoints);
    m_eight_bits = add_option(this, "Option3", "8位", {840, 3600, 735, 180});
    set_background(m_eight_bits, kBackground);
    m_ten_bits = add_option(this, "Option4", "10位", {840, 3960, 735, 180});
    set_background(m_ten_bits, kBackground);

    add_heading(this, "Label5", "输入", {120, 4440, 615, 375}, rgb(255, 0, 0), kHeadingPoints);
    m_typed = add_text_box(this, "Text1", "100", {840, 4440, 1095, 375}, "输入");
    m_typed->setFont(song_font(12));

    m_output_button = add_button(this, "Command65", "输出", {840, 5280, 975, 495});
    set_face(m_output_button, rgb(0, 255, 0));
    m_clear_button = add_button(this, "Command1", "清除", {840, 6120, 975, 495});
    m_help_button = add_button(this, "Command2", "帮助", {840, 6960, 975, 495});

    add_heading(this, "Label6", "传感器电路连接图示", {3600, 840, 2175, 255}, kBlue, 12);
    m_pull_up_drawing = new CircuitDrawing(this, Orientation::kPullUp);
    m_pull_up_drawing->setObjectName(QStringLiteral("Image1"));
    place(m_pull_up_drawing, {2880, 1200, 3735, 6930});
    m_pull_up_drawing->hide();
    m_pull_down_drawing = new CircuitDrawing(this, Orientation::kPullDown);
    m_pull_down_drawing->setObjectName(QStringLiteral("Image2"));
    place(m_pull_down_drawing, {2880, 1200, 3735, 6930});

    add_heading(this, "Label7", "输出窗口", {8760, 840, 1095, 255}, kBlue, 12);
    m_output = add_text_box(this, "文本框1", QString(), {6840, 1200, 4815, 6930}, "输出窗口",
                            TextBox::Lines::kMulti, TextBox::ScrollBars::kVertical);
    set_focus_order();

    for (ComboBox* combo : {m_model, m_dialect, m_orientation}) {
        connect(combo, &ComboBox::edited, this,
                [this, combo] { refuse_list_edit(*combo, this->host()); });
    }
    // The boxes and the drawing follow the choices as they change, so nothing runs while idle.
    connect(m_model, &QComboBox::currentTextChanged, this, &SensorForm::update_controls);
    connect(m_orientation, &QComboBox::currentTextChanged, this, &SensorForm::update_controls);
    connect(m_output_button, &QPushButton::clicked, this, &SensorForm::on_output_clicked);
    connect(m_clear_button, &QPushButton::clicked, this, &SensorForm::on_clear_clicked);
    connect(m_help_button, &QPushButton::clicked, this, &SensorForm::on_help_clicked);
}

void SensorForm::set_focus_order() {
    QWidget* const order[] = {m_output_button, m_output,       m_model,       m_dialect,
                              m_eight_bits,    m_ten_bits,     m_orientation, m_divider,
                              m_typed,         m_clear_button, m_help_button};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void SensorForm::on_load() {
    m_save_dialog = text_save_dialog();

    m_model->addItems(model_names());
    m_model->setText(QStringLiteral("3470_5K"));
    m_dialect->addItems(dialect_names());
    m_dialect->setText(QStringLiteral("PIC"));
    m_orientation->addItems(orientation_names());
    m_orientation->setText(QStringLiteral("下拉"));
    m_eight_bits->setChecked(true);

    m_table = SensorTableWriter();
    update_controls();
}

SensorChoices SensorForm::read_choices(SensorModel model) const {
    return {model,
            m_dialect->text(),
            m_orientation->text(),
            m_divider->text(),
            m_typed->text(),
            m_ten_bits->isChecked() ? Precision::k10Bits : Precision::k8Bits};
}

void SensorForm::on_output_clicked() {
    const auto model = model_named(m_model->text());
    if (!model) {
        return;
    }
    const AdTableRun run =
        m_table.make_table(kLastTableIndex, read_choices(*model), m_output->text());
    m_output->setText(run.text);
    if (!run.completed()) {
        host().message(run.message);
        return;
    }
    // The other model's lines are collected on screen, one per press, and never saved here.
    if (*model == SensorModel::kOther) {
        return;
    }
    m_save_dialog.file_name = m_model->text();
    if (const auto path = host().save_file(m_save_dialog)) {
        save_text_file(host(), *path, m_output->text());
    }
}

void SensorForm::on_clear_clicked() {
    m_table.clear();
    m_output->setText(QString());
}

void SensorForm::on_help_clicked() {
    host().message(
        QStringLiteral("1：直接给出了两种温度和一种湿度传感器的AD转换表。\r"
                       "2：其他温度传感器的转换表需手工输入其阻值经转换得到。\r"
                       "3：本软件生成的AD转换表精度为1度\r"));
}

void SensorForm::update_controls() {
    const auto model = model_named(m_model->text());
    if (model == SensorModel::kHumidity) {
        m_divider->setEnabled(false);
        m_typed->setEnabled(false);
        m_pull_up_drawing->hide();
        m_pull_down_drawing->hide();
        return;
    }
    m_divider->setEnabled(true);
    // With no orientation chosen the drawing stays as it was.
    const Orientation orientation = orientation_named(m_orientation->text());
    if (orientation != Orientation::kNone) {
        m_pull_up_drawing->setVisible(orientation == Orientation::kPullUp);
        m_pull_down_drawing->setVisible(orientation == Orientation::kPullDown);
    }
    m_typed->setEnabled(model == SensorModel::kOther);
}
