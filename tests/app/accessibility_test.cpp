#include "app/tool_catalog.h"
#include "shell/goodbye_window.h"
#include "shell/launcher.h"
#include "shell/main_window.h"
#include "tests/support/scripted_form_host.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QPointer>
#include <QSet>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// A text a window never shows by itself, put on every readout to see whether accessibility
// passes it on.
const QString kProbe = u"探针 4711"_s;

// What a control shows as its text, or a null string for a control that shows none. Editors
// hold it as plainText (or text, the one-line ones), labels and the painted read-outs as text.
QString shown_text(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return QString(button->text()).remove(u'&');
    }
    const QVariant plain = widget->property("plainText");
    return (plain.isValid() ? plain : widget->property("text")).toString();
}

// The roles of controls that take input, which a user must be able to tell apart by name.
const QSet<QAccessible::Role> kInputs = {QAccessible::PushButton,   QAccessible::CheckBox,
                                         QAccessible::RadioButton,  QAccessible::ComboBox,
                                         QAccessible::EditableText, QAccessible::SpinBox,
                                         QAccessible::List,         QAccessible::Slider};

QString describe(QWidget* widget) {
    return QString::fromLatin1(widget->metaObject()->className()) + u' ' + widget->objectName();
}

// Walks the accessible tree of `window` as a screen reader does and checks every control on it.
// Returns how many controls it checked.
int check_accessible_tree(QWidget* window) {
    int checked = 0;
    std::function<void(QAccessibleInterface*)> visit = [&](QAccessibleInterface* node) {
        auto* widget = qobject_cast<QWidget*>(node->object());
        if (!widget) {
            return;
        }
        const QAccessible::Role role = node->role();
        const std::string where = describe(widget).toStdString();
        if (role == QAccessible::StaticText) {
            // A read-out: what it shows now, and any value it may show later.
            const QString before = shown_text(widget);
            for (const QString& text : {before, kProbe}) {
                widget->setProperty("text", text);
                EXPECT_TRUE(node->text(QAccessible::Name).contains(text) ||
                            node->text(QAccessible::Value).contains(text))
                    << where << " shows \"" << text.toStdString() << "\" but reads as \""
                    << node->text(QAccessible::Name).toStdString() << "\"";
            }
            widget->setProperty("text", before);
            ++checked;
        } else if (const QString shown = shown_text(widget); !shown.isEmpty()) {
            EXPECT_TRUE(node->text(QAccessible::Name).contains(shown) ||
                        node->text(QAccessible::Value).contains(shown))
                << where << " shows \"" << shown.toStdString() << "\" but reads as \""
                << node->text(QAccessible::Name).toStdString() << "\"";
            ++checked;
        }
        if (kInputs.contains(role)) {
            // On Linux a combo box reads as its current text, so only a buddy label says what
            // it is.
            const bool named =
                role != QAccessible::ComboBox && !node->text(QAccessible::Name).isEmpty();
            EXPECT_TRUE(named || !node->relations(QAccessible::Label).isEmpty())
                << where << " has neither a name nor a buddy label";
            ++checked;
        }
        // A combo box's list and editor, and a spin box's editor, are read as the box itself.
        if (role == QAccessible::ComboBox || role == QAccessible::SpinBox) {
            return;
        }
        for (int i = 0; i < node->childCount(); ++i) {
            if (QAccessibleInterface* child = node->child(i)) {
                visit(child);
            }
        }
    };
    visit(QAccessible::queryAccessibleInterface(window));
    return checked;
}

class AccessibilityTest : public ::testing::Test {
protected:
    // Loads and shows `window`, walks it and closes it; how many controls were checked.
    int check(Form* window) {
        QPointer<Form> guard = window;
        window->load();
        window->show();
        const int checked = check_accessible_tree(window);
        delete guard.data();
        return checked;
    }

    ScriptedFormHost m_host;
};

TEST_F(AccessibilityTest, EveryToolWindowShowsItsValuesToAccessibility) {
    for (const ToolEntry& tool : tool_catalog()) {
        SCOPED_TRACE(tool.caption.toStdString());
        ASSERT_TRUE(tool.create) << "a tool window without a maker";
        EXPECT_GT(check(tool.create(m_host)), 0);
    }
}

TEST_F(AccessibilityTest, TheMainAndGoodbyeWindowsShowTheirValuesToAccessibility) {
    Launcher launcher(m_host, tool_catalog());
    EXPECT_GT(check(new MainWindow(m_host, launcher)), 0);

    auto* goodbye = new GoodbyeWindow(m_host);
    // Its letters are painted: the window itself reads as them.
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(goodbye)
                    ->text(QAccessible::Name)
                    .contains(u"GAME OVER!"_s));
    check(goodbye);
}

}  // namespace
