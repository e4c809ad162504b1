#include "shell/qt_host/qt_serial_device.h"
#include "tests/support/form_test.h"
#include "tools/tacho/form/byte_log_view.h"
#include "tools/tacho/form/tacho_form.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The tachometer on a real serial line: a pseudo-terminal stands behind serial port 1, and the
// test writes the board's bytes into its other end.
class SerialLineTest : public FormTest<TachoForm> {
protected:
    void SetUp() override {
        termios raw{};
        cfmakeraw(&raw);
        char name[256] = {};
        int slave = -1;
        ASSERT_EQ(openpty(&m_master, &slave, name, &raw, nullptr), 0);
        ::close(slave);  // the port opens its own
        const QString device = QString::fromLocal8Bit(name);
        m_host.make_serial_port = [device](int number) {
            EXPECT_EQ(number, 1);
            return std::make_unique<QtSerialDevice>(device);
        };
        FormTest::SetUp();
    }
    void TearDown() override {
        FormTest::TearDown();
        close_master();
    }

    void write(const char* hex) {
        const QByteArray bytes = QByteArray::fromHex(hex);
        ASSERT_EQ(::write(m_master, bytes.constData(), bytes.size()), bytes.size());
    }
    void close_master() {
        if (m_master >= 0) {
            ::close(m_master);
            m_master = -1;
        }
    }
    QString text(const QString& name) { return control<TextBox>(m_form, name)->text(); }

    int m_master = -1;
};

TEST_F(SerialLineTest, FramesOnTheLineShowAsSpeeds) {
    click(control<QPushButton>(m_form, u"Command66"_s));
    ASSERT_EQ(m_host.messages, std::vector<QString>{u"采集开始"_s});
    write("1255AA2710FF55AA3039FF");
    EXPECT_TRUE(QTest::qWaitFor([&] { return text(u"文本框7"_s) == u"1013\r\n"_s; }, 5000));
    EXPECT_EQ(text(u"文本框1"_s), u"59.256\r\n"_s);
    EXPECT_EQ(control<ByteLogView>(m_form, u"Text1"_s)->log().size(), 10u);
}

TEST_F(SerialLineTest, TheOtherEndClosingMidFrameEndsAcquisition) {
    click(control<QPushButton>(m_form, u"Command66"_s));
    write("55AA2710FF");
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(u"文本框7"_s) == u"1250\r\n"_s; }, 5000));
    write("55AA");
    QTimer::singleShot(300, [this] { close_master(); });
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return m_host.messages.size() == 2 && !m_form->is_acquiring(); }, 5000));
    EXPECT_EQ(m_host.messages.back(), u"串口通信无效"_s);
    EXPECT_EQ(control<ByteLogView>(m_form, u"Text1"_s)->log().size(), 5u);
}

}  // namespace
