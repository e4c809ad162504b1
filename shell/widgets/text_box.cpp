#include "text_box.h"

#include "shell/host/text_file.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A single-line box shows its first line; the line ends stay in the text.
QString single_line_display(const QString& text) {
    const auto end =
        std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    return text.left(end - text.begin());
}

}  // namespace

TextBox::TextBox(QWidget* parent, Lines lines, ScrollBars scroll_bars) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (lines == Lines::kSingle) {
        m_line = new QLineEdit(this);
        layout->addWidget(m_line);
        connect(m_line, &QLineEdit::textEdited, this, &TextBox::on_user_edit);
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
        m_memo->setPlainText(with_line_feeds(m_text));
    }
    m_showing = false;
}

void TextBox::on_user_edit() {
    if (m_showing) {
        return;
    }
    QString typed = m_line ? m_line->text() : m_memo->toPlainText();
    if (m_memo) {
        typed.replace(u'\n', QStringLiteral("\r\n"));  // Enter makes a CR LF, as saved files hold
    }
    if (typed == m_text) {
        return;
    }
    m_text = typed;
    emit changed();
}
