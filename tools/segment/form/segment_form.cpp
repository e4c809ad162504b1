#include "segment_form.h"

#include "base/number_text.h"
#include "shell/host/form_host.h"
#include "shell/widgets/look.h"

namespace {

const QColor kBackground = rgb(192, 255, 255);
const QColor kSegmentFace = rgb(0, 255, 0);

// The seven segment buttons of the green digit: where each stands and its name on the form.
struct SegmentButton {
    Position position;
    const char* name;
    Twips place;
};
constexpr SegmentButton kSegmentButtons[] = {
    {Position::kTop, "Command7", {1560, 3000, 855, 300}},
    {Position::kUpperLeft, "Command8", {1320, 3240, 255, 615}},
    {Position::kUpperRight, "Command9", {2400, 3240, 255, 615}},
    {Position::kMiddle, "Command10", {1560, 3720, 855, 300}},
    {Position::kLowerLeft, "Command11", {1320, 3960, 255, 615}},
    {Position::kBottom, "Command12", {1560, 4440, 855, 300}},
    {Position::kLowerRight, "Command13", {2400, 3960, 255, 615}},
};

}  // namespace

SegmentForm::SegmentForm(FormHost& host)
    : Form(host, QStringLiteral("七段码"), QStringLiteral("七段码"), 5805, 6735, kBackground) {
    fix_size();

    QGroupBox* title = add_title_frame(this, "Frame2", "7段码查询", {2400, 240, 1335, 375});
    set_background(title, kBackground);
    add_line(this, "Line6", 0, 720, 7440, 720);
    add_line(this, "Line7", 0, 6240, 5760, 6240);

    add_label(this, "Label8", "段位", {240, 960, 375, 255});
    add_label(this, "Label7", "A  B  C  D  E  F  G  H", {840, 960, 2055, 255});
    add_label(this, "Label6", "比特", {240, 1320, 375, 255});
    for (int letter = 0; letter < kLetterCount; ++letter) {
        TextBox* box = add_text_box(
            this, QStringLiteral("SEG_") + letter_name(letter), QString::number(7 - letter),
            {840 + 240 * letter, 1320, 255, 270}, letter_name(letter) + QStringLiteral(" 比特"));
        connect(box, &TextBox::changed, this, [this, letter] { on_bit_changed(letter); });
        m_bit_boxes[letter] = box;
    }

    QLabel* dialect_label = add_label(this, "Label9", "输出方式", {240, 1800, 735, 255});
    m_dialect = add_combo_box(this, "Combo1", "PIC", {1320, 1800, 975, 300}, "输出方式");
    dialect_label->setBuddy(m_dialect);
    m_display_type_button = add_button(this, "显示方式", "显示方式", {240, 2280, 855, 375});
    m_display_type = add_text_box(this, "Text5", QString(), {1320, 2280, 975, 375}, "显示方式");
    set_background(m_display_type, rgb(255, 224, 192));
    m_single_step_button = add_button(this, "单步转换", "单步转换", {240, 2880, 855, 375});
    m_convert_all_button = add_button(this, "全部转换", "全部转换", {240, 3480, 855, 375});
    m_clear_button = add_button(this, "清除", "清除", {240, 4080, 855, 375});
    m_help_button = add_button(this, "帮助", "帮助", {240, 4680, 855, 375});

    for (const SegmentButton& segment : kSegmentButtons) {
        QPushButton* button = add_button(this, segment.name, QString(), segment.place);
        set_face(button, kSegmentFace);
        connect(button, &QPushButton::clicked, this,
                [this, position = segment.position] { on_segment_clicked(position); });
        m_segment_buttons[static_cast<int>(segment.position)] = button;
    }

    m_output = add_text_box(this, "文本框", QString(), {3000, 960, 2655, 5055}, "输出",
                            TextBox::Lines::kMulti, TextBox::ScrollBars::kVertical);
    set_background(m_output, rgb(255, 255, 192));

    connect(m_dialect, &ComboBox::edited, this, &SegmentForm::on_dialect_edited);
    connect(m_single_step_button, &QPushButton::clicked, this,
            &SegmentForm::on_single_step_clicked);
    connect(m_convert_all_button, &QPushButton::clicked, this,
            &SegmentForm::on_convert_all_clicked);
    connect(m_display_type_button, &QPushButton::clicked, this,
            &SegmentForm::on_display_type_clicked);
    connect(m_clear_button, &QPushButton::clicked, this, &SegmentForm::on_clear_clicked);
    connect(m_help_button, &QPushButton::clicked, this, &SegmentForm::on_help_clicked);
}

