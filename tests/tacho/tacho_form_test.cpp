#include "tools/tacho/form/tacho_form.h"
#include "shell/widgets/look.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/form_test.h"
#include "tools/tacho/form/byte_log_view.h"

#include <QCoreApplication>
#include <QPointer>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

const QString kHelp =
    u"1：需和串口配合(波特率9600,无校验位,1位停止位,8位数据,二进制格式)。\r"
    u"2：接受数据格式(55H+AAH+数据1(16位数据高8位)+数据2(16位数据低8位)+FFH)。\r"
    u"3：数据1和2是每转的时间(us)\r"
    u"4：上，下限值为右边图示条的显示范围。"_s;

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
    // Bytes arrive on the line and the window handles them.
    void feed(const char* hex) {
        m_device->feed(QByteArray::fromHex(hex));
        settle();
    }
    void settle() {
        for (int i = 0; i < 1000 && !m_form.isNull() && m_form->port()->InBufferCount() > 0; ++i) {
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
    }
    void frames(const char* hex, int count) {
        for (int i = 0; i < count; ++i) {
            feed(hex);
        }
    }

    QPushButton* button(const QString& name) { return control<QPushButton>(m_form, name); }
    TextBox* box(const QString& name) { return control<TextBox>(m_form, name); }
    QString text(const QString& name) { return box(name)->text(); }
    QString log() { return control<ByteLogView>(m_form, u"Text1"_s)->text(); }
    QColor face(int number) {
        return button(u"Command%1"_s.arg(number))->palette().color(QPalette::Button);
    }
    // Fails the test instead of hanging when a wait never ends.
    void on_wait(std::function<void()> action) {
        m_host.on_wait = [this, action] {
            if (m_host.waits > 100) {
                ADD_FAILURE() << "the frame wait did not end";
                m_form->port()->setPortOpen(false);
                return;
            }
            action();
        };
    }

    FakeSerialDevice* m_device = nullptr;
    std::vector<int> m_port_numbers;
    bool m_port_opens = true;
};

