#include "shell/widgets/line_view.h"
#include "shell/widgets/line_source.h"
#include "tests/support/form_driver.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QWheelEvent>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

class ListSource : public LineSource {
public:
    QStringList lines;

    qint64 line_count() const override { return lines.size(); }
    QString line(qint64 index) const override { return lines[index]; }
    qint64 text_size() const override { return lines.join(u'\n').size(); }
    QString text(qint64 from, qint64 to) const override {
        return lines.join(u'\n').mid(from, to - from);
    }
};

// A capped log: "line N" for every line that came, the oldest going from the top.
class LogSource : public ListSource {
public:
    qint64 dropped = 0;

    qint64 made = 0;  // the lines were made anew this many times

    qint64 dropped_lines() const override { return dropped; }
    qint64 generation() const override { return made; }
    void add(int count) {
        for (int i = 0; i < count; ++i) {
            lines.append(u"line %1"_s.arg(dropped + lines.size()));
        }
    }
    void drop(int count) {
        lines.remove(0, count);
        dropped += count;
    }
};

// The view follows the newest line until the user scrolls away, and catches up when they come
// back to the end; accessibility reads its text read-only.
TEST(LineView, FollowsTheNewestLineUntilScrolledAwayAndReadsAsText) {
    ListSource source;
    LineView view(source, nullptr);
    view.resize(200, 120);
    view.show();
    QScrollBar* bar = view.verticalScrollBar();
    const auto add = [&](int count) {
        for (int i = 0; i < count; ++i) {
            source.lines.append(QString::number(source.lines.size()));
        }
        view.refresh();
    };
    add(100);
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->setValue(3);
    add(10);
    EXPECT_EQ(bar->value(), 3);
    bar->setValue(bar->maximum());
    add(10);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(bar->maximum(), 120 - bar->pageStep());

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(accessible->textInterface(), nullptr);
    EXPECT_TRUE(accessible->state().readOnly);
    EXPECT_EQ(accessible->textInterface()->text(2, 7), u"1\n2\n3"_s);
    EXPECT_EQ(accessible->textInterface()->characterCount(), source.text_size());
}

// Where a user points at character `column` of line `line`: just inside its left edge.
QPoint at_character(const LineView& view, qint64 line, qint64 column) {
    const QRect box = view.character_rect({line, column});
    EXPECT_FALSE(box.isEmpty()) << line << ":" << column << " is out of sight";
    return {box.left() + 1, box.center().y()};
}

void wheel_up(QWidget* viewport) {
    const QPointF at(10, 10);
    QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &wheel);
}

