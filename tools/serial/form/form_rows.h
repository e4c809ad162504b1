#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <initializer_list>
#include <utility>

class QHBoxLayout;
class QWidget;

// A row of widgets; a null one stands for the stretch.
QHBoxLayout* row_of(std::initializer_list<QWidget*> widgets);

// A choice box's items: each caption with the value it stands for.
QList<std::pair<QString, QVariant>> choice_items(const QStringList& captions,
                                                 const QVariantList& values);
