#include "shell/main_window.h"
#include "app/tool_catalog.h"
#include "base/text_file.h"
#include "shell/launcher.h"
#include "tests/support/form_driver.h"
#include "tests/support/recording_form_host.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The main window with the program's own catalogue, loaded in a working directory of the test's
// own that holds a readme.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir::setCurrent(m_dir.path());
        ASSERT_FALSE(write_text_file(m_dir.filePath(u"说明文件.txt"_s), u"第一行\r\nlast"_s));
        m_window->load();
        m_window->show();
    }
    void TearDown() override {
        QDir::setCurrent(m_saved_directory);
        delete m_window.data();
    }
    auto* button(const QString& caption) { return control<QAbstractButton>(m_window, caption); }

    QString m_saved_directory = QDir::currentPath();
    QTemporaryDir m_dir;
    RecordingFormHost m_host;
    Launcher m_launcher{m_host, tool_catalog()};
    QPointer<MainWindow> m_window = new MainWindow(m_host, m_launcher);
};

// Runs the program's event loop with `steps` queued; true when the loop ended by itself, as the
// program does when its last window closes, within `ms` milliseconds.
bool program_ends(const std::function<void()>& steps, int ms = 3000) {
    QApplication::setQuitOnLastWindowClosed(true);
    const QObject give_up;  // its timer goes with it
    QTimer::singleShot(ms, &give_up, [] { QApplication::exit(1); });
    QTimer::singleShot(0, steps);
    const bool ended = QApplication::exec() == 0;
    QApplication::setQuitOnLastWindowClosed(false);
    return ended;
}

// The buttons in their focus order, then the readme. A button launches its window, restores the
// main window and minimizes the other tool windows but the listing tool's.
TEST_F(MainWindowTest, ButtonsLaunchTheirWindowsInTheFocusOrder) {
    EXPECT_EQ(control<TextBox>(m_window, u"说明文件"_s)->text(), u"第一行\r\nlast\r\n"_s);
    // Each button's caption and its window's title, in the focus order: Command1 to Command11.
    const std::pair<const char16_t*, const char16_t*> rows[] = {
        {u"七段码查询", u"七段码"},
        {u"传感器阻值", u"真值表"},
        {u"转速表", u"转速表"},
        {u"色环电阻", u"色环电阻"},
        {u"秒表", u"秒表"},
        {u"串口工具", u"串口工具"},
        {u"红外读码器", u"红外读码器"},
        {u"字模", u"字模"},
        {u"单位换算", u"单位换算"},
        {u"退出", nullptr},
        {u"PICC TO ASM", u"PICCASM"},
    };
    QWidget* focused = button(u"七段码查询"_s);
    int number = 0;
    for (const auto& [caption, window_title] : rows) {
        const QString window = QString::fromUtf16(window_title);
        SCOPED_TRACE(window.toStdString());
        auto* tool = qobject_cast<QAbstractButton*>(focused);
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(tool->objectName(), u"Command%1"_s.arg(++number));
        EXPECT_EQ(tool->text(), QString::fromUtf16(caption));
        EXPECT_TRUE(tool->isEnabled());
        do {
            focused = focused->nextInFocusChain();
        } while (focused->focusPolicy() == Qt::NoFocus);
        if (window.isEmpty()) {
            continue;
        }
        m_window->setWindowState(Qt::WindowMinimized);
        click(tool);
        EXPECT_FALSE(m_window->isMinimized());
        ASSERT_NE(m_launcher.window(window), nullptr);
        EXPECT_TRUE(m_launcher.window(window)->isVisible());
        for (const ToolEntry& entry : tool_catalog()) {
            if (Form* other = m_launcher.window(entry.window); other && other->isVisible()) {
                EXPECT_EQ(other->isMinimized(),
                          entry.window != window && entry.window != u"PICCASM");
            }
        }
    }
    EXPECT_EQ(focused, control<TextBox>(m_window, u"说明文件"_s)->editor());
    // Each window was loaded once; one closed by its title bar is loaded afresh.
    QPointer<Form> closed = m_launcher.window(u"秒表"_s);
    closed->close();
    click(button(u"秒表"_s));
    EXPECT_NE(m_launcher.window(u"秒表"_s), closed.data());
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(), std::mem_fn(&QWidget::isVisible)), 11);
    // "退出" closes every window and so ends the program.
    EXPECT_TRUE(program_ends([&] { click(button(u"退出"_s)); }));
}

// Tool windows loaded but never shown must not keep the program running once the main window
// is closed by its title bar; a tool window on screen, even minimized, does.
TEST_F(MainWindowTest, TheProgramEndsWithTheLastWindowOnScreen) {
    click(button(u"色环电阻"_s));
    click(button(u"七段码查询"_s));  // 色环电阻 is minimized now
    Form* resistor = m_launcher.window(u"色环电阻"_s);
    bool ran_on = false;
    EXPECT_TRUE(program_ends([&] {
        m_window->close();
        m_launcher.window(u"七段码"_s)->close();
        QTimer::singleShot(200, resistor, [&] {
            ran_on = true;
            resistor->close();
        });
    }));
    EXPECT_TRUE(ran_on);
    EXPECT_NE(m_launcher.window(u"真值表"_s), nullptr);  // still loaded, hidden
}

}  // namespace
