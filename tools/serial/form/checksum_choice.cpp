#include "checksum_choice.h"

#include "shell/widgets/layout_kit.h"

#include <QComboBox>

QComboBox* new_checksum_box(const QString& object_name) {
    QList<std::pair<QString, QVariant>> items;
    for (const Checksum checksum : all_checksums()) {
        items.append({checksum_name(checksum), static_cast<int>(checksum)});
    }
    return new_choice_box(object_name, QStringLiteral("校验和"), items);
}

Checksum shown_checksum(const QComboBox* box) {
    return checksum_from_name(box->currentText()).value_or(Checksum::kNone);
}

void show_checksum(QComboBox* box, Checksum checksum) {
    box->setCurrentIndex(box->findText(checksum_name(checksum)));
}

void add_checksum_choice(QBoxLayout* row, QComboBox* box) {
    add_labelled(row, QStringLiteral("校验和"), box);
}
