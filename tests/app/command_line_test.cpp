#include "app/command_line.h"
#include "app/start.h"
#include "app/tool_catalog.h"
#include "tests/support/form_driver.h"
#include "tests/support/recording_form_host.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

CommandLine parse(const QStringList& arguments) {
    QString printed;
    QTextStream out(&printed);
    return parse_command_line(QStringList{u"brevik"_s} + arguments, tool_catalog(),
                              command_catalog(), out, out);
}

// The windows on screen, by caption.
QStringList shown_windows() {
    QStringList captions;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            captions << window->windowTitle();
        }
    }
    captions.sort();
    return captions;
}

// A start with `arguments`: the main window shows, then the window --tool names (by its
// caption or its button's), which for 送客 closes itself after three seconds.
TEST(Start, ShowsTheMainWindowThenTheWindowAsked) {
    const struct {
        QStringList arguments;
        QStringList shown;
    } rows[] = {
        {{}, {u"Brevik"_s}},
        {{u"--tool"_s, u"转速表"_s}, {u"Brevik"_s, u"转速表"_s}},
        {{u"--tool=传感器阻值"_s}, {u"Brevik"_s, u"真值表"_s}},
        {{u"--tool"_s, u"PICC TO ASM"_s}, {u"Brevik"_s, u"PICCASM"_s}},
        {{u"--tool"_s, u"送客"_s}, {u"Brevik"_s, u"送客"_s}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        const CommandLine command_line = parse(row.arguments);
        ASSERT_FALSE(command_line.exit_status);
        RecordingFormHost host;
        const Program program(host, tool_catalog(), command_line.window);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown_windows() == row.shown; }, 1000))
            << shown_windows().join(u' ').toStdString();
        if (command_line.window == u"送客"_s) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return shown_windows().size() == 1; }, 3500));
        }
    }
    flush_deletes();
    EXPECT_EQ(parse({u"--serial-port"_s, u"/dev/ttyUSB0"_s}).serial_port, u"/dev/ttyUSB0"_s);
}

// The program itself: what it prints and how it ends, before any window is made. A build script
// learns of a table that did not reach standard output: into a full device a subcommand exits
// with 1 and says why. Build machines often have no XDG_RUNTIME_DIR or display; drawing the glyphs
// then says nothing on standard error.
TEST(Start, AnswersWithoutAWindowAndChecksItsStandardOutput) {
    constexpr char16_t kFull[] = u": cannot write standard output: No space left on device\n";
    const QStringList segment = {u"table"_s, u"segment"_s,  u"--dialect"_s,
                                 u"c"_s,     u"--common"_s, u"cathode"_s};
    const QStringList glyphs = {u"glyphs"_s, u"--text"_s, u"中"_s};
    const struct {
        QStringList arguments;
        int status;
        const char16_t* printed;
        bool full = false;  // standard output is a full device
    } rows[] = {
        {{u"--version"_s}, 0, u"brevik " BREVIK_VERSION_TEXT},
        {{u"--help"_s}, 0, u"--serial-port <DEVICE>"},
        {{u"--help"_s}, 0, u"  table sensor"},
        {{u"bogus"_s}, 2, u"brevik: 'bogus' is not a subcommand. Valid subcommands: table, glyphs"},
        {{u"--tool"_s, u"示波器"_s},
         2,
         u"Unknown tool: 示波器\nValid names: 真值表, 传感器阻值, 七段码"},
        {{u"--tool"_s, u"七段码"_s, u"x"_s}, 2, u"Unexpected argument: x"},
        {{u"--no-such-option"_s}, 2, u"no-such-option"},
        {segment, 0, u"0xFC,/*0*/"},
        {glyphs, 0, u""},
        {{u"glyphs"_s, u"--help"_s}, 0, u"Usage: brevik glyphs --text TEXT [options]\n"},
        {segment, 1, kFull, true},
        {glyphs, 1, kFull, true},
        {{u"glyphs"_s, u"--help"_s}, 1, kFull, true},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"XDG_RUNTIME_DIR"_s);
    environment.remove(u"QT_QPA_PLATFORM"_s);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString() + (row.full ? " > /dev/full" : ""));
        QProcess brevik;
        brevik.setProcessEnvironment(environment);
        if (row.full) {
            brevik.setStandardOutputFile(u"/dev/full"_s);
        }
        brevik.start(QStringLiteral(BREVIK_PROGRAM), row.arguments);
        ASSERT_TRUE(brevik.waitForFinished(10000));
        EXPECT_EQ(brevik.exitCode(), row.status);
        const QString output = QString::fromUtf8(brevik.readAllStandardOutput());
        const QString errors = QString::fromUtf8(brevik.readAllStandardError());
        EXPECT_TRUE((output + errors).contains(QString::fromUtf16(row.printed)))
            << (output + errors).toStdString();
        // Done means all of it on standard output and nothing on standard error.
        EXPECT_EQ(row.status == 0, errors.isEmpty() && !output.isEmpty()) << errors.toStdString();
        if (row.full) {
            EXPECT_TRUE(errors.endsWith(QString::fromUtf16(kFull)));
        }
        // Help names the program as a user types it, never by the path it was started from.
        EXPECT_FALSE((output + errors).contains(QStringLiteral(BREVIK_PROGRAM)));
    }
}

}  // namespace
