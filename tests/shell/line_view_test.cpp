#include "shell/widgets/line_view.h"
#include "shell/widgets/line_search.h"
#include "shell/widgets/line_selection.h"
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
#include <QTest>

#include <limits>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A capped log, "line N" for every line that came, the oldest going from the top. It counts the
// lines it makes and the longest stretch of its text read at once.
class LogSource : public LineSource {
public:
    explicit LogSource(int count = 0, int gone = 0) {
        add(count);
        drop(gone);
    }
    explicit LogSource(QStringList all) : lines(std::move(all)) {}
    qint64 line_count() const override { return lines.size(); }
    QString line(qint64 index) const override {
        ++lines_made;
        return lines[index];
    }
    qint64 text_size() const override { return lines.join(u'\n').size(); }
    QString text(qint64 from, qint64 to) const override {
        longest = std::max(longest, to - from);
        return lines.join(u'\n').mid(from, to - from);
    }
    qint64 dropped_lines() const override { return dropped; }
    void add(int count) {
        for (int i = 0; i < count; ++i) {
            lines.append(u"line %1"_s.arg(dropped + lines.size()));
        }
    }
    void drop(int count) {
        lines.remove(0, count);
        dropped += count;
    }

    QStringList lines;
    qint64 dropped = 0;
    mutable int lines_made = 0;
    mutable qint64 longest = 0;
};

// A selection keeps to its characters while the oldest lines go; what went from it is let go, and
// what is left copies as it is shown, only its own lines made.
TEST(LineSelection, KeepsToItsCharactersWhileOldLinesGo) {
    struct Row {
        LinePoint anchor;
        LinePoint cursor;
        qint64 dropped;
        QString text;
        int lines_made;
    };
    const Row rows[] = {
        {{1, 1}, {3, 2}, 0, u"ine 1\nline 2\nli"_s, 3},
        {{1, 1}, {3, 2}, 1, u"ine 1\nline 2\nli"_s, 3},  // its lines still there
        {{1, 1}, {3, 2}, 2, u"line 2\nli"_s, 2},         // its first line went
        {{1, 1}, {3, 2}, 4, u""_s, 0},                   // all of it went
        {{3, 2}, {1, 1}, 2, u"line 2\nli"_s, 2},         // selected upwards
        {{2, 0}, {3, 0}, 0, u"line 2\n"_s, 2},           // a whole line with its end
        {{8, 0}, {9, 6}, 5, u"line 8\nline 9"_s, 2},     // to the end of the last line
        {{8, 1}, {12, 0}, 5, u"ine 8\nline 9"_s, 2},     // past the last line
        {{2, 7}, {2, 9}, 0, u""_s, 1},                   // past a line's end
        {{2, 1}, {2, 1}, 0, u""_s, 0},                   // nothing selected
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
        const LogSource source(10, row.dropped);
        LineSelection selection;
        selection.select(row.anchor, row.cursor);
        selection.drop_before(row.dropped);
        EXPECT_EQ(selection.text(source, row.dropped), row.text);
        EXPECT_EQ(source.lines_made, row.lines_made);
    }
}

