#include "form_driver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

static bool named(QWidget* widget, const QString& name) {
    const auto* button = qobject_cast<QAbstractButton*>(widget);
    return widget->objectName() == name || widget->accessibleName() == name ||
           (button && button->text() == name);
}

static QWidget* key_target(QWidget* widget) {
    return widget->focusProxy() ? widget->focusProxy() : widget;
}

QWidget* find_control(QWidget* form, const QString& name, const QMetaObject& kind) {
    QList<QWidget*> found;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        // A box and the editor inside it share their accessible name: the box is the control.
        QWidget* parent = widget->parentWidget();
        if (kind.cast(widget) && named(widget, name) && !(parent && named(parent, name))) {
            found.append(widget);
        }
    }
    EXPECT_EQ(found.size(), 1) << kind.className() << " named " << name.toStdString();
    return found.size() == 1 ? found.constFirst() : nullptr;
}

void click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
}

void type(QWidget* widget, const QString& keys) {
    ASSERT_NE(widget, nullptr);
    QTest::keyClicks(key_target(widget), keys);
}

void retype(QWidget* widget, const QString& keys) {
    ASSERT_NE(widget, nullptr);
    QWidget* target = key_target(widget);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    keys.isEmpty() ? QTest::keyClick(target, Qt::Key_Delete) : QTest::keyClicks(target, keys);
}

void choose_item(QWidget* form, const QString& name, const QString& item) {
    auto* combo = control<QComboBox>(form, name);
    ASSERT_NE(combo, nullptr);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QModelIndex index = list->model()->index(combo->findText(item), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}