// A user drags a selection and copies it while lines keep coming and the oldest go, finds a
// text with Ctrl+F, scrolls up away from the newest line and comes back with End and 跟随.
TEST(LineView, SelectsCopiesFindsAndFollowsAsAUserDoes) {
    LogSource source;
    source.add(100);
    LineView view(source, nullptr);
    view.resize(400, 300);
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    view.refresh();
    QWidget* viewport = view.viewport();
    QScrollBar* bar = view.verticalScrollBar();
    auto* follow = control<QCheckBox>(&view, u"跟随"_s);
    ASSERT_NE(follow, nullptr);
    EXPECT_TRUE(view.following());
    EXPECT_TRUE(follow->isChecked());
    EXPECT_EQ(bar->value(), bar->maximum());

    // A drag from the third character of the top line in sight to the second of the line two
    // below; selecting stops following.
    const qint64 top = bar->value();
    const QString top_line = source.lines[top];
    QTest::mousePress(viewport, Qt::LeftButton, {}, at_character(view, top, 2));
    QTest::mouseMove(viewport, at_character(view, top + 1, 3));
    QTest::mouseMove(viewport, at_character(view, top + 2, 1));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at_character(view, top + 2, 1));
    const QString selected =
        top_line.mid(2) + u'\n' + source.lines[top + 1] + u'\n' + source.lines[top + 2].left(1);
    EXPECT_FALSE(view.following());
    EXPECT_FALSE(follow->isChecked());
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), selected);

    // A screen reader reads the same selection.
    QAccessibleTextInterface* reader =
        QAccessible::queryAccessibleInterface(&view)->textInterface();
    ASSERT_EQ(reader->selectionCount(), 1);
    int start = 0;
    int end = 0;
    reader->selection(0, &start, &end);
    EXPECT_EQ(reader->text(start, end), selected);

    // Lines come and the oldest go: the selection and the lines in sight stay where they were.
    source.drop(30);
    source.add(30);
    view.refresh();
    EXPECT_EQ(view.selected_text(), selected);
    EXPECT_EQ(source.lines[view.point_at({5, 5}).line], top_line);
    reader->selection(0, &start, &end);
    EXPECT_EQ(reader->text(start, end), selected);

    // Ctrl+A and Ctrl+C take every line as shown.
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), source.lines.join(u'\n'));

    // Ctrl+F: typing finds from where the selection begins, Enter the next match, Shift+Enter
    // the one before; each is selected and in sight. Esc closes the bar.
    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    auto* needle = control<QLineEdit>(&view, u"查找"_s);
    ASSERT_NE(needle, nullptr);
    EXPECT_TRUE(needle->isVisible());
    EXPECT_TRUE(needle->hasFocus());
    EXPECT_NE(control<QPushButton>(&view, u"上一个"_s), nullptr);
    EXPECT_NE(control<QPushButton>(&view, u"下一个"_s), nullptr);
    QTest::keyClicks(needle, u"LINE 4"_s);
    const auto match = [&] {
        return source.lines[view.selection_start().line].mid(view.selection_start().column, 6) +
               u'@' + QString::number(view.selection_start().line);
    };
    EXPECT_EQ(view.selected_text(), u"line 4"_s);
    EXPECT_EQ(match(), u"line 4@10"_s);  // "line 40", the first after the 30 that went
    EXPECT_FALSE(view.character_rect(view.selection_start()).isEmpty());
    QTest::keyClick(needle, Qt::Key_Return);
    EXPECT_EQ(match(), u"line 4@11"_s);
    QTest::keyClick(needle, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(match(), u"line 4@10"_s);
    QTest::keyClick(needle, Qt::Key_Return, Qt::ShiftModifier);  // round the beginning
    EXPECT_EQ(match(), u"line 4@19"_s);
    EXPECT_FALSE(view.character_rect(view.selection_start()).isEmpty());
    retype(needle, u"line 7x"_s);
    EXPECT_EQ(control<QLabel>(&view, u"find_result"_s)->text(), u"找不到"_s);
    QTest::keyClick(needle, Qt::Key_Escape);
    EXPECT_FALSE(needle->isVisible());
    EXPECT_TRUE(view.hasFocus());

    // End follows again; scrolling up stops it, the lines in sight staying as lines come;
    // 跟随 follows again.
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_TRUE(view.following());
    EXPECT_TRUE(follow->isChecked());
    EXPECT_EQ(bar->value(), bar->maximum());
    source.add(5);
    view.refresh();
    EXPECT_EQ(bar->value(), bar->maximum());
    wheel_up(viewport);
    EXPECT_FALSE(view.following());
    EXPECT_FALSE(follow->isChecked());
    const int scrolled = bar->value();
    EXPECT_LT(scrolled, bar->maximum());
    source.add(5);
    view.refresh();
    EXPECT_EQ(bar->value(), scrolled);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_TRUE(view.following());
    EXPECT_EQ(bar->value(), bar->maximum());
    wheel_up(viewport);
    click(follow);
    EXPECT_TRUE(view.following());
    source.add(5);
    view.refresh();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(view.point_at({5, viewport->height() - 5}).line, source.line_count() - 1);
}

