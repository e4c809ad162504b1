#include "shell/widgets/line_selection.h"
#include "shell/widgets/line_search.h"
#include "shell/widgets/line_source.h"
#include "tests/support/qt_printers.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

// Failed expectations print places as line and column.
void PrintTo(const LinePoint& point, std::ostream* out);
void PrintTo(const LinePoint& point, std::ostream* out) {
    *out << "(" << point.line << ", " << point.column << ")";
}

namespace {

// Lines the way a capped log keeps them: the oldest go from the top, and the source counts
// them. It counts the lines it makes and fails a test that asks for its text.
class TrimmedSource : public LineSource {
public:
    explicit TrimmedSource(QStringList all, qint64 dropped = 0)
        : m_lines(all.mid(dropped)), m_dropped(dropped) {}

    qint64 line_count() const override { return m_lines.size(); }
    QString line(qint64 index) const override {
        ++lines_made;
        return m_lines[index];
    }
    qint64 text_size() const override {
        ADD_FAILURE() << "the whole text was measured";
        return 0;
    }
    QString text(qint64, qint64) const override {
        ADD_FAILURE() << "the whole text was asked for";
        return {};
    }
    qint64 dropped_lines() const override { return m_dropped; }

    mutable int lines_made = 0;

private:
    QStringList m_lines;
    qint64 m_dropped;
};

QStringList numbered_lines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        lines.append(u"L%1"_s.arg(i));
    }
    return lines;
}

// A selection keeps to its characters while the oldest lines go; what went from it is let go,
// and what is left copies as it is shown, only its own lines made.
TEST(LineSelection, KeepsToItsCharactersWhileOldLinesGo) {
    struct Row {
        LinePoint anchor;
        LinePoint cursor;
        qint64 dropped;
        LinePoint start;  // after the lines went
        LinePoint end;
        QString text;
    };
    const Row rows[] = {
        {{1, 1}, {3, 2}, 0, {1, 1}, {3, 2}, u"1\nL2\nL3"_s},
        {{1, 1}, {3, 2}, 1, {1, 1}, {3, 2}, u"1\nL2\nL3"_s},  // its lines still there
        {{1, 1}, {3, 2}, 2, {2, 0}, {3, 2}, u"L2\nL3"_s},     // its first line went
        {{1, 1}, {3, 2}, 4, {4, 0}, {4, 0}, u""_s},           // all of it went
        {{3, 2}, {1, 1}, 2, {2, 0}, {3, 2}, u"L2\nL3"_s},     // selected upwards
        {{2, 0}, {3, 0}, 0, {2, 0}, {3, 0}, u"L2\n"_s},       // a whole line with its end
        {{8, 0}, {9, 2}, 5, {8, 0}, {9, 2}, u"L8\nL9"_s},     // to the end of the last line
        {{8, 1}, {12, 0}, 5, {8, 1}, {12, 0}, u"8\nL9"_s},    // past the last line
        {{2, 5}, {2, 9}, 0, {2, 5}, {2, 9}, u""_s},           // past a line's end
        {{2, 1}, {2, 1}, 0, {2, 1}, {2, 1}, u""_s},           // nothing selected
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.toStdString() + " with " + std::to_string(row.dropped) + " gone");
        TrimmedSource source(numbered_lines(10), row.dropped);
        LineSelection selection;
        selection.select(row.anchor, row.cursor);
        selection.drop_before(row.dropped);
        EXPECT_EQ(selection.start(), row.start);
        EXPECT_EQ(selection.end(), row.end);
        EXPECT_EQ(selection.text(source, row.dropped), row.text);
        const qint64 lines =
            selection.empty() ? 0 : std::min<qint64>(row.end.line, 9) - row.start.line + 1;
        EXPECT_EQ(source.lines_made, lines);
    }
}

// Forward finds the first match from a place on, backward the last before it, both ignoring
// case, one line at a time, going round the ends once.
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
        {"beta", {0, 0}, kForward, LineMatch{{0, 6}, false}},
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
        {"zeta", {1, 0}, kForward, std::nullopt},
        {"", {0, 0}, kForward, std::nullopt},
        {"beta", {9, 0}, kForward, LineMatch{{0, 6}, true}},  // from past the last line
        {"beta", {2, 12}, kForward, std::nullopt, 2},  // two lines looked at: its own and one
        {"beta", {2, 12}, kForward, LineMatch{{0, 6}, true}, 3},
        {"beta", {0, 6}, kBackward, std::nullopt, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.needle) + (row.direction == kForward ? " forward" : " back") +
                     " from " + std::to_string(row.from.line) + ":" +
                     std::to_string(row.from.column));
        const TrimmedSource source(
            {u"alpha beta"_s, u""_s, u"Beta gamma beta"_s, u"55 AA 27 10"_s});
        const std::optional<LineMatch> match = find_in_lines(
            source, QString::fromUtf8(row.needle), row.from, row.direction, row.most_lines);
        ASSERT_EQ(match.has_value(), row.match.has_value());
        if (match) {
            EXPECT_EQ(match->start, row.match->start);
            EXPECT_EQ(match->wrapped, row.match->wrapped);
        }
        EXPECT_LE(source.lines_made, 5);  // each line once, its own twice at most
    }
}

// Without a quicker way, a source's text is its lines joined by line feeds.
TEST(LineSource, FindsItsLinesInTheTextTheyMake) {
    const TrimmedSource source({u"ab"_s, u""_s, u"cde"_s});
    const std::pair<qint64, qint64> line_starts[] = {{0, 0}, {1, 3}, {2, 4}, {3, 7}};
    for (const auto& [line, offset] : line_starts) {
        SCOPED_TRACE(line);
        EXPECT_EQ(source.line_offset(line), offset);
    }
    const std::pair<qint64, qint64> lines_at[] = {{0, 0}, {2, 0}, {3, 1}, {4, 2}, {6, 2}, {9, 2}};
    for (const auto& [offset, line] : lines_at) {
        SCOPED_TRACE(offset);
        EXPECT_EQ(source.line_at_offset(offset), line);
    }
}

}  // namespace
