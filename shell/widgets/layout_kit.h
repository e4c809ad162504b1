#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

// Controls of the toolbox's own windows, which are laid out with Qt layouts and resize (the
// windows whose geometry is given in twips use controls.h instead). Every control carries its
// object name, and its caption or role as the name accessibility reads.

// A button painted in `face`, as the toolbox's buttons are.
QPushButton* new_button(const QString& object_name, const QString& caption, const QColor& face);
QCheckBox* new_check_box(const QString& object_name, const QString& caption);
// A box of fixed choices, each with the value it stands for. Give it a label with
// new_buddy_label: on Linux a combo box is read by its current text, the label says what it is.
QComboBox* new_choice_box(const QString& object_name, const QString& role,
                          const QList<std::pair<QString, QVariant>>& items);
QSpinBox* new_spin_box(const QString& object_name, const QString& role, int low, int high,
                       int value);
// A caption that names `control` for accessibility and moves focus to it with its mnemonic.
QLabel* new_buddy_label(const QString& caption, QWidget* control);
// A label that shows a changing value (a count, a state). Accessibility reads the value itself;
// `role` says what it is, as its description.
QLabel* new_value_label(const QString& object_name, const QString& role);

// Puts the caption of `control` and the control on `row`.
void add_labelled(QBoxLayout* row, const QString& caption, QWidget* control, int stretch = 0);
// Chooses the item of `box` that stands for `value`; false, and the choice unchanged, when none
// does.
bool select_value(QComboBox* box, const QVariant& value);
