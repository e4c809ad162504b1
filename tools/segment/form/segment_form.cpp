#include "segment_form.h"

#include "shell/host/form_host.h"
#include "shell/host/number_text.h"
#include "shell/widgets/look.h"

namespace {

const QColor kBackground = rgb(192, 255, 255);
const QColor kSegmentFace = rgb(0, 255, 0);

}  // namespace

SegmentForm::SegmentForm(FormHost& host)
    : Form(host, QStringLiteral("七段码"), QStringLiteral("七段码"), 5805, 6735, kBackground) {
    fix_size();

    Frame2 = add_frame(this, "Frame2", "7段码查询", {2400, 240, 1335, 375});
    Frame2->setFont(song_font(12));
    set_text_colour(Frame2, rgb(0, 0, 255));
    set_background(Frame2, kBackground);
    Line6 = add_line(this, "Line6", 0, 720, 7440, 720);
    Line7 = add_line(this, "Line7", 0, 6240, 5760, 6240);

    Label8 = add_label(this, "Label8", "段位", {240, 960, 375, 255});
    Label7 = add_label(this, "Label7", "A  B  C  D  E  F  G  H", {840, 960, 2055, 255});
    Label6 = add_label(this, "Label6", "比特", {240, 1320, 375, 255});
    const auto bit_box = [this](int letter, const char* text) {
        const QString name = QStringLiteral("SEG_") + letter_name(letter);
        return add_text_box(this, name, text, {840 + 240 * letter, 1320, 255, 270},
                            letter_name(letter) + QStringLiteral(" 比特"));
    };
    SEG_A = bit_box(0, "7");
    SEG_B = bit_box(1, "6");
    SEG_C = bit_box(2, "5");
    SEG_D = bit_box(3, "4");
    SEG_E = bit_box(4, "3");
    SEG_F = bit_box(5, "2");
    SEG_G = bit_box(6, "1");
    SEG_H = bit_box(7, "0");

    Label9 = add_label(this, "Label9", "输出方式", {240, 1800, 735, 255});
    Combo1 = add_combo_box(this, "Combo1", "PIC", {1320, 1800, 975, 300}, "输出方式");
    显示方式 = add_button(this, "显示方式", "显示方式", {240, 2280, 855, 375});
    Text5 = add_text_box(this, "Text5", QString(), {1320, 2280, 975, 375}, "显示方式");
    set_background(Text5, rgb(255, 224, 192));
    单步转换 = add_button(this, "单步转换", "单步转换", {240, 2880, 855, 375});
    全部转换 = add_button(this, "全部转换", "全部转换", {240, 3480, 855, 375});
    清除 = add_button(this, "清除", "清除", {240, 4080, 855, 375});
    帮助 = add_button(this, "帮助", "帮助", {240, 4680, 855, 375});

    Command7 = add_button(this, "Command7", "A", {1560, 3000, 855, 300});
    Command8 = add_button(this, "Command8", "F", {1320, 3240, 255, 615});
    Command9 = add_button(this, "Command9", "B", {2400, 3240, 255, 615});
    Command10 = add_button(this, "Command10", "G", {1560, 3720, 855, 300});
    Command11 = add_button(this, "Command11", "E", {1320, 3960, 255, 615});
    Command12 = add_button(this, "Command12", "D", {1560, 4440, 855, 300});
    Command13 = add_button(this, "Command13", "C", {2400, 3960, 255, 615});
    for (QPushButton* segment :
         {Command7, Command8, Command9, Command10, Command11, Command12, Command13}) {
        set_face(segment, kSegmentFace);
    }

    文本框 = add_text_box(this, "文本框", QString(), {3000, 960, 2655, 5055}, "输出",
                          TextBox::Lines::kMulti, TextBox::ScrollBars::kVertical);
    set_background(文本框, rgb(255, 255, 192));

    connect(Combo1, &ComboBox::edited, this, [this] { Combo1_Change(); });
    connect(SEG_A, &TextBox::changed, this, [this] { SEG_A_Change(); });
    connect(SEG_B, &TextBox::changed, this, [this] { SEG_B_Change(); });
    connect(SEG_C, &TextBox::changed, this, [this] { SEG_C_Change(); });
    connect(SEG_D, &TextBox::changed, this, [this] { SEG_D_Change(); });
    connect(SEG_E, &TextBox::changed, this, [this] { SEG_E_Change(); });
    connect(SEG_F, &TextBox::changed, this, [this] { SEG_F_Change(); });
    connect(SEG_G, &TextBox::changed, this, [this] { SEG_G_Change(); });
    connect(SEG_H, &TextBox::changed, this, [this] { SEG_H_Change(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
    connect(Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
    connect(Command12, &QPushButton::clicked, this, [this] { Command12_Click(); });
    connect(Command13, &QPushButton::clicked, this, [this] { Command13_Click(); });
    connect(单步转换, &QPushButton::clicked, this, [this] { 单步转换_Click(); });
    connect(全部转换, &QPushButton::clicked, this, [this] { 全部转换_Click(); });
    connect(显示方式, &QPushButton::clicked, this, [this] { 显示方式_Click(); });
    connect(清除, &QPushButton::clicked, this, [this] { 清除_Click(); });
    connect(帮助, &QPushButton::clicked, this, [this] { 帮助_Click(); });
}

void SegmentForm::on_load() {
    CommonDialog1.title = QStringLiteral("保存文件");
    CommonDialog1.filter = QStringLiteral("文本文件（*.TXT）|*.txt|所有文件（*.*）|*.*");
    CommonDialog1.default_extension = QStringLiteral(".txt");

    Combo1->addItems(dialect_names());
    Combo1->setText(QStringLiteral("PIC"));

    m_model = SegmentModel(read_bits());
    Text5->setText(display_type_text(m_model.display_type()));
    show_captions();

    m_table = SegmentTableWriter();
    文本框->setText(QString());
}

std::array<TextBox*, kLetterCount> SegmentForm::bit_boxes() const {
    return {SEG_A, SEG_B, SEG_C, SEG_D, SEG_E, SEG_F, SEG_G, SEG_H};
}

BitValues SegmentForm::read_bits() const {
    BitValues bits{};
    for (int letter = 0; letter < kLetterCount; ++letter) {
        bits[letter] = text_to_number(bit_boxes()[letter]->text());
    }
    return bits;
}

void SegmentForm::Combo1_Change() {
    refuse_list_edit(*Combo1, host());
}

void SegmentForm::SEG_A_Change() {
    bit_entry(0);
}
void SegmentForm::SEG_B_Change() {
    bit_entry(1);
}
void SegmentForm::SEG_C_Change() {
    bit_entry(2);
}
void SegmentForm::SEG_D_Change() {
    bit_entry(3);
}
void SegmentForm::SEG_E_Change() {
    bit_entry(4);
}
void SegmentForm::SEG_F_Change() {
    bit_entry(5);
}
void SegmentForm::SEG_G_Change() {
    bit_entry(6);
}
void SegmentForm::SEG_H_Change() {
    bit_entry(7);
}

void SegmentForm::bit_entry(int letter) {
    TextBox* box = bit_boxes()[letter];
    if (m_model.set_bit(letter, text_to_number(box->text()))) {
        host().message(QStringLiteral("输入错误"));
        // Emptying the box is a change of its own, which puts the letter on bit 0.
        box->setText(QString());
    }
    m_model.clear_lettering();
    show_captions();
    reset_shown_table();
}

void SegmentForm::Command7_Click() {
    position_click(Position::kTop);
}
void SegmentForm::Command8_Click() {
    position_click(Position::kUpperLeft);
}
void SegmentForm::Command9_Click() {
    position_click(Position::kUpperRight);
}
void SegmentForm::Command10_Click() {
    position_click(Position::kMiddle);
}
void SegmentForm::Command11_Click() {
    position_click(Position::kLowerLeft);
}
void SegmentForm::Command12_Click() {
    position_click(Position::kBottom);
}
void SegmentForm::Command13_Click() {
    position_click(Position::kLowerRight);
}

void SegmentForm::position_click(Position position) {
    const bool cleared = m_model.click_position(position);
    show_captions();
    if (cleared) {
        reset_shown_table();
    }
}

void SegmentForm::show_captions() {
    const std::array<QPushButton*, kPositionCount> buttons = {
        Command7, Command9, Command13, Command12, Command11, Command8, Command10};
    for (int position = 0; position < kPositionCount; ++position) {
        buttons[position]->setText(m_model.caption(static_cast<Position>(position)));
    }
}

void SegmentForm::gen_table(int last) {
    文本框->setText(m_table.gen_table(last, m_model.build_codes(), Combo1->text()));
}

void SegmentForm::reset_shown_table() {
    文本框->setText(QString());
    m_table.reset_single_step();
}

bool SegmentForm::check_table() {
    bool passed = true;
    if (!m_model.check_pattern()) {
        文本框->setText(QString());
        host().message(QStringLiteral("你没选择码型"));
        passed = false;
    }
    if (!check_bits(read_bits())) {
        文本框->setText(QString());
        host().message(QStringLiteral("你的段位与比特位对应有问题！"));
        passed = false;
    }
    return passed;
}

void SegmentForm::单步转换_Click() {
    gen_table(m_table.take_single_step());
    check_table();
}

void SegmentForm::全部转换_Click() {
    gen_table(kCharacterCount - 1);
    CommonDialog1.file_name = QStringLiteral("七段码查询");
    m_table.reset_single_step();
    if (!check_table()) {
        return;
    }
    if (const auto path = host().save_file(CommonDialog1)) {
        save_text_file(host(), *path, 文本框->text());
    }
}

void SegmentForm::显示方式_Click() {
    Text5->setText(display_type_text(m_model.toggle_display_type()));
    reset_shown_table();
}

void SegmentForm::清除_Click() {
    reset_shown_table();
}

void SegmentForm::帮助_Click() {
    host().message(QStringList{
        QStringLiteral("1：输入数码管每段和单片机输出口对应的I/O位(只能是同一个口)"),
        QStringLiteral("2：选择码型(单击绿色数码管的每一段可改变码型;不同的厂家有时排序不同)"),
        QStringLiteral("3：按全部转换或单步转换就OK啦!"),
        QStringLiteral("4：可根据需要选择其他选项"),
    }
                       .join(u'\r'));
}