// Shift and the arrow keys select from the caret.
TEST(LineView, SelectsWithTheKeyboard) {
    LogSource source;
    source.add(5);
    LineView view(source, nullptr);
    view.resize(300, 300);
    view.show();
    view.refresh();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at_character(view, 1, 2));
    EXPECT_FALSE(view.has_selection());
    EXPECT_TRUE(view.following());  // a click alone selects nothing
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.selected_text(), u"ne 1\nlin"_s);
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(view.selected_text(), u"ne 1\nline 2"_s);
    QTest::keyClick(&view, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(view.selected_text(), u"0\nli"_s);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_FALSE(view.has_selection());
    EXPECT_EQ(view.cursor(), (LinePoint{0, 4}));

    // Lines made anew (another view of them) let the selection go.
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    ++source.made;
    view.refresh();
    EXPECT_FALSE(view.has_selection());
}

// A line wider than the view scrolls sideways, or with 自动换行 wraps onto rows of its own;
// either way none of it is out of reach.
TEST(LineView, LongLinesScrollSidewaysOrWrap) {
    LogSource source;
    source.lines.append(u"x"_s.repeated(40) + u"end"_s);
    source.add(30);
    LineView view(source, nullptr);
    view.resize(200, 200);
    view.show();
    view.refresh();
    QSignalSpy wrapped(&view, &LineView::wrap_changed);
    QScrollBar* sideways = view.horizontalScrollBar();
    QTest::keyClick(&view, Qt::Key_Home);
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.following());
    EXPECT_GT(sideways->maximum(), 0);
    EXPECT_TRUE(sideways->isVisible());
    EXPECT_GT(view.character_rect({0, 42}).right(), view.viewport()->width());
    sideways->setValue(sideways->maximum());
    EXPECT_LE(view.character_rect({0, 42}).right(), view.viewport()->width());

    view.set_wrap(true);
    EXPECT_EQ(wrapped.count(), 1);
    EXPECT_TRUE(wrapped.constLast().constFirst().toBool());
    QCoreApplication::processEvents();
    EXPECT_FALSE(sideways->isVisible());
    const QRect last = view.character_rect({0, 42});
    EXPECT_LE(last.right(), view.viewport()->width());
    EXPECT_GT(last.top(), 0);  // on a row below the first
    EXPECT_GE(view.character_rect({1, 0}).top(), last.bottom());

    // The newest line, when long, is followed whole.
    source.lines.append(u"y"_s.repeated(60));
    QTest::keyClick(&view, Qt::Key_End);
    view.refresh();
    const QRect newest = view.character_rect({source.line_count() - 1, 59});
    EXPECT_FALSE(newest.isEmpty());
    EXPECT_LE(newest.bottom(), view.viewport()->height());
    view.set_wrap(true);
    EXPECT_EQ(wrapped.count(), 1);  // told only of a change
}

