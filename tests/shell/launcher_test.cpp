#include "shell/launcher.h"
#include "shell/widgets/form.h"
#include "shell/widgets/look.h"
#include "tests/support/form_driver.h"
#include "tests/support/recording_form_host.h"

#include <map>

using namespace Qt::StringLiterals;

namespace {

// Tool windows that count how often each is loaded.
class CountingForm : public Form {
public:
    CountingForm(FormHost& host, const QString& name, std::map<QString, int>& loads)
        : Form(host, name, name, 3000, 2000, rgb(192, 255, 255)), m_loads(loads) {}

protected:
    void on_load() override { ++m_loads[objectName()]; }

private:
    std::map<QString, int>& m_loads;
};

const QString kMinimizable[] = {u"真值表"_s, u"七段码"_s, u"色环电阻"_s,
                                u"秒表"_s,   u"转速表"_s, u"单位换算"_s};

class LauncherTest : public ::testing::Test {
protected:
    ToolCatalog catalog() {
        ToolCatalog tools;
        for (const QString& name : {u"真值表"_s, u"七段码"_s, u"色环电阻"_s, u"秒表"_s, u"转速表"_s,
                                    u"PICCASM"_s, u"单位换算"_s}) {
            ToolEntry tool;
            tool.window = name;
            tool.create = [this, name](FormHost& host) {
                return new CountingForm(host, name, m_loads);
            };
            tool.minimizable = name != u"PICCASM"_s;
            tools.push_back(tool);
        }
        tools.push_back({u"Command6"_s, u"串口工具"_s});  // a button without a window
        return tools;
    }

    bool minimized(const QString& name) const {
        return m_launcher.window(name)->windowState().testFlag(Qt::WindowMinimized);
    }

    RecordingFormHost m_host;
    std::map<QString, int> m_loads;
    Launcher m_launcher{m_host, catalog()};
    QWidget m_main;
};

TEST_F(LauncherTest, FirstLaunchLoadsTheSixOnceAndShowsOnlyTheChosenOne) {
    m_launcher.launch(u"色环电阻"_s, m_main);
    for (const QString& name : kMinimizable) {
        EXPECT_EQ(m_loads[name], 1) << name.toStdString();
        ASSERT_NE(m_launcher.window(name), nullptr);
        EXPECT_EQ(m_launcher.window(name)->isVisible(), name == u"色环电阻"_s)
            << name.toStdString();
    }
    EXPECT_EQ(m_loads[u"PICCASM"_s], 0);
    EXPECT_EQ(m_launcher.window(u"PICCASM"_s), nullptr);
    EXPECT_FALSE(minimized(u"色环电阻"_s));
    EXPECT_TRUE(minimized(u"七段码"_s));
}

TEST_F(LauncherTest, LaunchMinimizesTheOthersAndRestoresTheChosenOne) {
    m_main.setWindowState(Qt::WindowMinimized);
    m_launcher.launch(u"七段码"_s, m_main);
    m_launcher.launch(u"转速表"_s, m_main);
    EXPECT_TRUE(minimized(u"七段码"_s));
    EXPECT_TRUE(m_launcher.window(u"七段码"_s)->isVisible());
    EXPECT_FALSE(minimized(u"转速表"_s));
    EXPECT_EQ(m_main.windowState(), Qt::WindowNoState);

    m_launcher.launch(u"七段码"_s, m_main);
    EXPECT_FALSE(minimized(u"七段码"_s));
    EXPECT_TRUE(minimized(u"转速表"_s));
    for (const QString& name : kMinimizable) {
        EXPECT_EQ(m_loads[name], 1) << name.toStdString();
    }
}

TEST_F(LauncherTest, TheListingToolIsNeverMinimizedByALaunch) {
    m_launcher.launch(u"PICCASM"_s, m_main);
    EXPECT_EQ(m_loads[u"PICCASM"_s], 1);
    EXPECT_EQ(m_loads[u"七段码"_s], 1);
    EXPECT_TRUE(m_launcher.window(u"PICCASM"_s)->isVisible());
    m_launcher.launch(u"七段码"_s, m_main);
    EXPECT_FALSE(minimized(u"PICCASM"_s));
}

TEST_F(LauncherTest, UnloadAllClosesEveryToolWindow) {
    m_launcher.launch(u"秒表"_s, m_main);
    m_launcher.launch(u"PICCASM"_s, m_main);
    QPointer<Form> stopwatch = m_launcher.window(u"秒表"_s);
    m_launcher.unload_all();
    for (const QString& name : kMinimizable) {
        EXPECT_EQ(m_launcher.window(name), nullptr) << name.toStdString();
    }
    EXPECT_EQ(m_launcher.window(u"PICCASM"_s), nullptr);
    EXPECT_FALSE(stopwatch->isVisible());
    flush_deletes();
    EXPECT_TRUE(stopwatch.isNull());
}

TEST_F(LauncherTest, AWindowClosedByItsTitleBarLoadsFreshNextTime) {
    m_launcher.launch(u"七段码"_s, m_main);
    QPointer<Form> first = m_launcher.window(u"七段码"_s);
    first->close();
    EXPECT_EQ(m_launcher.window(u"七段码"_s), nullptr);
    m_launcher.launch(u"七段码"_s, m_main);  // before the closed one is deleted
    EXPECT_EQ(m_loads[u"七段码"_s], 2);
    EXPECT_NE(m_launcher.window(u"七段码"_s), first.data());
    flush_deletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(m_loads[u"色环电阻"_s], 1);
}

}  // namespace
