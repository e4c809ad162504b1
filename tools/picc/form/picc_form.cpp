#include "picc_form.h"

#include "shell/host/form_host.h"
#include "shell/host/text_file.h"
#include "shell/widgets/look.h"
#include "tools/picc/core/asm_conversion.h"
#include "tools/picc/core/pic_chips.h"

#include <QDir>
#include <QListWidget>

namespace {

const QColor kBackground = rgb(255, 255, 192);
const QString kAssembler = QStringLiteral("Mpasmwin.exe");

}  // namespace

PiccForm::PiccForm(FormHost& host)
    : Form(host, QStringLiteral("PICCASM"), QStringLiteral("PICCASM"), 11910, 8625, kBackground) {
    m_source = add_text_box(this, "Text1", QString(), {1560, 0, 10095, 8415}, "汇编源程序",
                            TextBox::Lines::kMulti, TextBox::ScrollBars::kBoth);

    m_find_button = add_button(this, "Command2", "查找", {120, 600, 1215, 495});
    set_face(m_find_button, rgb(0, 255, 0));
    QLabel* chip_heading = add_label(this, "Label1", "芯片类型", {360, 1320, 735, 255});
    set_background(chip_heading, kBackground);
    m_chip = add_combo_box(this, "Combo1", "16C54", {120, 1680, 1215, 300}, "芯片类型");

    m_convert_button = add_button(this, "Command1", "转换", {120, 2280, 1215, 495});
    set_face(m_convert_button, rgb(0, 255, 255));
    m_save_button = add_button(this, "Command3", "保存", {120, 3120, 1215, 495});
    set_face(m_save_button, rgb(0, 255, 0));
    m_assemble_button = add_button(this, "Command4", "编译", {120, 3960, 1215, 495});
    set_face(m_assemble_button, rgb(0, 255, 255));
    for (QPushButton* button : {m_convert_button, m_save_button, m_assemble_button}) {
        button->setFont(song_font(14.25));
    }

    // A list box that nothing fills or reads.
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    place(m_list, {120, 4800, 1095, 420});

    connect(m_find_button, &QPushButton::clicked, this, &PiccForm::on_find_clicked);
    connect(m_convert_button, &QPushButton::clicked, this, &PiccForm::on_convert_clicked);
    connect(m_save_button, &QPushButton::clicked, this, &PiccForm::on_save_clicked);
    connect(m_assemble_button, &QPushButton::clicked, this, &PiccForm::on_assemble_clicked);
}

void PiccForm::on_load() {
    m_open_dialog.filter = text_file_filter();
    m_open_dialog.default_extension = QStringLiteral(".txt");
    m_save_dialog.filter = QStringLiteral("汇编文件（*.asm）|*.asm|所有文件（*.*）|*.*");
    m_save_dialog.default_extension = QStringLiteral(".asm");
    m_save_dialog.file_name = QStringLiteral("picctoasm");

    m_chip->addItems(pic_chips());
    m_chip->setText(QStringLiteral("16C54"));
    m_convert_button->setEnabled(false);
}

void PiccForm::on_find_clicked() {
    m_open_dialog.file_name = m_file_name;
    m_file_name = host().open_file(m_open_dialog).value_or(QString());
    m_convert_button->setEnabled(true);
}

std::optional<QString> PiccForm::read_listing() {
    if (m_file_name.isEmpty()) {
        host().message(QStringLiteral("没有选择要转换的文件\r请先按“查找”选择一个文件"));
        return std::nullopt;
    }
    QString listing;
    if (const auto error = read_text_file(m_file_name, listing)) {
        host().message(QStringLiteral("无法读取文件：%1\r%2")
                           .arg(QDir::toNativeSeparators(m_file_name), error->reason));
        return std::nullopt;
    }
    return listing;
}

void PiccForm::on_convert_clicked() {
    // The file is read before the text box is touched, so a failure leaves the text as it was.
    QString source;
    {
        const std::optional<QString> listing = read_listing();
        if (!listing) {
            return;
        }
        source = convert_listing(*listing, m_chip->text());
    }  // the listing goes before the text box makes its own copies
    m_source->setText(source);
    m_convert_button->setEnabled(false);
    m_find_button->setEnabled(true);
    m_save_button->setEnabled(true);
}

void PiccForm::on_save_clicked() {
    m_file_name = host().save_file(m_save_dialog).value_or(QString());
    if (!m_file_name.isEmpty()) {
        save_text_file(host(), m_file_name, m_source->text());
    }
}

void PiccForm::on_assemble_clicked() {
    if (const auto reason = host().start_program(kAssembler)) {
        host().message(QStringLiteral("无法启动汇编程序：%1\r%2").arg(kAssembler, *reason));
    }
}