// Every text a screen reader asks for, by character, word, sentence or line, as Qt's rules give
// it on the whole text; the view reads it from the lines about the offset.
TEST(LineView, ReadsAboutAnOffsetFromTheLinesAboutIt) {
    class CountedSource : public LogSource {
    public:
        QString text(qint64 from, qint64 to) const override {
            longest = std::max(longest, to - from);
            return LogSource::text(from, to);
        }
        mutable qint64 longest = 0;
    };
    // The same text read whole, by Qt's own rules.
    class WholeText : public QAccessibleTextInterface {
    public:
        explicit WholeText(QString text) : m_text(std::move(text)) {}
        QString text(int start, int end) const override { return m_text.mid(start, end - start); }
        int characterCount() const override { return static_cast<int>(m_text.size()); }
        void selection(int, int*, int*) const override {}
        int selectionCount() const override { return 0; }
        void addSelection(int, int) override {}
        void removeSelection(int) override {}
        void setSelection(int, int, int) override {}
        int cursorPosition() const override { return 0; }
        void setCursorPosition(int) override {}
        QRect characterRect(int) const override { return {}; }
        int offsetAtPoint(const QPoint&) const override { return -1; }
        void scrollToSubstring(int, int) override {}
        QString attributes(int, int*, int*) const override { return {}; }

    private:
        QString m_text;
    };
    CountedSource source;
    for (int i = 0; i < 300; ++i) {
        source.lines.append(i % 3 == 1 || (i > 3 && i < 8)
                                ? QString()
                                : u"word%1 and more. Then %1 again"_s.arg(i));
    }
    LineView view(source, nullptr);
    view.refresh();
    QAccessibleTextInterface* reader =
        QAccessible::queryAccessibleInterface(&view)->textInterface();
    const WholeText whole(source.lines.join(u'\n'));
    const int size = whole.characterCount();
    const int offsets[] = {0, 3, 30, 31, 32, 33, 89, 92, 96, size / 2, size - 1, size};
    const QAccessible::TextBoundaryType boundaries[] = {
        QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
        QAccessible::LineBoundary};
    for (const int offset : offsets) {
        for (const QAccessible::TextBoundaryType boundary : boundaries) {
            SCOPED_TRACE(u"offset %1, boundary %2"_s.arg(offset).arg(boundary).toStdString());
            int start = 0;
            int end = 0;
            int whole_start = 0;
            int whole_end = 0;
            EXPECT_EQ(reader->textBeforeOffset(offset, boundary, &start, &end),
                      whole.textBeforeOffset(offset, boundary, &whole_start, &whole_end));
            EXPECT_EQ(std::pair(start, end), std::pair(whole_start, whole_end));
            if (offset == size) {
                // Nothing is at the end, or after it (Qt's rules never come back from there).
                EXPECT_EQ(reader->textAtOffset(offset, boundary, &start, &end), QString());
                EXPECT_EQ(reader->textAfterOffset(offset, boundary, &start, &end), QString());
                EXPECT_EQ(std::pair(start, end), std::pair(size, size));
                continue;
            }
            EXPECT_EQ(reader->textAtOffset(offset, boundary, &start, &end),
                      whole.textAtOffset(offset, boundary, &whole_start, &whole_end));
            EXPECT_EQ(std::pair(start, end), std::pair(whole_start, whole_end));
            EXPECT_EQ(reader->textAfterOffset(offset, boundary, &start, &end),
                      whole.textAfterOffset(offset, boundary, &whole_start, &whole_end));
            EXPECT_EQ(std::pair(start, end), std::pair(whole_start, whole_end));
        }
    }
    EXPECT_LT(source.longest, 200);
}

// The right-click menu: 复制 when something is selected, 全选, 查找 and 自动换行.
TEST(LineView, OffersCopySelectAllFindAndWrapOnItsMenu) {
    LogSource source;
    source.add(3);
    LineView view(source, nullptr);
    view.show();
    view.refresh();
    const auto menu_of = [&] { return std::unique_ptr<QMenu>(view.make_context_menu(&view)); };
    const auto action = [](QMenu* menu, const QString& text) -> QAction* {
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        ADD_FAILURE() << "no " << text.toStdString();
        return nullptr;
    };
    auto menu = menu_of();
    EXPECT_FALSE(action(menu.get(), u"复制"_s)->isEnabled());
    action(menu.get(), u"全选"_s)->trigger();
    EXPECT_EQ(view.selected_text(), u"line 0\nline 1\nline 2"_s);
    menu = menu_of();
    QGuiApplication::clipboard()->clear();
    action(menu.get(), u"复制"_s)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"line 0\nline 1\nline 2"_s);
    action(menu.get(), u"自动换行"_s)->trigger();
    EXPECT_TRUE(view.wrap());
    action(menu.get(), u"查找"_s)->trigger();
    EXPECT_TRUE(control<QLineEdit>(&view, u"查找"_s)->isVisible());
}

}  // namespace
