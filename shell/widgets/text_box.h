#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

// A text box that holds its text exactly as set, line ends (CR LF) and all; the editor inside
// shows it with line breaks. changed() fires on every change of the text, whether the user
// typed it, the program set it or an accessibility client set it on the editor; setting the
// same text again is no change. The text is always what the editor shows.
class TextBox : public QWidget {
    Q_OBJECT
public:
    enum class Lines { kSingle, kMulti };
    enum class ScrollBars { kNone, kVertical, kBoth };

    explicit TextBox(QWidget* parent, Lines lines = Lines::kSingle,
                     ScrollBars scroll_bars = ScrollBars::kNone);

    const QString& text() const { return m_text; }
    void setText(const QString& text);
    void append(const QString& text) { setText(m_text + text); }

    // The editor that takes the keys, for focus order and test drivers.
    QWidget* editor() const;

signals:
    void changed();

private:
    void on_user_edit();
    void show_text();

    QString m_text;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    bool m_showing = false;
};
