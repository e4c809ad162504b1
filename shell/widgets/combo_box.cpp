#include "combo_box.h"

#include "shell/host/form_host.h"

#include <QLineEdit>

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &ComboBox::edited);
}

void ComboBox::setText(const QString& text) {
    setCurrentIndex(findText(text));
    setEditText(text);
}

void refuse_list_edit(ComboBox& combo, FormHost& host) {
    combo.setText(QString());
    host.message(QStringLiteral("只能在列表里选择型号"));
}
