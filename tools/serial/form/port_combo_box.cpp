#include "port_combo_box.h"

PortComboBox::PortComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void PortComboBox::showPopup() {
    emit opening();
    QComboBox::showPopup();
}

QString PortComboBox::device() const {
    const QString text = currentText().trimmed();
    const int listed = findText(text);
    return listed >= 0 ? itemData(listed).toString() : text;
}

void PortComboBox::set_device(const QString& device) {
    const int listed = findData(device);
    setEditText(listed >= 0 ? itemText(listed) : device);
}
