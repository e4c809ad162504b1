#pragma once

#include <QComboBox>

class FormHost;

// An editable combo box. edited() fires when the user edits its text; choosing an item from
// the list, or the program setting the text, is not an edit.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent);

    QString text() const { return currentText(); }
    // Shows `text`, with the list on the item of that text, or on none.
    void setText(const QString& text);

signals:
    void edited();
};

// The rule of a list-only combo box: an edit of its text empties it and tells the user to
// choose from the list.
void refuse_list_edit(ComboBox& combo, FormHost& host);
