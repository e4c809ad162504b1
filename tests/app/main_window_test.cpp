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

// Only the buttons of the tools the program has are enabled, painted in their colour.
TEST_F(MainWindowTest, EnablesTheButtonsOfItsTools) {
    MainWindow* window = open();
    EXPECT_EQ(window->windowTitle(), u"Brevik"_s);
    const std::pair<const char16_t*, bool> buttons[] = {
        {u"Command1", true},  {u"Command2", true},  {u"Command3", true},   {u"Command4", true},
        {u"Command5", true},  {u"Command6", false}, {u"Command7", false},  {u"Command8", false},
        {u"Command9", false}, {u"Command10", true}, {u"Command11", false},
    };
    for (const auto& [name, enabled] : buttons) {
        EXPECT_EQ(control<QPushButton>(window, QString::fromUtf16(name))->isEnabled(), enabled)
            << QString::fromUtf16(name).toStdString();
    }
    EXPECT_EQ(control<QPushButton>(window, u"Command1"_s)->palette().color(QPalette::Button),
              rgb(128, 255, 128));
    auto* readme = control<TextBox>(window, u"Text1"_s);
    EXPECT_EQ(readme->editor()->palette().color(QPalette::Base), rgb(255, 255, 192));
}

TEST_F(MainWindowTest, ShowsTheReadmeOfTheWorkingDirectory) {
    write_readme(encode_text(u"第一行\r\n第二行\r\nlast"_s));
    MainWindow* window = open();
    EXPECT_EQ(control<TextBox>(window, u"Text1"_s)->text(), u"第一行\r\n第二行\r\nlast\r\n"_s);
}

TEST_F(MainWindowTest, ToolButtonsLaunchTheirWindows) {
    MainWindow* window = open();
    const std::pair<const char16_t*, const char16_t*> launches[] = {
        {u"Command1", u"七段码"},   {u"Command2", u"真值表"}, {u"Command3", u"转速表"},
        {u"Command4", u"色环电阻"}, {u"Command5", u"秒表"},
    };
    for (const auto& [button, tool] : launches) {
        click(control<QPushButton>(window, QString::fromUtf16(button)));
        Form* launched = m_launcher.window(QString::fromUtf16(tool));
        ASSERT_NE(launched, nullptr);
        EXPECT_TRUE(launched->isVisible());
        EXPECT_EQ(launched->windowState(), Qt::WindowNoState);
        EXPECT_EQ(launched->windowTitle(), QString::fromUtf16(tool));
    }
}

TEST_F(MainWindowTest, DisabledButtonsLaunchNothingButTheirWindowsCanBeLaunched) {
    MainWindow* window = open();
    for (const char16_t* name :
         {u"Command6", u"Command7", u"Command8", u"Command9", u"Command11"}) {
        click(control<QPushButton>(window, QString::fromUtf16(name)));
    }
    EXPECT_EQ(m_launcher.window(u"单位换算"_s), nullptr);
    EXPECT_EQ(m_launcher.window(u"PICCASM"_s), nullptr);

    window->on_tool_clicked(u"PICCASM"_s);
    EXPECT_TRUE(m_launcher.window(u"PICCASM"_s)->isVisible());
    window->on_tool_clicked(u"单位换算"_s);
    EXPECT_TRUE(m_launcher.window(u"单位换算"_s)->isVisible());
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

TEST_F(MainWindowTest, ExitWithNoToolOpenedEndsTheProgram) {
    MainWindow* window = open();
    EXPECT_TRUE(program_ends([&] { click(control<QPushButton>(window, u"Command10"_s)); }));
    EXPECT_TRUE(m_window.isNull() || !m_window->is_loaded());
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
