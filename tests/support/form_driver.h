#pragma once

#include "qt_printers.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

inline void PrintTo(const QColor& colour, std::ostream* out) {
    *out << colour.name().toStdString();
}

// Finds controls by their names and works them as a user would: clicks and keystrokes.

// The one control of `form` whose object name is `name`, or else whose accessible name is; fails
// the test when there is none or several.
QWidget* find_control(QWidget* form, const QString& name);
template <typename Control>
Control* control(QWidget* form, const QString& name) {
    auto* found = qobject_cast<Control*>(find_control(form, name));
    EXPECT_NE(found, nullptr) << name.toStdString() << " is not of the expected kind";
    return found;
}

// A left click in the middle of the widget.
void click(QWidget* widget);
// Keystrokes into the widget (or the editor it hands its focus to).
void type(QWidget* widget, const QString& keys);
// Selects everything in the widget's editor and types `keys` over it; empty keys delete it.
void retype(QWidget* widget, const QString& keys);
// Deletes windows that have unloaded themselves.
void flush_deletes();
