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

// Each window is loaded once, on the first launch of any (the listing tool's on its own), and
// again only after it was closed; "退出" unloads them all.
TEST(Launcher, LoadsEachWindowOnceUntilItIsClosed) {
    RecordingFormHost host;
    std::map<QString, int> loads;
    ToolCatalog tools;
    for (const QString& name : {u"七段码"_s, u"色环电阻"_s, u"PICCASM"_s}) {
        ToolEntry tool;
        tool.window = name;
        tool.create = [&loads, name](FormHost& owner) {
            return new CountingForm(owner, name, loads);
        };
        tool.minimizable = name != u"PICCASM"_s;
        tools.push_back(tool);
    }
    tools.push_back({u"Command6"_s, u"串口工具"_s});  // a button without a window
    Launcher launcher(host, tools);
    QWidget main;
    launcher.launch(u"七段码"_s, main);
    launcher.launch(u"色环电阻"_s, main);
    EXPECT_EQ(loads, (std::map<QString, int>{{u"七段码"_s, 1}, {u"色环电阻"_s, 1}}));
    QPointer<Form> first = launcher.window(u"七段码"_s);
    first->close();
    EXPECT_EQ(launcher.window(u"七段码"_s), nullptr);
    launcher.launch(u"PICCASM"_s, main);  // before the closed one is deleted
    EXPECT_EQ(loads,
              (std::map<QString, int>{{u"七段码"_s, 2}, {u"色环电阻"_s, 1}, {u"PICCASM"_s, 1}}));
    EXPECT_NE(launcher.window(u"七段码"_s), first.data());

    QPointer<Form> listing = launcher.window(u"PICCASM"_s);
    launcher.unload_all();
    for (const ToolEntry& tool : tools) {
        EXPECT_EQ(launcher.window(tool.window), nullptr) << tool.window.toStdString();
    }
    EXPECT_FALSE(listing->isVisible());
    flush_deletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(listing.isNull());
}

}  // namespace
