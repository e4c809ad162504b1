#include "layout_kit.h"

#include "look.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

QPushButton* new_button(const QString& object_name, const QString& caption, const QColor& face) {
    auto* button = new QPushButton(caption);
    button->setObjectName(object_name);
    button->setAccessibleName(caption);
    set_face(button, face);
    return button;
}

QCheckBox* new_check_box(const QString& object_name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(object_name);
    box->setAccessibleName(caption);
    return box;
}

QComboBox* new_choice_box(const QString& object_name, const QString& role,
                          const QList<std::pair<QString, QVariant>>& items) {
    auto* box = new QComboBox;
    box->setObjectName(object_name);
    box->setAccessibleDescription(role);
    for (const auto& [text, value] : items) {
        box->addItem(text, value);
    }
    return box;
}

QSpinBox* new_spin_box(const QString& object_name, const QString& role, int low, int high,
                       int value) {
    auto* box = new QSpinBox;
    box->setObjectName(object_name);
    box->setAccessibleName(role);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QLabel* new_buddy_label(const QString& caption, QWidget* control) {
    auto* label = new QLabel(caption);
    label->setBuddy(control);
    return label;
}

QLabel* new_value_label(const QString& object_name, const QString& role) {
    auto* label = new QLabel;
    label->setObjectName(object_name);
    label->setAccessibleDescription(role);
    return label;
}

void add_labelled(QBoxLayout* row, const QString& caption, QWidget* control, int stretch) {
    row->addWidget(new_buddy_label(caption, control));
    row->addWidget(control, stretch);
}

bool select_value(QComboBox* box, const QVariant& value) {
    const int index = box->findData(value);
    if (index < 0) {
        return false;
    }
    box->setCurrentIndex(index);
    return true;
}
