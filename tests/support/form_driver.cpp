#include "form_driver.h"

#include <QCoreApplication>
#include <QTest>

QWidget* find_control(QWidget* form, const QString& name) {
    QList<QWidget*> found = form->findChildren<QWidget*>(name);
    if (found.isEmpty()) {
        // A box and the editor inside it share their accessible name: the box is the control.
        for (QWidget* widget : form->findChildren<QWidget*>()) {
            if (widget->accessibleName() == name &&
                !(widget->parentWidget() && widget->parentWidget()->accessibleName() == name)) {
                found.append(widget);
            }
        }
    }
    if (found.size() != 1) {
        ADD_FAILURE() << "expected one control named " << name.toStdString() << ", found "
                      << found.size();
        return nullptr;
    }
    return found.constFirst();
}

namespace {
QWidget* key_target(QWidget* widget) {
    return widget->focusProxy() ? widget->focusProxy() : widget;
}
}  // namespace

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
    if (keys.isEmpty()) {
        QTest::keyClick(target, Qt::Key_Delete);
    } else {
        QTest::keyClicks(target, keys);
    }
}

void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