void SegmentForm::on_load() {
    m_save_dialog = text_save_dialog();

    m_dialect->addItems(dialect_names());
    m_dialect->setText(QStringLiteral("PIC"));

    m_model = SegmentModel(read_bits());
    m_display_type->setText(display_type_text(m_model.display_type()));
    show_captions();

    m_table = SegmentTableWriter();
    m_output->setText(QString());
}

BitValues SegmentForm::read_bits() const {
    BitValues bits{};
    for (int letter = 0; letter < kLetterCount; ++letter) {
        bits[letter] = text_to_number(m_bit_boxes[letter]->text());
    }
    return bits;
}

void SegmentForm::on_dialect_edited() {
    refuse_list_edit(*m_dialect, host());
}

void SegmentForm::on_bit_changed(int letter) {
    TextBox* box = m_bit_boxes[letter];
    if (m_model.set_bit(letter, text_to_number(box->text()))) {
        host().message(QStringLiteral("输入错误"));
        // Emptying the box is a change of its own, which puts the letter on bit 0.
        box->setText(QString());
    }
    m_model.clear_lettering();
    show_captions();
    reset_shown_table();
}

void SegmentForm::on_segment_clicked(Position position) {
    const bool cleared = m_model.click_position(position);
    show_captions();
    if (cleared) {
        reset_shown_table();
    }
}

void SegmentForm::show_captions() {
    for (int position = 0; position < kPositionCount; ++position) {
        m_segment_buttons[position]->setText(m_model.caption(static_cast<Position>(position)));
    }
}

void SegmentForm::show_table(int last) {
    m_output->setText(m_table.table_text(last, m_model.build_codes(), m_dialect->text()));
}

void SegmentForm::reset_shown_table() {
    m_output->setText(QString());
    m_table.reset_single_step();
}

bool SegmentForm::check_table() {
    bool passed = true;
    if (!m_model.check_pattern()) {
        m_output->setText(QString());
        host().message(QStringLiteral("你没选择码型"));
        passed = false;
    }
    if (!check_bits(read_bits())) {
        m_output->setText(QString());
        host().message(QStringLiteral("你的段位与比特位对应有问题！"));
        passed = false;
    }
    return passed;
}

void SegmentForm::on_single_step_clicked() {
    show_table(m_table.take_single_step());
    check_table();
}

void SegmentForm::on_convert_all_clicked() {
    show_table(kCharacterCount - 1);
    m_save_dialog.file_name = QStringLiteral("七段码查询");
    m_table.reset_single_step();
    if (!check_table()) {
        return;
    }
    if (const auto path = host().save_file(m_save_dialog)) {
        save_text_file(host(), *path, m_output->text());
    }
}

void SegmentForm::on_display_type_clicked() {
    m_display_type->setText(display_type_text(m_model.toggle_display_type()));
    reset_shown_table();
}

void SegmentForm::on_clear_clicked() {
    reset_shown_table();
}

void SegmentForm::on_help_clicked() {
    host().message(QStringList{
        QStringLiteral("1：输入数码管每段和单片机输出口对应的I/O位(只能是同一个口)"),
        QStringLiteral("2：选择码型(单击绿色数码管的每一段可改变码型;不同的厂家有时排序不同)"),
        QStringLiteral("3：按全部转换或单步转换就OK啦!"),
        QStringLiteral("4：可根据需要选择其他选项"),
    }
                       .join(u'\r'));
}
