#include "line_find_bar.h"

#include "layout_kit.h"
#include "look.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LineFindBar::LineFindBar(QWidget* parent) : QWidget(parent) {
    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("find_text"));
    m_text->setAccessibleName(QStringLiteral("查找"));
    m_text->installEventFilter(this);
    QPushButton* previous =
        new_button(QStringLiteral("find_previous"), QStringLiteral("上一个"), button_face_colour());
    QPushButton* next =
        new_button(QStringLiteral("find_next"), QStringLiteral("下一个"), button_face_colour());
    m_result = new_value_label(QStringLiteral("find_result"), QStringLiteral("查找结果"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    add_labelled(row, QStringLiteral("查找"), m_text, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(m_result);
    connect(previous, &QPushButton::clicked, this,
            [this] { emit find_requested(SearchDirection::kBackward); });
    connect(next, &QPushButton::clicked, this,
            [this] { emit find_requested(SearchDirection::kForward); });
    connect(m_text, &QLineEdit::textEdited, this, &LineFindBar::needle_changed);
}

QString LineFindBar::needle() const {
    return m_text->text();
}

void LineFindBar::open() {
    show();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

void LineFindBar::show_result(Result result) {
    switch (result) {
        case Result::kNone:
        case Result::kFound:
            m_result->clear();
            break;
        case Result::kFoundRound:
            m_result->setText(QStringLiteral("已从另一端找起"));
            break;
        case Result::kNotFound:
            m_result->setText(QStringLiteral("找不到"));
            break;
        case Result::kNotNear:
            m_result->setText(QStringLiteral("附近没有，按 Enter 查找全部"));
            break;
    }
}

bool LineFindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit find_requested(key->modifiers() & Qt::ShiftModifier ? SearchDirection::kBackward
                                                                     : SearchDirection::kForward);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            emit closed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Keys the text field leaves (Up, Down, the page keys) stay in the bar rather than move the
// view's caret; Ctrl+F selects the text to find again.
void LineFindBar::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Find)) {
        open();
    }
    event->accept();
}
