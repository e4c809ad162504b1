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
#include <QScrollBar>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QWheelEvent>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// A capped log: "line N" for every line that came, the oldest going from the top.
class LogSource : public LineSource {
public:
    QStringList lines;
    qint64 dropped = 0;
    qint64 made = 0;  // the lines were made anew this many times

    qint64 line_count() const override { return lines.size(); }
    QString line(qint64 index) const override { return lines[index]; }
    qint64 text_size() const override { return lines.join(u'\n').size(); }
    QString text(qint64 from, qint64 to) const override {
        return lines.join(u'\n').mid(from, to - from);
    }
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

// A user drags a selection and copies it while lines keep coming and the oldest go, finds a text
// with Ctrl+F, scrolls up away from the newest line and comes back with End and 跟随.
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
    EXPECT_TRUE(view.following());
    EXPECT_TRUE(follow->isChecked());
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(bar->maximum(), 100 - bar->pageStep());

    // A drag from the third character of the top line in sight to the second of the line two below;
    // selecting stops following.
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

    // A screen reader reads the text, read-only, and the same selection.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    EXPECT_TRUE(accessible->state().readOnly);
    QAccessibleTextInterface* reader = accessible->textInterface();
    EXPECT_EQ(reader->characterCount(), source.text_size());
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

    // Ctrl+F: typing finds from where the selection begins, Enter the next match, Shift+Enter the
    // one before; each is selected and in sight. Esc closes the bar.
    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    auto* needle = control<QLineEdit>(&view, u"查找"_s);
    EXPECT_TRUE(needle->hasFocus());
    QTest::keyClicks(needle, u"LINE 4"_s);
    const auto match = [&] {
        return view.selected_text() + u'@' + QString::number(view.selection_start().line);
    };
    EXPECT_EQ(match(), u"line 4@10"_s);  // "line 40", the first after the 30 that went
    QTest::keyClick(needle, Qt::Key_Return);
    EXPECT_EQ(match(), u"line 4@11"_s);
    QTest::keyClick(needle, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(needle, Qt::Key_Return, Qt::ShiftModifier);  // round the beginning
    EXPECT_EQ(match(), u"line 4@19"_s);
    EXPECT_FALSE(view.character_rect(view.selection_start()).isEmpty());
    retype(needle, u"line 7x"_s);
    EXPECT_EQ(control<QLabel>(&view, u"find_result"_s)->text(), u"找不到"_s);
    QTest::keyClick(needle, Qt::Key_Escape);
    EXPECT_FALSE(needle->isVisible());
    EXPECT_TRUE(view.hasFocus());

    // End follows again; scrolling up stops it, the lines in sight staying as lines come; 跟随
    // follows again.
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_TRUE(view.following());
    EXPECT_TRUE(follow->isChecked());
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
    click(follow);
    EXPECT_TRUE(view.following());
    source.add(5);
    view.refresh();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(view.point_at({5, viewport->height() - 5}).line, source.line_count() - 1);
}

// Shift and the arrow keys select from the caret; the right-click menu offers 复制 when something
// is selected, 全选, 查找 and 自动换行. A line wider than the view scrolls sideways, or with
// 自动换行 wraps onto rows of its own; either way none of it is out of reach.
TEST(LineView, SelectsWithTheKeysOffersItsMenuAndReachesLongLines) {
    LogSource source;
    source.add(5);
    source.lines.append(u"x"_s.repeated(80) + u"end"_s);
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

    QScrollBar* sideways = view.horizontalScrollBar();
    QCoreApplication::processEvents();
    EXPECT_TRUE(sideways->isVisible());
    EXPECT_GT(view.character_rect({5, 82}).right(), view.viewport()->width());
    sideways->setValue(sideways->maximum());
    EXPECT_LE(view.character_rect({5, 82}).right(), view.viewport()->width());

    const auto action = [&](const QString& text) {
        const std::unique_ptr<QMenu> menu(view.make_context_menu(&view));
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                return action->isEnabled() && (action->trigger(), true);
            }
        }
        ADD_FAILURE() << "no " << text.toStdString();
        return false;
    };
    EXPECT_FALSE(action(u"复制"_s));
    EXPECT_TRUE(action(u"全选"_s));
    EXPECT_EQ(view.selected_text(), source.lines.join(u'\n'));
    QGuiApplication::clipboard()->clear();
    EXPECT_TRUE(action(u"复制"_s));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), view.selected_text());
    QSignalSpy wrapped(&view, &LineView::wrap_changed);
    EXPECT_TRUE(action(u"自动换行"_s));
    QCoreApplication::processEvents();
    EXPECT_FALSE(sideways->isVisible());
    EXPECT_LE(view.character_rect({5, 82}).right(), view.viewport()->width());
    EXPECT_TRUE(action(u"查找"_s));
    EXPECT_TRUE(control<QLineEdit>(&view, u"查找"_s)->isVisible());

    // The newest line, when long, is followed whole, below the rows of the line before.
    source.lines.append(u"y"_s.repeated(120));
    QTest::keyClick(&view, Qt::Key_End);
    view.refresh();
    const QRect newest = view.character_rect({6, 119});
    EXPECT_FALSE(newest.isEmpty());
    EXPECT_LE(newest.bottom(), view.viewport()->height());
    EXPECT_GE(view.character_rect({6, 0}).top(), view.character_rect({5, 82}).bottom());
    EXPECT_GT(view.character_rect({5, 82}).top(), view.character_rect({5, 0}).top());
    view.set_wrap(true);
    EXPECT_EQ(wrapped.count(), 1);  // told only of a change

    // Lines made anew (another view of them) let the selection go.
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    ++source.made;
    view.refresh();
    EXPECT_FALSE(view.has_selection());
}