// Forward finds the first match from a place on, backward the last before it, both ignoring case,
// one line at a time, going round the ends once.
TEST(LineSearch, FindsForwardAndBackwardAndGoesRound) {
    struct Row {
        const char* needle;
        LinePoint from;
        SearchDirection direction;
        std::optional<LineMatch> match;
        qint64 most_lines = std::numeric_limits<qint64>::max();
    };
    constexpr auto kForward = SearchDirection::kForward;
    constexpr auto kBackward = SearchDirection::kBackward;
    const Row rows[] = {
        {"beta", {0, 6}, kForward, LineMatch{{0, 6}, false}},  // a match at the place itself
        {"beta", {0, 7}, kForward, LineMatch{{2, 0}, false}},  // in any case
        {"beta", {2, 12}, kForward, LineMatch{{0, 6}, true}},
        {"beta", {2, 11}, kBackward, LineMatch{{2, 0}, false}},
        {"beta", {2, 0}, kBackward, LineMatch{{0, 6}, false}},
        {"beta", {0, 6}, kBackward, LineMatch{{2, 11}, true}},
        {"alpha", {0, 3}, kForward, LineMatch{{0, 0}, true}},  // round to its own line
        {"alpha", {0, 0}, kBackward, LineMatch{{0, 0}, true}},
        {"27 10", {3, 9}, kBackward, LineMatch{{3, 6}, false}},
        {"beta\nbeta", {0, 0}, kForward, std::nullopt},  // a match lies within one line
        {"", {0, 0}, kForward, std::nullopt},
        {"beta", {9, 0}, kForward, LineMatch{{0, 6}, true}},  // from past the last line
        {"beta", {2, 12}, kForward, std::nullopt, 2},  // two lines looked at: its own and one
        {"beta", {2, 12}, kForward, LineMatch{{0, 6}, true}, 3},
        {"beta", {0, 6}, kBackward, std::nullopt, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
        const LogSource source({u"alpha beta"_s, u""_s, u"Beta gamma beta"_s, u"55 AA 27 10"_s});
        EXPECT_EQ(find_in_lines(source, QString::fromUtf8(row.needle), row.from, row.direction,
                                row.most_lines),
                  row.match);
        EXPECT_LE(source.lines_made, 5);  // each line once, its own twice at most
    }
}

// Without a quicker way, a source's text is its lines joined by line feeds.
TEST(LineSource, FindsItsLinesInTheTextTheyMake) {
    const LogSource source({u"ab"_s, u""_s, u"cde"_s});
    for (const auto& [line, offset] : {std::pair{0, 0}, {1, 3}, {2, 4}, {3, 7}}) {
        EXPECT_EQ(source.line_offset(line), offset) << line;
    }
    for (const auto& [offset, line] : {std::pair{0, 0}, {2, 0}, {3, 1}, {4, 2}, {6, 2}, {9, 2}}) {
        EXPECT_EQ(source.line_at_offset(offset), line) << offset;
    }
}

// Where a user points at character `column` of line `line`: just inside its left edge.
QPoint at_character(const LineView& view, qint64 line, qint64 column) {
    const QRect box = view.character_rect({line, column});
    EXPECT_FALSE(box.isEmpty()) << line << ":" << column << " is out of sight";
    return {box.left() + 1, box.center().y()};
}

// A user drags a selection and copies it while lines keep coming and the oldest go, finds a text
// with Ctrl+F, scrolls up away from the newest line and comes back with End and 跟随.
TEST(LineView, SelectsCopiesFindsAndFollowsAsAUserDoes) {
    LogSource source(100);
    LineView view(source, nullptr);
    view.resize(400, 300);
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    view.refresh();
    QWidget* viewport = view.viewport();
    QScrollBar* bar = view.verticalScrollBar();
    auto* follow = control<QCheckBox>(&view, u"跟随"_s);
    // Whether the view follows the newest line, which 跟随 always shows.
    const auto following = [&] {
        EXPECT_EQ(follow->isChecked(), view.following());
        return view.following();
    };
    EXPECT_TRUE(following());
    EXPECT_EQ(bar->value(), bar->maximum());

    // A drag from the third character of the top line in sight to the second of the line two below;
    // selecting stops following.
    const qint64 top = bar->value();
    const QString top_line = source.lines[top];
    QTest::mousePress(viewport, Qt::LeftButton, {}, at_character(view, top, 2));
    QTest::mouseMove(viewport, at_character(view, top + 2, 1));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at_character(view, top + 2, 1));
    const QString selected =
        top_line.mid(2) + u'\n' + source.lines[top + 1] + u'\n' + source.lines[top + 2].left(1);
    EXPECT_FALSE(following());
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), selected);

    // Lines come and the oldest go: the selection, also as a screen reader reads it, and the lines
    // in sight stay where they were.
    QAccessibleTextInterface* reader =
        QAccessible::queryAccessibleInterface(&view)->textInterface();
    source.drop(30);
    source.add(30);
    view.refresh();
    EXPECT_EQ(view.selected_text(), selected);
    EXPECT_EQ(source.lines[view.point_at({5, 5}).line], top_line);
    int start = 0;
    int end = 0;
    reader->selection(0, &start, &end);
    EXPECT_EQ(reader->text(start, end), selected);

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);  // the search starts at the top

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
    // follows again, the newest line at the bottom.
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_TRUE(following());
    source.add(5);
    view.refresh();
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->triggerAction(QScrollBar::SliderPageStepSub);
    EXPECT_FALSE(following());
    const int scrolled = bar->value();
    source.add(5);
    view.refresh();
    EXPECT_EQ(bar->value(), scrolled);
    click(follow);
    EXPECT_TRUE(following());
    source.add(5);
    view.refresh();
    EXPECT_EQ(view.point_at({5, viewport->height() - 5}).line, source.line_count() - 1);
}

