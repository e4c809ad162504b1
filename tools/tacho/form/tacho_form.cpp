#include "tacho_form.h"

#include "byte_log_view.h"
#include "shell/host/form_host.h"
#include "shell/host/number_text.h"
#include "shell/widgets/look.h"
#include "tools/tacho/core/bar_graph.h"

namespace {

const QColor kBackground = rgb(192, 255, 255);
const QColor kCaptionBlue = rgb(0, 0, 192);
const QString kLineEnd = QStringLiteral("\r\n");

const QString kHelp = QStringLiteral(
    "1：需和串口配合(波特率9600,无校验位,1位停止位,8位数据,二进制格式)。\r"
    "2：接受数据格式(55H+AAH+数据1(16位数据高8位)+数据2(16位数据低8位)+FFH)。\r"
    "3：数据1和2是每转的时间(us)\r"
    "4：上，下限值为右边图示条的显示范围。");

QLabel* caption(QWidget* parent, const char* name, const QString& text, const Twips& place,
                double points, const QColor& colour = QColor()) {
    QLabel* label = add_label(parent, name, text, place);
    label->setFont(song_font(points));
    if (colour.isValid()) {
        set_text_colour(label, colour);
    }
    return label;
}

TextBox* reading(QWidget* parent, const char* name, const Twips& place, const QString& role) {
    TextBox* box = add_text_box(parent, name, QStringLiteral("0000000"), place, role);
    box->setFont(song_font(18));
    set_text_colour(box, rgb(255, 0, 0));
    return box;
}

QPushButton* command(QWidget* parent, const char* name, const QString& text, int left,
                     const QColor& face, double points) {
    QPushButton* button = add_button(parent, name, text, {left, 6360, 855, 495});
    set_face(button, face);
    button->setFont(song_font(points));
    return button;
}

}  // namespace

TachoForm::TachoForm(FormHost& host)
    : Form(host, QStringLiteral("转速表"), QStringLiteral("转速表"), 6600, 7545, kBackground) {
    Frame5 = add_frame(this, "Frame5", "转速表", {2640, 0, 975, 375});
    Frame5->setFont(song_font(12));
    set_text_colour(Frame5, rgb(0, 0, 255));
    set_background(Frame5, kBackground);
    Line6 = add_line(this, "Line6", 0, 480, 11880, 480);

    Label2 = caption(this, "Label2", "每转时间", {0, 960, 1215, 375}, 15);
    文本框1 = reading(this, "文本框1", {1320, 840, 1455, 495}, QStringLiteral("每转时间"));
    Label3 = caption(this, "Label3", "ms/r", {3000, 840, 735, 375}, 15.75);
    即时转速 = caption(this, "即时转速", "即时转速", {0, 1800, 1335, 375}, 15, kCaptionBlue);
    文本框7 = reading(this, "文本框7", {1320, 1680, 1455, 495}, QStringLiteral("即时转速"));
    Label45 = caption(this, "Label45", "r/min", {2880, 1800, 855, 495}, 15.75, kCaptionBlue);
    平均转速 = caption(this, "平均转速", "平均转速", {0, 2640, 1335, 375}, 15, kCaptionBlue);
    文本框6 = reading(this, "文本框6", {1320, 2520, 1455, 495}, QStringLiteral("平均转速"));
    Label1 = caption(this, "Label1", "r/min", {2880, 2880, 975, 375}, 15.75, kCaptionBlue);

    Label4 = caption(this, "Label4", "上限值", {120, 3480, 1095, 495}, 15.75);
    Text2 = add_text_box(this, "Text2", "100", {1320, 3360, 1455, 495}, QStringLiteral("上限值"));
    Text2->setFont(song_font(15.75));
    Label5 = caption(this, "Label5", "下限值", {120, 4320, 975, 495}, 15.75);
    Text3 = add_text_box(this, "Text3", "000", {1320, 4200, 1455, 495}, QStringLiteral("下限值"));
    Text3->setFont(song_font(15.75));

    Label6 = caption(this, "Label6", "即时数据窗口", {840, 4800, 1815, 375}, 14.25, rgb(255, 0, 0));
    Text1 = new ByteLogView(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("即时数据窗口"));
    place(Text1, {480, 5160, 2295, 2055});
    QPalette log_palette = Text1->viewport()->palette();
    log_palette.setColor(QPalette::Base, rgb(255, 255, 192));
    log_palette.setColor(QPalette::Window, rgb(255, 255, 192));
    Text1->viewport()->setPalette(log_palette);

    Picture1 = add_picture(this, "Picture1", {3720, 720, 2655, 5295});
    set_background(Picture1, kBackground);
    for (int number = 1; number <= kBarSegments; ++number) {
        const int segment = kBarSegments + 1 - number;
        QPushButton* button = add_button(Picture1, QStringLiteral("Command%1").arg(number),
                                         QString(), {120, (number - 1) * 240, 2415, 255});
        button->setAccessibleName(QStringLiteral("条形图第%1段").arg(segment));
        button->setFocusPolicy(Qt::NoFocus);
        set_face(button, menu_colour());
        m_segments[segment - 1] = button;
    }

    Command66 = command(this, "Command66", "开始", 3000, rgb(0, 255, 0), 15.75);
    Command67 = command(this, "Command67", "停止", 4200, rgb(255, 0, 0), 15.75);
    Command23 = command(this, "Command23", "帮助", 5400, rgb(0, 255, 255), 14.25);
    Line7 = add_line(this, "Line7", 0, 7320, 6600, 7320);

    MSComm1 = new SerialComm(host, this);
    MSComm1->setObjectName(QStringLiteral("MSComm1"));

    connect(Command66, &QPushButton::clicked, this, &TachoForm::Command66_Click);
    connect(Command67, &QPushButton::clicked, this, &TachoForm::Command67_Click);
    connect(Command23, &QPushButton::clicked, this, &TachoForm::Command23_Click);
    connect(MSComm1, &SerialComm::OnComm, this, &TachoForm::MSComm1_OnComm);
    connect(MSComm1, &SerialComm::failed, this, &TachoForm::port_failed);
    // The port belongs to the window: it closes when the window goes, also while a frame waits.
    connect(this, &Form::unloaded, MSComm1, [this] { MSComm1->setPortOpen(false); });
}

