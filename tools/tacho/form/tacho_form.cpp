#include "tacho_form.h"

#include "base/number_text.h"
#include "byte_log_view.h"
#include "shell/host/form_host.h"
#include "shell/widgets/look.h"
#include "shell/widgets/plot_box.h"
#include "speed_plot_window.h"
#include "tools/tacho/core/bar_graph.h"

namespace {

const QColor kBackground = rgb(192, 255, 255);
const QColor kCaptionBlue = rgb(0, 0, 192);
const QString kLineEnd = QStringLiteral("\r\n");
// The board's line: 9600 baud, no parity, 8 data bits, 1 stop bit.
const SerialLine kBoardLine{9600, 'N', 8, 1};
constexpr int kBoardPort = 1;

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

TextBox* limit(QWidget* parent, const char* name, const QString& text, const Twips& place,
               const QString& role) {
    TextBox* box = add_text_box(parent, name, text, place, role);
    box->setFont(song_font(15.75));
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
    QGroupBox* title = add_frame(this, "Frame5", "转速表", {2640, 0, 975, 375});
    title->setFont(song_font(12));
    set_text_colour(title, rgb(0, 0, 255));
    set_background(title, kBackground);
    add_line(this, "Line6", 0, 480, 11880, 480);

    caption(this, "Label2", "每转时间", {0, 960, 1215, 375}, 15);
    m_ms_per_revolution = reading(this, "文本框1", {1320, 840, 1455, 495}, "每转时间");
    caption(this, "Label3", "ms/r", {3000, 840, 735, 375}, 15.75);
    caption(this, "即时转速", "即时转速", {0, 1800, 1335, 375}, 15, kCaptionBlue);
    m_speed = reading(this, "文本框7", {1320, 1680, 1455, 495}, "即时转速");
    caption(this, "Label45", "r/min", {2880, 1800, 855, 495}, 15.75, kCaptionBlue);
    caption(this, "平均转速", "平均转速", {0, 2640, 1335, 375}, 15, kCaptionBlue);
    m_average_speed = reading(this, "文本框6", {1320, 2520, 1455, 495}, "平均转速");
    caption(this, "Label1", "r/min", {2880, 2880, 975, 375}, 15.75, kCaptionBlue);

    caption(this, "Label4", "上限值", {120, 3480, 1095, 495}, 15.75);
    m_upper_limit = limit(this, "Text2", "100", {1320, 3360, 1455, 495}, "上限值");
    caption(this, "Label5", "下限值", {120, 4320, 975, 495}, 15.75);
    m_lower_limit = limit(this, "Text3", "000", {1320, 4200, 1455, 495}, "下限值");

    caption(this, "Label6", "即时数据窗口", {840, 4800, 1815, 375}, 14.25, rgb(255, 0, 0));
    m_byte_log = new ByteLogView(this);
    m_byte_log->setObjectName(QStringLiteral("Text1"));
    m_byte_log->setAccessibleName(QStringLiteral("即时数据窗口"));
    place(m_byte_log, {480, 5160, 2295, 2055});
    QPalette log_palette = m_byte_log->viewport()->palette();
    log_palette.setColor(QPalette::Base, rgb(255, 255, 192));
    log_palette.setColor(QPalette::Window, rgb(255, 255, 192));
    m_byte_log->viewport()->setPalette(log_palette);

    QFrame* bar = add_picture(this, "Picture1", {3720, 720, 2655, 5295});
    set_background(bar, kBackground);
    // Command1 stands at the top and is segment 22; Command22 at the bottom is segment 1.
    for (int number = 1; number <= kBarSegments; ++number) {
        const int segment = kBarSegments + 1 - number;
        QPushButton* button = add_button(bar, QStringLiteral("Command%1").arg(number), QString(),
                                         {120, (number - 1) * 240, 2415, 255});
        button->setAccessibleName(QStringLiteral("条形图第%1段").arg(segment));
        button->setFocusPolicy(Qt::NoFocus);
        set_face(button, menu_colour());
        m_segments[segment - 1] = button;
    }

    m_start_button = command(this, "Command66", "开始", 3000, rgb(0, 255, 0), 15.75);
    m_stop_button = command(this, "Command67", "停止", 4200, rgb(255, 0, 0), 15.75);
    m_help_button = command(this, "Command23", "帮助", 5400, rgb(0, 255, 255), 14.25);
    add_line(this, "Line7", 0, 7320, 6600, 7320);
    // Beside the title, where the window has room; it opens a window of its own.
    m_curve_button =
        add_button(this, "curve_button", QStringLiteral("曲线"), {5040, 30, 1215, 420});
    set_face(m_curve_button, rgb(255, 255, 0));
    m_curve_button->setFont(song_font(12));

    connect(m_start_button, &QPushButton::clicked, this, &TachoForm::on_start_clicked);
    connect(m_stop_button, &QPushButton::clicked, this, &TachoForm::on_stop_clicked);
    connect(m_help_button, &QPushButton::clicked, this, &TachoForm::on_help_clicked);
    connect(m_curve_button, &QPushButton::clicked, this, &TachoForm::on_curve_clicked);
    // The port belongs to the window and closes with it.
    connect(this, &Form::unloaded, this, &TachoForm::close_port);
    // The plot shows this window's samples and goes with it.
    connect(this, &Form::unloaded, this, [this] {
        if (m_plot_window) {
            m_plot_window->unload();
        }
    });
}

TachoForm::~TachoForm() {
    delete m_plot_window.data();
}

void TachoForm::on_curve_clicked() {
    if (!m_plot_window) {
        m_plot_window = new SpeedPlotWindow(host(), m_speeds);
        m_plot_window->load();
    }
    m_plot_window->show();
    m_plot_window->raise();
    m_plot_window->activateWindow();
}

bool TachoForm::is_acquiring() const {
    return m_port && m_port->is_open();
}

void TachoForm::on_start_clicked() {
    if (is_acquiring()) {
        host().message(QStringLiteral("采集已开始"));
        return;
    }
    m_upper_limit->setEnabled(false);
    m_lower_limit->setEnabled(false);
    m_decoder.reset();
    ++m_session;
    m_port = host().serial_device(host().serial_port_device(kBoardPort));
    // Only a port that really opened is reported as started.
    if (!m_port || !m_port->open(kBoardLine)) {
        host().message(QStringLiteral("串口通信无效"));
        return;
    }
    m_port->discard_input();  // nothing received before the start counts
    m_port->discard_output();
    connect(m_port.get(), &SerialDevice::bytes_arrived, this, &TachoForm::on_bytes_arrived);
    // Told after the device has finished its own work, never from inside it.
    connect(
        m_port.get(), &SerialDevice::failed, this,
        [this, session = m_session] { on_port_failed(session); }, Qt::QueuedConnection);
    host().message(QStringLiteral("采集开始"));
}

void TachoForm::on_stop_clicked() {
    m_upper_limit->setEnabled(true);
    m_lower_limit->setEnabled(true);
    const bool was_acquiring = is_acquiring();
    close_port();  // also ends a session whose device failed and has yet to tell
    host().message(was_acquiring ? QStringLiteral("采集结束") : QStringLiteral("采集已结束"));
}

void TachoForm::on_help_clicked() {
    host().message(kHelp);
}

void TachoForm::close_port() {
    if (m_port) {
        m_port->close();
    }
    ++m_session;
    m_decoder.reset();  // a partial frame is dropped
}

void TachoForm::on_port_failed(int session) {
    if (session != m_session) {
        return;
    }
    close_port();
    host().message(QStringLiteral("串口通信无效"));
}

void TachoForm::on_bytes_arrived() {
    if (!is_acquiring()) {
        return;
    }
    const QByteArray bytes = m_port->read(m_port->bytes_waiting());
    const quint64 revision_before = m_speeds.revision();
    for (const char byte : bytes) {
        if (const auto frame = m_decoder.push(static_cast<std::uint8_t>(byte))) {
            on_frame(*frame);
            // A bad limit ends acquisition at this frame; what came after it is not read.
            if (!is_acquiring()) {
                break;
            }
        }
    }
    // The plot hears once of all the frames of a read.
    if (m_plot_window && m_speeds.revision() != revision_before) {
        m_plot_window->plot_box()->data_changed();
    }
}

void TachoForm::on_frame(const Frame& frame) {
    m_byte_log->append(frame.bytes.data(), frame.bytes.size());
    if (!frame.valid()) {
        return;
    }

    const Speed speed = speed_of(frame.count());
    m_ms_per_revolution->setText(number_to_text(speed.ms));
    if (const auto average = m_average.add(speed.rpm)) {
        m_average_speed->setText(number_to_text(*average));
        m_shown_average = average;
    }
    NamedValues values{{SpeedPlotWindow::kMsPerRevolution, speed.ms},
                       {SpeedPlotWindow::kSpeed, double(speed.rpm)}};
    if (m_shown_average) {
        values.push_back({SpeedPlotWindow::kAverageSpeed, double(*m_shown_average)});
    }
    m_speeds.add(host().steady_ms() / 1000.0, values);
    m_average_speed->append(kLineEnd);
    m_ms_per_revolution->append(kLineEnd);

    const LimitReview review = review_limits(m_upper_limit->text(), m_lower_limit->text());
    for (const LimitFailure& failure : review.failures) {
        if (failure.upper) {
            m_upper_limit->setText(*failure.upper);
        }
        if (failure.lower) {
            m_lower_limit->setText(*failure.lower);
        }
        close_port();
        host().message(QStringLiteral("输入错误"));
        host().message(QStringLiteral("采集结束"));
    }

    show_bar(lit_segments(speed.rpm, review.scale));
    m_speed->setText(number_to_text(speed.rpm));
    m_speed->append(kLineEnd);
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
