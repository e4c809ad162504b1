#include "base/sample_store.h"
#include "tests/support/qt_printers.h"

#include <QRandomGenerator>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Records as "seconds name=value name=value", one a string; a record with no values adds none.
SampleStore store_of(const std::vector<const char*>& records) {
    SampleStore store;
    for (const char* record : records) {
        QStringList fields = QString::fromUtf8(record).split(u' ', Qt::SkipEmptyParts);
        const double seconds = fields.takeFirst().toDouble();
        NamedValues values;
        for (const QString& field : fields) {
            values.push_back({field.section(u'=', 0, 0), field.section(u'=', 1).toDouble()});
        }
        store.add(seconds, values);
    }
    return store;
}

TEST(SampleStore, KeepsRecordsByChannelAndWritesThemAsCsv) {
    // The records, and the CSV text with its lines joined by '|'.
    const std::pair<std::vector<const char*>, const char*> rows[] = {
        {{}, "时间(s)"},
        {{"10 a=1 b=2", "10.5 a=-3.25 b=1e-300"}, "时间(s),a,b|0,1,2|0.5,-3.25,1e-300"},
        // A channel that comes later starts where it comes; one that stops leaves blanks.
        {{"1 x=1", "2 x=2 y=7", "3 y=8", "4 x=0.1"}, "时间(s),x,y|0,1,|1,2,7|2,,8|3,0.1,"},
        // Empty records count for nothing; a repeated name keeps its last value.
        {{"5", "6 t=1 t=2", "7"}, "时间(s),t|0,2"},
        // A clock that steps back holds the time where it was.
        {{"100 v=1", "101 v=2", "99 v=3"}, "时间(s),v|0,1|1,2|1,3"},
        // Names holding a comma or a quote are quoted.
        {{"0 a,b=1 q\"=2"}, "时间(s),\"a,b\",\"q\"\"\"|0,1,2"},
    };
    for (const auto& [records, csv] : rows) {
        SCOPED_TRACE(csv);
        EXPECT_EQ(csv_text(store_of(records)), QString::fromUtf8(csv).replace(u'|', u"\r\n"_s));
    }
    // By record number the clock does not count.
    EXPECT_EQ(csv_text(store_of({"5", "100 v=1", "101 v=2 w=4", "99 w=3"}), PlotAxis::kIndex),
              u"序号,v,w\r\n0,1,\r\n1,2,4\r\n2,,3"_s);
}

// Beyond `kept` samples the oldest go, a chunk at a time, never below `kept`.
TEST(SampleStore, DropsTheOldestChunksBeyondWhatItKeeps) {
    const std::tuple<qsizetype, int, qsizetype> rows[] = {
        // kept, added, held
        // Three full chunks stay until a fourth begins: only then can one go.
        {5000, 5000, 5000},   {5000, 12288, 12288}, {5000, 12289, 8193},
        {5000, 20000, 11808}, {4096, 8193, 4097},   {1, 10000, 5904},
    };
    for (const auto& [kept, added, held] : rows) {
        SCOPED_TRACE(added);
        SampleStore store(kept);
        for (int i = 0; i < added; ++i) {
            store.add(i, {{u"c"_s, double(i)}});
        }
        const SampleChannel& channel = *store.channel(u"c"_s);
        EXPECT_EQ(channel.size(), held);
        EXPECT_EQ(channel.dropped(), added - held);
        EXPECT_EQ(channel.at(0).value, double(added - held));
        EXPECT_EQ(channel.at(channel.size() - 1).index, double(added - 1));
        EXPECT_EQ(csv_text(store).count(u"\r\n"_s), held);
    }
}

