#include "tools/tacho/form/tacho_form.h"
#include "shell/widgets/look.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/form_test.h"
#include "tools/tacho/form/byte_log_view.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QPointer>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

using Messages = std::vector<QString>;

class TachoFormTest : public FormTest<TachoForm> {
protected:
    TachoFormTest() {
        m_host.make_serial_port = [this](int number) {
            m_port_numbers.push_back(number);
            auto device = std::make_unique<FakeSerialDevice>();
            device->opens = m_port_opens;
            m_device = device.get();
            return device;
        };
    }

    void start() { click(button(u"Command66"_s)); }
    void stop() { click(button(u"Command67"_s)); }
    // Bytes arrive on the line; the window handles them as they come.
    void feed(const char* hex) { m_device->feed(QByteArray::fromHex(hex)); }
    void frames(const char* hex, int count) {
        for (int i = 0; i < count; ++i) {
            feed(hex);
        }
    }

    QPushButton* button(const QString& name) { return control<QPushButton>(m_form, name); }
    TextBox* box(const QString& name) { return control<TextBox>(m_form, name); }
    QString text(const QString& name) { return box(name)->text(); }
    QString log() { return control<ByteLogView>(m_form, u"Text1"_s)->text(); }
    // The colour the segment shows on screen, in its middle.
    QColor face(int number) {
        QPushButton* segment = button(u"Command%1"_s.arg(number));
        return segment->grab().toImage().pixelColor(segment->rect().center());
    }

    FakeSerialDevice* m_device = nullptr;
    std::vector<int> m_port_numbers;
    bool m_port_opens = true;
};

// A second start neither sets the port up again nor discards what it has received.
TEST_F(TachoFormTest, StartOpensSerialPortOneOnceAt9600N81) {
    start();
    feed("55AA");
    start();
    EXPECT_EQ(m_host.messages, (Messages{u"采集开始"_s, u"采集已开始"_s}));
    EXPECT_EQ(m_port_numbers, std::vector<int>{1});
    EXPECT_EQ(m_device->open_count, 1);
    const SerialLine& line = m_device->line;
    EXPECT_EQ(std::tuple(line.baud, line.parity, line.data_bits, line.stop_bits),
              std::tuple(9600, 'N', 8, 1));
    feed("2710FF");
    EXPECT_EQ(text(u"文本框7"_s), u"1250\r\n"_s);
}

TEST_F(TachoFormTest, StartAndStopFollowThePortState) {
    struct Step {
        bool start;
        bool port_opens;
        const char16_t* message;
        bool limits_enabled;
    };
    const Step steps[] = {
        {false, true, u"采集已结束", true},     // idle: stop
        {true, false, u"串口通信无效", false},  // the port does not open: halted
        {false, true, u"采集已结束", true},    {true, true, u"采集开始", false},
        {true, true, u"采集已开始", false},    {false, true, u"采集结束", true},
        {false, true, u"采集已结束", true},
    };
    for (const Step& step : steps) {
        m_port_opens = step.port_opens;
        m_host.messages.clear();
        step.start ? start() : stop();
        EXPECT_EQ(m_host.messages, Messages{QString::fromUtf16(step.message)});
        EXPECT_EQ(box(u"Text2"_s)->isEnabled(), step.limits_enabled);
        EXPECT_EQ(box(u"Text3"_s)->isEnabled(), step.limits_enabled);
    }
}

// The frames show in the log, which a screen reader can read too, and in the readings.
TEST_F(TachoFormTest, FramesShowInTheLogAndTheReadings) {
    start();
    feed("12 55 55AA2710 FF 55AA3039FF 55AA3039FE");
    const QString values =
        u"85\r\n85\r\n170\r\n39\r\n16\r\n85\r\n170\r\n48\r\n57\r\n255\r\n"
        u"85\r\n170\r\n48\r\n57\r\n254\r\n"_s;
    EXPECT_EQ(log(), values);
    EXPECT_EQ(text(u"文本框1"_s), u"59.256\r\n"_s);
    EXPECT_EQ(text(u"文本框7"_s), u"1013\r\n"_s);

    QAccessibleInterface* reader =
        QAccessible::queryAccessibleInterface(control<ByteLogView>(m_form, u"Text1"_s));
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->role(), QAccessible::EditableText);
    EXPECT_EQ(reader->text(QAccessible::Name), u"即时数据窗口"_s);
    ASSERT_NE(reader->textInterface(), nullptr);
    EXPECT_EQ(reader->textInterface()->characterCount(), values.size());
    EXPECT_EQ(reader->textInterface()->text(8, 13), u"170\r\n"_s);
}

