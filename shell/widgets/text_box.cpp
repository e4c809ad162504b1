#include "text_box.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A single-line box shows its first line; the line ends stay in the text.
QString single_line_display(const QString& text) {
    const auto end =
        std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    return text.left(end - text.begin());
}

// The editor's own line breaks: Enter makes a paragraph break, Shift+Enter a line break.
bool is_editor_break(QChar c) {
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QChar(0xFDD0) ||
           c == QChar(0xFDD1);
}

// What the user sees in a multi-line editor, every line break as CR LF, as saved files hold.
// One pass over the editor's raw text: a keystroke in a text of megabytes stays quick, and
// characters such as a no-break space are kept as typed.
QString typed_text(const QPlainTextEdit& memo) {
    const QString raw = memo.document()->toRawText();
    const auto breaks = std::count_if(raw.begin(), raw.end(), is_editor_break);
    QString text;
    text.reserve(raw.size() + breaks);
    qsizetype start = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (is_editor_break(raw[i])) {
            text.append(QStringView(raw).sliced(start, i - start)).append(u"\r\n");
            start = i + 1;
        }
    }
    return text.append(QStringView(raw).sliced(start));
}

}  // namespace

TextBox::TextBox(QWidget* parent, Lines lines, ScrollBars scroll_bars) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (lines == Lines::kSingle) {
        m_line = new QLineEdit(this);
        layout->addWidget(m_line);
        // Every change of the editor's text, not only keystrokes: text set through accessibility
        // (screen readers, voice control, automation) is shown, so it is the value too.
        connect(m_line, &QLineEdit::textChanged, this, &TextBox::on_user_edit);
    } else {
        m_memo = new QPlainTextEdit(this);
        m_memo->setVerticalScrollBarPolicy(
            scroll_bars == ScrollBars::kNone ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn);
        m_memo->setHorizontalScrollBarPolicy(
            scroll_bars == ScrollBars::kBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        m_memo->setLineWrapMode(scroll_bars == ScrollBars::kBoth ? QPlainTextEdit::NoWrap
                                                                 : QPlainTextEdit::WidgetWidth);
        layout->addWidget(m_memo);
        connect(m_memo, &QPlainTextEdit::textChanged, this, &TextBox::on_user_edit);
    }
    setFocusProxy(editor());
}

QWidget* TextBox::editor() const {
    return m_line ? static_cast<QWidget*>(m_line) : static_cast<QWidget*>(m_memo);
}

void TextBox::setText(const QString& text) {
    if (text == m_text) {
        return;
    }
    m_text = text;
    show_text();
    emit changed();
}

void TextBox::show_text() {
    m_showing = true;
    if (m_line) {
        m_line->setText(single_line_display(m_text));
    } else {
        // The editor breaks lines at CR LF, CR and LF alike, so it takes the text without a copy.
        m_memo->setPlainText(m_text);
    }
    m_showing = false;
}

void TextBox::on_user_edit() {
    if (m_showing) {
        return;
    }
    const QString typed = m_line ? m_line->text() : typed_text(*m_memo);
    if (typed == m_text) {
        return;
    }
    m_text = typed;
    emit changed();
}