void TachoForm::Command66_Click() {
    if (MSComm1->PortOpen()) {
        host().message(QStringLiteral("采集已开始"));
        return;
    }
    Text2->setEnabled(false);
    Text3->setEnabled(false);
    MSComm1->setCommPort(1);
    MSComm1->setSettings(QStringLiteral("9600,N,8,1"));
    MSComm1->setInBufferSize(40);
    MSComm1->setOutBufferSize(2);
    MSComm1->setInputMode(SerialComm::kInputBinary);
    MSComm1->setInputLen(1);
    MSComm1->setSThreshold(1);
    MSComm1->setInBufferCount(0);
    MSComm1->setOutBufferCount(0);
    MSComm1->setRThreshold(1);
    // Only a port that really opened is reported as started.
    if (MSComm1->setPortOpen(true)) {
        host().message(QStringLiteral("采集开始"));
    } else {
        host().message(QStringLiteral("串口通信无效"));
    }
}

void TachoForm::Command67_Click() {
    Text2->setEnabled(true);
    Text3->setEnabled(true);
    if (MSComm1->PortOpen()) {
        MSComm1->setPortOpen(false);
        host().message(QStringLiteral("采集结束"));
    } else {
        host().message(QStringLiteral("采集已结束"));
    }
}

void TachoForm::Command23_Click() {
    host().message(kHelp);
}

void TachoForm::port_failed() {
    host().message(QStringLiteral("串口通信无效"));
}

void TachoForm::MSComm1_OnComm() {
    if (MSComm1->CommEvent() != SerialComm::kEventReceive) {
        return;
    }
    // Held for the whole frame: a close meanwhile hides the window, which goes only after this
    // handler has returned.
    Busy busy(*this);
    Frame frame;
    const QByteArray first = MSComm1->Input();
    if (first.isEmpty() || static_cast<std::uint8_t>(first[0]) != Frame::kStart) {
        return;
    }
    frame.bytes[0] = Frame::kStart;

    MSComm1->setRThreshold(0);
    while (MSComm1->InBufferCount() < Frame::kSize - 1) {
        // Stop, a closed window or a failed device closes the port: the partial frame goes.
        if (!MSComm1->PortOpen() || busy.unloaded()) {
            return;
        }
        host().wait_for_events();
    }
    for (int i = 1; i < Frame::kSize; ++i) {
        frame.bytes[i] = static_cast<std::uint8_t>(MSComm1->Input().at(0));
    }
    MSComm1->setRThreshold(1);

    Text1->append(frame.bytes.data(), frame.bytes.size());
    if (!frame.valid()) {
        return;
    }

    const Speed speed = speed_of(frame.count());
    文本框1->setText(number_to_text(speed.ms));
    if (const auto average = m_average.add(speed.rpm)) {
        文本框6->setText(number_to_text(*average));
    }
    文本框6->append(kLineEnd);
    文本框1->append(kLineEnd);

    const LimitReview review = review_limits(Text2->text(), Text3->text());
    for (const LimitFailure& failure : review.failures) {
        if (failure.upper) {
            Text2->setText(*failure.upper);
        }
        if (failure.lower) {
            Text3->setText(*failure.lower);
        }
        MSComm1->setPortOpen(false);
        host().message(QStringLiteral("输入错误"));
        host().message(QStringLiteral("采集结束"));
    }

    show_bar(lit_segments(speed.rpm, review.scale));
    文本框7->setText(number_to_text(speed.rpm));
    文本框7->append(kLineEnd);
}

// Repaints only the segments whose state changes: a frame then costs little however fast
// frames come.
void TachoForm::show_bar(int lit) {
    for (int k = 1; k <= kBarSegments; ++k) {
        const bool was_lit = k <= m_lit;
        const bool now_lit = k <= lit;
        if (m_lit >= 0 && was_lit == now_lit) {
            continue;
        }
        const Rgb colour = segment_colour(k);
        set_face(m_segments[k - 1],
                 now_lit ? rgb(colour.red, colour.green, colour.blue) : button_face_colour());
    }
    m_lit = lit;
}
