#pragma once

#include "qt_printers.h"

#include <QColor>
#include <QCoreApplication>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

inline void PrintTo(const QColor& colour, std::ostream* out) {
    *out << colour.name().toStdString();
}

// Finds controls as a user or a screen reader does, and works them with clicks and keystrokes.

// The one control of `form` of that kind whose caption, accessible name or object name is
// `name`; fails the test when there is none or several.
QWidget* find_control(QWidget* form, const QString& name,
                      const QMetaObject& kind = QWidget::staticMetaObject);
template <typename Control>
Control* control(QWidget* form, const QString& name) {
    return static_cast<Control*>(find_control(form, name, Control::staticMetaObject));
}

// A left click in the middle of the widget.
void click(QWidget* widget);
// Keystrokes into the widget (or the editor it hands its focus to).
void type(QWidget* widget, const QString& keys);
// Selects everything in the widget's editor and types `keys` over it; empty keys delete it.
void retype(QWidget* widget, const QString& keys);
// Opens the list of the combo box named `name` and clicks `item`.
void choose_item(QWidget* form, const QString& name, const QString& item);
// Deletes windows that have unloaded themselves.
inline void flush_deletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