// Shift and the arrow keys select from the caret; the right-click menu offers 复制 when something
// is selected, 全选, 查找 and 自动换行. A line wider than the view scrolls sideways, or with
// 自动换行 wraps onto rows of its own; either way none of it is out of reach.
TEST(LineView, SelectsWithTheKeysOffersItsMenuAndReachesLongLines) {
    LogSource source(5);
    source.lines.append(u"x"_s.repeated(80) + u"end"_s);
    LineView view(source, nullptr);
    view.resize(300, 300);
    view.show();
    view.refresh();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at_character(view, 1, 2));
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
    sideways->setValue(sideways->maximum());
    EXPECT_LE(view.character_rect({5, 82}).right(), view.viewport()->width());

    // Triggers the menu's action `text`, when it is enabled.
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
    EXPECT_TRUE(action(u"复制"_s));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), source.lines.join(u'\n'));
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
    view.set_wrap(true);
    EXPECT_EQ(wrapped.count(), 1);  // told only of a change
}

// A screen reader asks for the text by character, word, sentence or line about an offset. The view
// reads only the lines about it, and answers as it does over the same text held as one line, which
// it reads whole.
TEST(LineView, ReadsAboutAnOffsetAsOverTheWholeText) {
    LogSource source;
    for (int i = 0; i < 300; ++i) {
        const bool blank = i % 3 == 1 || (i > 3 && i < 8);
        source.lines.append(blank ? QString() : u"word%1 and more. Then %1 again"_s.arg(i));
    }
    const LogSource one_line({source.lines.join(u'\n')});
    LineView view(source, nullptr);
    LineView whole_view(one_line, nullptr);
    QAccessibleTextInterface* reader =
        QAccessible::queryAccessibleInterface(&view)->textInterface();
    QAccessibleTextInterface* whole =
        QAccessible::queryAccessibleInterface(&whole_view)->textInterface();
    const int size = whole->characterCount();
    for (const auto read :
         {&QAccessibleTextInterface::textBeforeOffset, &QAccessibleTextInterface::textAtOffset,
          &QAccessibleTextInterface::textAfterOffset}) {
        for (const int offset : {0, 3, 30, 31, 32, 33, 89, 92, 96, size / 2, size - 1, size}) {
            for (const auto boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                                        QAccessible::SentenceBoundary, QAccessible::LineBoundary}) {
                SCOPED_TRACE(u"offset %1, boundary %2"_s.arg(offset).arg(boundary).toStdString());
                int start[2] = {};
                int end[2] = {};
                EXPECT_EQ((reader->*read)(offset, boundary, &start[0], &end[0]),
                          (whole->*read)(offset, boundary, &start[1], &end[1]));
                EXPECT_EQ(std::pair(start[0], end[0]), std::pair(start[1], end[1]));
            }
        }
    }
    // By hand: the word about an offset, and nothing at the end.
    int start = 0;
    int end = 0;
    EXPECT_EQ(reader->textAtOffset(3, QAccessible::WordBoundary, &start, &end), u"word0"_s);
    EXPECT_EQ(reader->textAtOffset(size, QAccessible::WordBoundary, &start, &end), QString());
    EXPECT_LT(source.longest, 200);
}

}  // namespace
