#include "shell/qt_host/qt_serial_device.h"
#include "tests/support/form_test.h"
#include "tools/tacho/form/tacho_form.h"

#include <QTest>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using SerialLineTest = FormTest<TachoForm>;

// The tachometer on a real serial line: a pseudo-terminal stands behind serial port 1, and the
// test writes the board's bytes into its other end, then closes it mid-frame.
TEST_F(SerialLineTest, FramesOnTheLineShowUntilTheOtherEndCloses) {
    termios raw{};
    cfmakeraw(&raw);
    char name[256] = {};
    int master = -1;
    int slave = -1;
    ASSERT_EQ(openpty(&master, &slave, name, &raw, nullptr), 0);
    ::close(slave);  // the port opens its own
    m_host.make_serial_port = [device = QString::fromLocal8Bit(name)](int) {
        return std::make_unique<QtSerialDevice>(device);
    };
    press(u"开始"_s);
    const QByteArray bytes = QByteArray::fromHex("1255AA2710FF55AA3039FF55AA");
    ASSERT_EQ(::write(master, bytes.constData(), bytes.size()), bytes.size());
    EXPECT_TRUE(QTest::qWaitFor([&] { return text(u"即时转速"_s) == u"1013\r\n"_s; }, 5000));
    ::close(master);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_host.messages.size() == 2; }, 5000));
    EXPECT_FALSE(m_form->is_acquiring());
    EXPECT_EQ(m_host.messages, (std::vector<QString>{u"采集开始"_s, u"串口通信无效"_s}));
}

}  // namespace