// The average comes every twelfth frame, the cycle running on over a stop and a start; the box
// gathers a line end for each frame between.
TEST_F(TachoFormTest, AverageIsShownEveryTwelveFrames) {
    start();
    frames("55AA1F40FF", 5);  // 1562
    stop();
    start();
    frames("55AA2710FF", 6);
    EXPECT_EQ(text(u"文本框6"_s), u"0000000"_s + u"\r\n"_s.repeated(11));
    feed("55AA2710FF");
    EXPECT_EQ(text(u"文本框6"_s), u"1380\r\n"_s);  // (5 * 1562 + 7 * 1250) / 12
    frames("55AA2710FF", 6);
    frames("55AA2708FF", 6);                       // 1251 r/min
    EXPECT_EQ(text(u"文本框6"_s), u"1250\r\n"_s);  // 1250.5, half to even
}

struct LimitCase {
    const char* upper;
    const char* lower;
    const char* upper_after;
    const char* lower_after;
    int failures;
};

TEST_F(TachoFormTest, ABadLimitStopsAcquisitionWithTwoMessagesPerCheck) {
    const LimitCase cases[] = {{"abc", "000", "100", "000", 1},
                               {"abc", "200", "100", "0", 2},
                               {"100", "20", "100", "20", 0}};
    for (const LimitCase& c : cases) {
        stop();
        retype(box(u"Text2"_s), QString::fromLatin1(c.upper));
        retype(box(u"Text3"_s), QString::fromLatin1(c.lower));
        start();
        m_host.messages.clear();
        // The frames after the one that found the bad limit are not read.
        feed("55AA2710FF55AA3039FF");
        Messages expected;
        for (int i = 0; i < c.failures; ++i) {
            expected.insert(expected.end(), {u"输入错误"_s, u"采集结束"_s});
        }
        EXPECT_EQ(m_host.messages, expected) << c.upper << " " << c.lower;
        EXPECT_EQ(text(u"Text2"_s), QString::fromLatin1(c.upper_after)) << c.upper;
        EXPECT_EQ(text(u"Text3"_s), QString::fromLatin1(c.lower_after)) << c.lower;
        EXPECT_EQ(m_form->is_acquiring(), c.failures == 0) << c.upper << " " << c.lower;
        EXPECT_FALSE(box(u"Text2"_s)->isEnabled());  // halted until "停止"
        EXPECT_EQ(text(u"文本框7"_s), c.failures ? u"1250\r\n"_s : u"1013\r\n"_s);
    }
    m_host.messages.clear();
    stop();
    EXPECT_EQ(m_host.messages, Messages{u"采集结束"_s});  // the last case was still running
}

TEST_F(TachoFormTest, TheBarLightsSegmentsInTheirColours) {
    EXPECT_EQ(face(1), menu_colour());  // until the first valid frame
    retype(box(u"Text2"_s), u"2000"_s);
    retype(box(u"Text3"_s), u"1000"_s);
    start();
    feed("55AA2710FF");  // 1250 r/min: thresholds 1045, 1090, 1135, 1180, 1225
    const QColor magenta(255, 0, 255), blue(0, 0, 255);
    const QColor lit[] = {magenta, magenta, magenta, blue, blue};
    for (int segment = 1; segment <= 22; ++segment) {
        const QColor expected = segment <= 5 ? lit[segment - 1] : button_face_colour();
        EXPECT_EQ(face(23 - segment), expected) << "segment " << segment;
    }
    feed("55AA0000FF");  // 60000 r/min: all lit, red on top
    EXPECT_EQ(face(1), QColor(255, 0, 0));
    EXPECT_EQ(face(8), QColor(255, 255, 0));
}

// Stopping or closing the window mid-frame drops the partial frame; the port goes with the window.
TEST_F(TachoFormTest, EndingAcquisitionDropsThePartialFrame) {
    start();
    feed("55AA27");
    stop();
    start();
    feed("10FF55AA2710FF");
    EXPECT_EQ(log(), u"85\r\n170\r\n39\r\n16\r\n255\r\n"_s);
    feed("55AA27");
    FakeSerialDevice* device = m_device;
    m_form->close();
    EXPECT_FALSE(device->is_open());
}

TEST_F(TachoFormTest, AFailingDeviceHaltsAcquisition) {
    start();
    feed("55AA2710FF");
    m_device->fail();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_host.messages, (Messages{u"采集开始"_s, u"串口通信无效"_s}));
    EXPECT_FALSE(m_form->is_acquiring());
    EXPECT_FALSE(box(u"Text2"_s)->isEnabled());
    m_host.messages.clear();
    stop();
    EXPECT_EQ(m_host.messages, Messages{u"采集已结束"_s});
}

// A failure is told after the device's own work is done; by then the user may have stopped, or
// started again on a new device. Neither acquisition hears of it.
TEST_F(TachoFormTest, AFailureOfAClosedOrReplacedDeviceIsIgnored) {
    const std::function<void()> after_failure[] = {[this] { stop(); }, [this] { start(); }};
    for (const auto& step : after_failure) {
        reopen();
        start();
        m_device->fail();
        step();
        m_host.messages.clear();
        QCoreApplication::processEvents();
        EXPECT_TRUE(m_host.messages.empty());
    }
    EXPECT_TRUE(m_form->is_acquiring());
}

}  // namespace
