#include "form_rows.h"

#include <QHBoxLayout>

QHBoxLayout* row_of(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) {
        if (widget) {
            row->addWidget(widget);
        } else {
            row->addStretch(1);
        }
    }
    return row;
}

QList<std::pair<QString, QVariant>> choice_items(const QStringList& captions,
                                                 const QVariantList& values) {
    QList<std::pair<QString, QVariant>> list;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        list.append({captions[i], values[i]});
    }
    return list;
}
