#pragma once

#include <QLineEdit>
#include <QStringList>

// A line that remembers what was sent from it: Up brings back older lines, Down newer ones and
// finally an empty line.
class HistoryLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // Remembers `line` as the newest; the same line twice in a row is kept once.
    void remember(const QString& line);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStringList m_history;
    qsizetype m_place = 0;  // index into m_history; its size: past the newest
};