// The envelope of each pixel column equals the one found sample by sample.
TEST(SampleChannel, ColumnEnvelopesMatchTheSamplesInThem) {
    SampleChannel channel(u"c"_s, 1 << 20);
    std::vector<Sample> all;
    QRandomGenerator random(25);
    double seconds = 0;
    for (int i = 0; i < 30000; ++i) {
        // Times repeat now and then, and pause for 2 s every 7000 samples.
        seconds += i % 7000 == 6999 ? 2 : random.bounded(3) * 0.001;
        const Sample sample{seconds, double(i), random.bounded(2000.0) - 1000};
        channel.append(sample);
        all.push_back(sample);
    }
    const std::tuple<PlotAxis, double, double, int> rows[] = {
        // axis, left, right, columns
        // Columns of blocks and single samples, of groups, of whole chunks.
        {PlotAxis::kIndex, 0, 29999, 800},
        {PlotAxis::kIndex, 1000, 29000, 50},
        {PlotAxis::kIndex, -100, 40000, 7},
        // One column across a chunk's edge: single samples, blocks and a group on either side.
        {PlotAxis::kIndex, 3800.5, 4700.5, 1},
        {PlotAxis::kIndex, 100.5, 130.5, 1000},
        {PlotAxis::kSeconds, 0, seconds, 640},
        // Empty columns in a pause, then full ones.
        {PlotAxis::kSeconds, 6.5, 9.5, 300},
        {PlotAxis::kIndex, 5, 5, 10},
        {PlotAxis::kIndex, 40000, 50000, 10},
        {PlotAxis::kSeconds, 1, 20, 1},
    };
    for (const auto& [axis, left, right, columns] : rows) {
        SCOPED_TRACE(testing::Message() << left << ".." << right << " / " << columns);
        const std::vector<ColumnSpan> spans = channel.columns(axis, left, right, columns);
        ASSERT_EQ(spans.size(), std::size_t(columns));
        const double width = (right - left) / columns;
        std::vector<ColumnSpan> expected(columns);
        for (const Sample& s : all) {
            const double x = s.x(axis);
            if (!(width > 0) || x < left || x > right) {
                continue;
            }
            const int c = std::min(columns - 1, int(std::floor((x - left) / width)));
            ColumnSpan& e = expected[c];
            if (e.count++ == 0) {
                e.low = e.high = e.first = s.value;
            }
            e.low = std::min(e.low, s.value);
            e.high = std::max(e.high, s.value);
            e.last = s.value;
        }
        for (int c = 0; c < columns; ++c) {
            const ColumnSpan &got = spans[c], &e = expected[c];
            ASSERT_EQ(got.count, e.count) << "column " << c;
            ASSERT_TRUE(e.count == 0 || std::tie(got.low, got.high, got.first, got.last) ==
                                            std::tie(e.low, e.high, e.first, e.last))
                << "column " << c;
        }
    }
}

// The rows of a line through column envelopes. On a plot 10 rows high showing 0 to 10, value v
// lies at row 10 - v (row 0 at the top, each row a unit high, its middle at the half).
TEST(SampleChannel, LinesCoverTheRowsOfEachColumnAndTheirJoins) {
    const auto at = [](double value) { return ColumnSpan{1, value, value, value, value}; };
    const ColumnSpan none;
    // The spans, the plot's bottom, top and height, and per column "top-bottom" or "." for none.
    const std::tuple<std::vector<ColumnSpan>, double, double, int, const char*> rows[] = {
        {{}, 0, 10, 10, ""},
        {{at(5.2)}, 0, 10, 10, "4-4"},
        {{{9, 2.4, 7.6, 5, 5}}, 0, 10, 10, "2-7"},
        // A steep join splits at the middle of the two columns.
        {{at(1.2), at(8.8)}, 0, 10, 10, "5-8 1-4"},
        // It joins a column's last value to the next one's first, not its lowest or highest.
        {{{3, 1.2, 3.6, 3.6, 1.2}, {2, 5.4, 8.8, 8.8, 5.4}}, 0, 10, 10, "5-8 1-4"},
        // Across columns with no samples, each takes its part of the line.
        {{at(9.5), none, none, at(0.5)}, 0, 10, 10, "0-1 2-4 5-7 8-9"},
        // A gentle slope is one row a column.
        {{at(5.3), none, none, none, at(4.8)}, 0, 10, 10, "4-4 4-4 4-4 5-5 5-5"},
        // A part shorter than a row that holds no row's middle takes the row of its own middle.
        {{at(5.05), at(4.75)}, 0, 10, 10, "5-5 5-5"},
        // Nothing before the first column with samples, nor after the last.
        {{none, at(5.2), none}, 0, 10, 10, ". 4-4 ."},
        // Beyond the plot: left out, or cut at its edge; far beyond joins as just beyond.
        {{at(12)}, 0, 10, 10, "."},
        {{{2, 8.6, 20, 8.6, 20}}, 0, 10, 10, "0-0"},
        {{at(-3)}, 0, 10, 10, "."},
        {{{2, -40, 0.6, -40, 0.6}}, 0, 10, 10, "9-9"},
        {{at(1e300), at(-1e300)}, 0, 10, 10, "0-4 5-9"},
        // Another scale: 100 rows for -50 to 50.
        {{at(-50), at(0), at(49.5)}, -50, 50, 100, "75-99 25-74 0-24"},
        // A range with no height draws nothing.
        {{at(5), at(5)}, 5, 5, 10, ". ."},
    };
    for (const auto& [spans, bottom, top, height, expected] : rows) {
        SCOPED_TRACE(expected);
        QStringList text;
        for (const ColumnRows& each : column_rows(spans, bottom, top, height)) {
            text << (each.bottom < each.top ? u"."_s : u"%1-%2"_s.arg(each.top).arg(each.bottom));
        }
        EXPECT_EQ(text.join(u' '), QString::fromUtf8(expected));
    }
}

}  // namespace
