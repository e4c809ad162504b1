#include "app/command_line.h"
#include "app/tool_catalog.h"
#include "shell/qt_host/qt_form_host.h"
#include "tests/support/form_driver.h"

#include <QProcess>
#include <QTest>
#include <QTextStream>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Parsed {
    CommandLine command_line;
    QString out;
    QString err;
};

Parsed parse(const QStringList& arguments) {
    Parsed parsed;
    QTextStream out(&parsed.out);
    QTextStream err(&parsed.err);
    parsed.command_line =
        parse_command_line(QStringList{u"brevik"_s} + arguments, tool_catalog(), out, err);
    return parsed;
}

TEST(CommandLine, ToolNamesAWindowByItsCaptionOrItsButtonsCaption) {
    const std::pair<QStringList, QString> cases[] = {
        {{}, {}},
        {{u"--tool"_s, u"转速表"_s}, u"转速表"_s},
        {{u"--tool"_s, u"七段码查询"_s}, u"七段码"_s},
        {{u"--tool=传感器阻值"_s}, u"真值表"_s},
        {{u"--tool"_s, u"PICC TO ASM"_s}, u"PICCASM"_s},
        {{u"--tool"_s, u"单位换算"_s}, u"单位换算"_s},
        {{u"--tool"_s, u"送客"_s}, u"送客"_s},
    };
    for (const auto& [arguments, window] : cases) {
        const Parsed parsed = parse(arguments);
        EXPECT_FALSE(parsed.command_line.exit_status) << parsed.err.toStdString();
        EXPECT_EQ(parsed.command_line.window, window);
    }
    EXPECT_EQ(parse({u"--serial-port"_s, u"/dev/ttyUSB0"_s}).command_line.serial_port,
              u"/dev/ttyUSB0"_s);
}

TEST(CommandLine, AnUnknownToolIsRefusedWithTheValidNames) {
    const Parsed parsed = parse({u"--tool"_s, u"示波器"_s});
    EXPECT_EQ(parsed.command_line.exit_status, 2);
    EXPECT_TRUE(parsed.err.contains(u"示波器"_s));
    EXPECT_TRUE(parsed.err.contains(u"七段码, 七段码查询"_s)) << parsed.err.toStdString();
    EXPECT_TRUE(parsed.err.contains(u"送客"_s));
}

// The program itself: what it prints and how it ends, before any window is made.
TEST(CommandLine, TheProgramAnswersHelpVersionAndErrorsWithoutAWindow) {
    const struct {
        QStringList arguments;
        int status;
        const char16_t* printed;
    } cases[] = {
        {{u"--version"_s}, 0, u"brevik " BREVIK_VERSION_TEXT},
        {{u"--help"_s}, 0, u"--serial-port <DEVICE>"},
        {{u"--tool"_s, u"nothing"_s}, 2, u"Valid names:"},
        {{u"--no-such-option"_s}, 2, u"no-such-option"},
    };
    for (const auto& c : cases) {
        QProcess brevik;
        brevik.start(QStringLiteral(BREVIK_PROGRAM), c.arguments);
        ASSERT_TRUE(brevik.waitForFinished(10000));
        EXPECT_EQ(brevik.exitCode(), c.status) << c.arguments.join(u' ').toStdString();
        const QString printed = QString::fromUtf8(brevik.readAllStandardOutput()) +
                                QString::fromUtf8(brevik.readAllStandardError());
        EXPECT_TRUE(printed.contains(QString::fromUtf16(c.printed))) << printed.toStdString();
    }
}

// The device named on the command line is what serial port 1 opens: here a pseudo-terminal.
TEST(CommandLine, SerialPortReachesTheSerialLayer) {
    termios raw{};
    cfmakeraw(&raw);
    char name[256] = {};
    int master = -1;
    int slave = -1;
    ASSERT_EQ(openpty(&master, &slave, name, &raw, nullptr), 0);
    ::close(slave);
    const QString device = QString::fromLocal8Bit(name);
    QtFormHost host(parse({u"--serial-port"_s, device}).command_line.serial_port);
    const auto port = host.serial_port(1);
    EXPECT_TRUE(port->open(SerialLine{}));
    ASSERT_EQ(::write(master, "\x55", 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return port->bytes_waiting() == 1; }, 5000));
    port->close();
    ::close(master);
}

}  // namespace
