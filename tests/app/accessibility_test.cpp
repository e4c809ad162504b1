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
        const std::string where =
            widget->metaObject()->className() + (u' ' + widget->objectName()).toStdString();
        // A read-out is tried with any value it may show later too, then given back its own.
        const QString shown = shown_text(widget);
        const bool readout = role == QAccessible::StaticText;
        for (const QString& text : readout ? QStringList{kProbe, shown} : QStringList{shown}) {
            if (readout) {
                widget->setProperty("text", text);
            }
            EXPECT_TRUE(node->text(QAccessible::Name).contains(text) ||
                        node->text(QAccessible::Value).contains(text))
                << where << " shows \"" << text.toStdString() << "\" but reads as \""
                << node->text(QAccessible::Name).toStdString() << "\"";
        }
        checked += readout || !shown.isEmpty();
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

// Every tool window, the main window and the goodbye window, each loaded, shown, walked and closed.
TEST(Accessibility, EveryWindowShowsItsValuesToAccessibility) {
    ScriptedFormHost host;
    Launcher launcher(host, tool_catalog());
    std::vector<QPointer<Form>> windows = {new MainWindow(host, launcher), new GoodbyeWindow(host)};
    for (const ToolEntry& tool : tool_catalog()) {
        windows.push_back(tool.create(host));
    }
    for (const QPointer<Form>& window : windows) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        window->load();
        window->show();
        // The goodbye window has no controls: it reads as its painted letters.
        EXPECT_TRUE(check_accessible_tree(window) > 0 || window->accessibleName() == u"GAME OVER!");
        delete window.data();
    }
}

}  // namespace