// A second start neither sets the port up again nor discards what it has received.
TEST_F(TachoFormTest, StartOpensSerialPortOneOnceAt9600N81) {
    start();
    m_device->feed(QByteArray::fromHex("12"));
    start();
    EXPECT_EQ(m_host.messages, (Messages{u"采集开始"_s, u"采集已开始"_s}));
    EXPECT_EQ(m_port_numbers, std::vector<int>{1});
    EXPECT_EQ(m_device->open_count, 1);
    const SerialLine& line = m_device->line;
    EXPECT_EQ(std::tuple(line.baud, line.parity, line.data_bits, line.stop_bits),
              std::tuple(9600, 'N', 8, 1));
    EXPECT_EQ(m_form->port()->InBufferCount(), 1);
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

struct StreamCase {
    const char* bytes;
    const char16_t* log;
    const char16_t* ms;
    const char16_t* rpm;
};

TEST_F(TachoFormTest, DecodesFramesFromTheByteStream) {
    const StreamCase cases[] = {
        {"55AA2710FF", u"85\r\n170\r\n39\r\n16\r\n255\r\n", u"48\r\n", u"1250\r\n"},
        {"123455AA2710FF", u"85\r\n170\r\n39\r\n16\r\n255\r\n", u"48\r\n", u"1250\r\n"},
        {"55AA2710FE", u"85\r\n170\r\n39\r\n16\r\n254\r\n", u"0000000", u"0000000"},
        // A data byte 0x55 starts a false frame; the decoder finds the real one after it.
        {"5555AA2710FF55AA3039FF",
         u"85\r\n85\r\n170\r\n39\r\n16\r\n85\r\n170\r\n48\r\n57\r\n255\r\n", u"59.256\r\n",
         u"1013\r\n"},
    };
    for (const StreamCase& c : cases) {
        reopen();
        start();
        feed(c.bytes);
        EXPECT_EQ(log(), QString::fromUtf16(c.log)) << c.bytes;
        EXPECT_EQ(text(u"文本框1"_s), QString::fromUtf16(c.ms)) << c.bytes;
        EXPECT_EQ(text(u"文本框7"_s), QString::fromUtf16(c.rpm)) << c.bytes;
    }
}

TEST_F(TachoFormTest, BytesArrivingDuringTheWaitCompleteTheFrame) {
    start();
    on_wait([this] {
        if (m_host.waits == 3) {
            m_device->feed(QByteArray::fromHex("10FF"));
        }
    });
    feed("55AA27");
    EXPECT_EQ(m_host.waits, 3);
    EXPECT_EQ(text(u"文本框7"_s), u"1250\r\n"_s);
}

TEST_F(TachoFormTest, AverageIsShownEveryTwelveFrames) {
    start();
    frames("55AA2710FF", 11);
    EXPECT_EQ(text(u"文本框6"_s), u"0000000"_s + u"\r\n"_s.repeated(11));
    feed("55AA2710FF");
    EXPECT_EQ(text(u"文本框6"_s), u"1250\r\n"_s);
    frames("55AA2710FF", 6);
    frames("55AA2708FF", 5);  // 1251 r/min
    EXPECT_EQ(text(u"文本框7"_s), u"1251\r\n"_s);
    feed("55AA2708FF");
    EXPECT_EQ(text(u"文本框6"_s), u"1250\r\n"_s);  // 1250.5
}

TEST_F(TachoFormTest, TheAverageCarriesOverAStopAndStart) {
    start();
    frames("55AA1F40FF", 5);  // 1562
    stop();
    start();
    frames("55AA2710FF", 6);
    EXPECT_EQ(text(u"文本框6"_s).left(7), u"0000000"_s);
    feed("55AA2710FF");
    EXPECT_EQ(text(u"文本框6"_s), u"1380\r\n"_s);  // (5 * 1562 + 7 * 1250) / 12 = 1380
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
        feed("55AA2710FF");
        Messages expected;
        for (int i = 0; i < c.failures; ++i) {
            expected.insert(expected.end(), {u"输入错误"_s, u"采集结束"_s});
        }
        EXPECT_EQ(m_host.messages, expected) << c.upper << " " << c.lower;
        EXPECT_EQ(text(u"Text2"_s), QString::fromLatin1(c.upper_after)) << c.upper;
        EXPECT_EQ(text(u"Text3"_s), QString::fromLatin1(c.lower_after)) << c.lower;
        EXPECT_EQ(m_form->port()->PortOpen(), c.failures == 0) << c.upper << " " << c.lower;
        EXPECT_FALSE(box(u"Text2"_s)->isEnabled());  // halted until "停止"
        EXPECT_EQ(text(u"文本框7"_s), u"1250\r\n"_s);
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

TEST_F(TachoFormTest, StopDuringTheWaitDropsThePartialFrame) {
    start();
    on_wait([this] { stop(); });
    feed("55AA");
    EXPECT_EQ(m_host.waits, 1);
    EXPECT_EQ(m_host.messages, (Messages{u"采集开始"_s, u"采集结束"_s}));
    EXPECT_FALSE(m_form->port()->PortOpen());
    m_device->feed(QByteArray::fromHex("2710FF"));
    settle();
    EXPECT_EQ(log(), QString());
    EXPECT_EQ(text(u"文本框7"_s), u"0000000"_s);
}

TEST_F(TachoFormTest, ClosingTheWindowDuringTheWaitEndsIt) {
    start();
    on_wait([this] {
        m_form->close();
        EXPECT_FALSE(m_device->is_open());  // the port goes with the window, at once
        EXPECT_FALSE(m_form.isNull());      // the window itself only after the handler
    });
    feed("55AA27");
    EXPECT_EQ(m_host.waits, 1);
    flush_deletes();
    EXPECT_TRUE(m_form.isNull());
}

TEST_F(TachoFormTest, AFailingDeviceHaltsAcquisition) {
    start();
    feed("55AA2710FF");
    m_device->fail();
    settle();
    EXPECT_EQ(m_host.messages, (Messages{u"采集开始"_s, u"串口通信无效"_s}));
    EXPECT_FALSE(m_form->port()->PortOpen());
    EXPECT_FALSE(box(u"Text2"_s)->isEnabled());
    m_host.messages.clear();
    stop();
    EXPECT_EQ(m_host.messages, Messages{u"采集已结束"_s});
}

TEST_F(TachoFormTest, AFailingDeviceEndsTheWait) {
    start();
    on_wait([this] { m_device->fail(); });
    feed("55");
    settle();
    EXPECT_EQ(m_host.waits, 1);
    EXPECT_EQ(m_host.messages, (Messages{u"采集开始"_s, u"串口通信无效"_s}));
    EXPECT_EQ(log(), QString());
}

TEST_F(TachoFormTest, HelpShowsFourLines) {
    click(button(u"Command23"_s));
    EXPECT_EQ(m_host.messages, Messages{kHelp});
}

}  // namespace
