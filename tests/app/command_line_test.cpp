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

CommandLine parse(const QString& arguments) {
    QString printed;
    QTextStream out(&printed);
    return parse_command_line(u"brevik "_s.append(arguments).split(u' ', Qt::SkipEmptyParts),
                              tool_catalog(), command_catalog(), out, out);
}

// A start with `arguments`: the main window shows, then the window --tool names (by its
// caption or its button's), which for 送客 closes itself after three seconds.
TEST(Start, ShowsTheMainWindowThenTheWindowAsked) {
    const std::pair<QString, QString> rows[] = {
        {u""_s, u"Brevik"_s},
        {u"--tool=传感器阻值"_s, u"Brevik 真值表"_s},
        {u"--tool PICCASM"_s, u"Brevik PICCASM"_s},
        {u"--tool 送客"_s, u"Brevik 送客"_s},
    };
    // The captions of the windows on screen.
    const auto shown = [] {
        QStringList captions;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible()) {
                captions << window->windowTitle();
            }
        }
        captions.sort();
        return captions.join(u' ');
    };
    for (const auto& [arguments, windows] : rows) {
        SCOPED_TRACE(arguments.toStdString());
        CommandLine command_line = parse(arguments);
        ASSERT_FALSE(command_line.exit_status);
        RecordingFormHost host;
        const Program program(host, tool_catalog(), command_line.window);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == windows; }, 1000))
            << shown().toStdString();
        if (command_line.window == u"送客"_s) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == u"Brevik"_s; }, 3500));
        }
    }
    flush_deletes();
    EXPECT_EQ(parse(u"--serial-port /dev/ttyUSB0"_s).serial_port, u"/dev/ttyUSB0"_s);
}

// The program itself: what it prints and how it ends, before any window is made. A build script
// learns of a table that did not reach standard output: into a full device a subcommand exits
// with 1 and says why. Build machines often have no XDG_RUNTIME_DIR or display; drawing the glyphs
// then says nothing on standard error.
TEST(Start, AnswersWithoutAWindowAndChecksItsStandardOutput) {
    const QString full = u": cannot write standard output: No space left on device\n"_s;
    // The arguments (" > /dev/full" at the end: standard output is a full device), the exit
    // status and a part of what the program prints.
    const std::tuple<QString, int, QString> rows[] = {
        {u"--version"_s, 0, u"brevik " BREVIK_VERSION_TEXT ""_s},
        {u"--help"_s, 0, u"--serial-port <DEVICE>"_s},
        {u"--help"_s, 0, u"  table sensor"_s},
        {u"--tool 示波器"_s, 2, u"Unknown tool: 示波器\nValid names: 真值表, 传感器阻值, 七段码"_s},
        {u"--tool 七段码 x"_s, 2, u"Unexpected argument: x"_s},
        {u"--no-such-option"_s, 2, u"no-such-option"_s},
        {u"table segment --dialect c --common cathode"_s, 0, u"0xFC,/*0*/"_s},
        {u"glyphs --text 中"_s, 0, u""_s},
        {u"table segment --dialect c --common cathode > /dev/full"_s, 1, full},
        {u"glyphs --text 中 > /dev/full"_s, 1, full},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"XDG_RUNTIME_DIR"_s);
    environment.remove(u"QT_QPA_PLATFORM"_s);
    for (const auto& [line, status, printed] : rows) {
        SCOPED_TRACE(line.toStdString());
        QStringList arguments = line.split(u' ', Qt::SkipEmptyParts);
        QProcess brevik;
        brevik.setProcessEnvironment(environment);
        if (arguments.endsWith(u"/dev/full"_s)) {
            brevik.setStandardOutputFile(arguments.takeLast());
            arguments.removeLast();
        }
        brevik.start(QStringLiteral(BREVIK_PROGRAM), arguments);
        ASSERT_TRUE(brevik.waitForFinished(10000));
        EXPECT_EQ(brevik.exitCode(), status);
        const QString output = QString::fromUtf8(brevik.readAllStandardOutput());
        const QString errors = QString::fromUtf8(brevik.readAllStandardError());
        EXPECT_TRUE((output + errors).contains(printed)) << (output + errors).toStdString();
        // Done means all of it on standard output and nothing on standard error.
        EXPECT_EQ(status == 0, errors.isEmpty() && !output.isEmpty()) << errors.toStdString();
        EXPECT_TRUE(printed != full || errors.endsWith(full));
        // Help names the program as a user types it, never by the path it was started from.
        EXPECT_FALSE((output + errors).contains(QStringLiteral(BREVIK_PROGRAM)));
    }
}

}  // namespace
