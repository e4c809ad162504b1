#include "shell/main_window.h"
#include "app/tool_catalog.h"
#include "shell/host/text_file.h"
#include "shell/launcher.h"
#include "shell/widgets/look.h"
#include "tests/support/form_driver.h"
#include "tests/support/recording_form_host.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The main window with the program's own catalogue, loaded in a working directory of the test's
// own.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { QDir::setCurrent(m_dir.path()); }
    void TearDown() override {
        QDir::setCurrent(m_saved_directory);
        delete m_window.data();
    }

    MainWindow* open() {
        m_window = new MainWindow(m_host, m_launcher);
        m_window->load();
        m_window->show();
        return m_window;
    }

    void write_readme(const QByteArray& bytes) {
        QFile file(m_dir.filePath(u"说明文件.txt"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QString m_saved_directory = QDir::currentPath();
    QTemporaryDir m_dir;
    RecordingFormHost m_host;
    Launcher m_launcher{m_host, tool_catalog()};
    QPointer<MainWindow> m_window;
};

TEST_F(MainWindowTest, ShowsTheReadmeOfTheWorkingDirectory) {
    write_readme(encode_text(u"第一行\r\n第二行\r\nlast"_s));
    MainWindow* window = open();
    EXPECT_EQ(control<TextBox>(window, u"Text1"_s)->text(), u"第一行\r\n第二行\r\nlast\r\n"_s);
}

// Every button of the catalogue is on the window as the catalogue says; an enabled one launches
// its window, and a disabled one's window can still be launched by the program.
TEST_F(MainWindowTest, ToolButtonsComeFromTheCatalogueAndLaunchTheirWindows) {
    MainWindow* window = open();
    for (const ToolEntry& tool : tool_catalog()) {
        SCOPED_TRACE(tool.caption.toStdString());
        auto* button = control<QPushButton>(window, tool.button);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), tool.caption);
        EXPECT_EQ(button->isEnabled(), tool.enabled);
        if (tool.face.isValid()) {
            EXPECT_EQ(button->palette().color(QPalette::Button), tool.face);
        }
        if (tool.window.isEmpty()) {
            continue;
        }
        tool.enabled ? click(button) : window->on_tool_clicked(tool.window);
        Form* launched = m_launcher.window(tool.window);
        ASSERT_NE(launched, nullptr);
        EXPECT_TRUE(launched->isVisible());
        EXPECT_EQ(launched->windowState(), Qt::WindowNoState);
        EXPECT_EQ(launched->windowTitle(), tool.window);
    }
}

// Runs the program's event loop with `steps` queued; true when the loop ended by itself, as the
// program does when its last window closes, within `ms` milliseconds.
bool program_ends(const std::function<void()>& steps, int ms = 3000) {
    QApplication::setQuitOnLastWindowClosed(true);
    QTimer give_up;
    give_up.setSingleShot(true);
    QObject::connect(&give_up, &QTimer::timeout, [] { QApplication::exit(1); });
    give_up.start(ms);
    QTimer::singleShot(0, steps);
    const bool ended = QApplication::exec() == 0;
    QApplication::setQuitOnLastWindowClosed(false);
    return ended;
}

TEST_F(MainWindowTest, ExitWithToolsOpenClosesThemAllAndEndsTheProgram) {
    MainWindow* window = open();
    click(control<QPushButton>(window, u"Command4"_s));
    click(control<QPushButton>(window, u"Command1"_s));
    window->on_tool_clicked(u"PICCASM"_s);
    EXPECT_TRUE(program_ends([&] { click(control<QPushButton>(window, u"Command10"_s)); }));
    for (const QString& name : {u"真值表"_s, u"七段码"_s, u"色环电阻"_s, u"PICCASM"_s}) {
        EXPECT_EQ(m_launcher.window(name), nullptr) << name.toStdString();
    }
}

// Tool windows loaded but never shown must not keep the program running once the main window
// is closed by its title bar; a tool window on screen, even minimized, does.
TEST_F(MainWindowTest, TheProgramEndsWithTheLastWindowOnScreen) {
    MainWindow* window = open();
    click(control<QPushButton>(window, u"Command4"_s));
    click(control<QPushButton>(window, u"Command1"_s));  // 色环电阻 is minimized now
    QPointer<Form> resistor = m_launcher.window(u"色环电阻"_s);
    bool ran_on = false;
    QTimer later;
    later.setSingleShot(true);
    QObject::connect(&later, &QTimer::timeout, [&] {
        ran_on = true;
        resistor->close();
    });
    EXPECT_TRUE(program_ends([&] {
        window->close();
        m_launcher.window(u"七段码"_s)->close();
        later.start(200);
    }));
    EXPECT_TRUE(ran_on);
    EXPECT_NE(m_launcher.window(u"真值表"_s), nullptr);  // still loaded, hidden
}

}  // namespace
