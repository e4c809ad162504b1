#pragma once

#include "line_search.h"

#include <QWidget>

class QLabel;
class QLineEdit;

// The find bar of a line view: 查找 with the text to find, 上一个 and 下一个. Enter finds the
// next match, Shift+Enter the one before, Esc closes the bar.
class LineFindBar : public QWidget {
    Q_OBJECT
public:
    explicit LineFindBar(QWidget* parent);

    QString needle() const;
    // Opens the bar with the text field focused and selected, to be typed over.
    void open();
    enum class Result { kNone, kFound, kFoundRound, kNotFound, kNotNear };
    // What the last search found: a match, one past an end, nothing, or nothing near.
    void show_result(Result result);

signals:
    void find_requested(SearchDirection direction);
    // The text changed: the search starts again from where the last match began.
    void needle_changed();
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* m_text;
    QLabel* m_result;
};