// A screen reader asks for the text by character, word, sentence or line about an offset. The view
// reads only the lines about it, and answers as it does over the same text held as one line, which
// it reads whole.
TEST(LineView, ReadsAboutAnOffsetAsOverTheWholeText) {
    class CountedSource : public LogSource {
    public:
        QString text(qint64 from, qint64 to) const override {
            longest = std::max(longest, to - from);
            return LogSource::text(from, to);
        }
        mutable qint64 longest = 0;
    };
    CountedSource source;
    for (int i = 0; i < 300; ++i) {
        source.lines.append(i % 3 == 1 || (i > 3 && i < 8)
                                ? QString()
                                : u"word%1 and more. Then %1 again"_s.arg(i));
    }
    LogSource one_line;
    one_line.lines = {source.lines.join(u'\n')};
    LineView view(source, nullptr);
    LineView whole_view(one_line, nullptr);
    QAccessibleTextInterface* reader =
        QAccessible::queryAccessibleInterface(&view)->textInterface();
    QAccessibleTextInterface* whole =
        QAccessible::queryAccessibleInterface(&whole_view)->textInterface();
    const int size = whole->characterCount();
    using Read =
        QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*, int*) const;
    const Read reads[] = {&QAccessibleTextInterface::textBeforeOffset,
                          &QAccessibleTextInterface::textAtOffset,
                          &QAccessibleTextInterface::textAfterOffset};
    for (const int offset : {0, 3, 30, 31, 32, 33, 89, 92, 96, size / 2, size - 1, size}) {
        for (const auto boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                                    QAccessible::SentenceBoundary, QAccessible::LineBoundary}) {
            for (const Read read : reads) {
                SCOPED_TRACE(u"offset %1, boundary %2"_s.arg(offset).arg(boundary).toStdString());
                int start = 0;
                int end = 0;
                int whole_start = 0;
                int whole_end = 0;
                EXPECT_EQ((reader->*read)(offset, boundary, &start, &end),
                          (whole->*read)(offset, boundary, &whole_start, &whole_end));
                EXPECT_EQ(std::pair(start, end), std::pair(whole_start, whole_end));
            }
        }
    }
    // By hand: the word about an offset, and nothing at the end.
    int start = 0;
    int end = 0;
    EXPECT_EQ(reader->textAtOffset(3, QAccessible::WordBoundary, &start, &end), u"word0"_s);
    EXPECT_EQ(reader->textAtOffset(size, QAccessible::WordBoundary, &start, &end), QString());
    EXPECT_EQ(std::pair(start, end), std::pair(size, size));
    EXPECT_LT(source.longest, 200);
}

}  // namespace
