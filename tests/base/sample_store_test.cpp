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
    const struct {
        std::vector<const char*> records;
        const char* seconds_csv;
        const char* index_csv;
    } rows[] = {
        {{}, "时间(s)", "序号"},
        {{"10 a=1 b=2", "10.5 a=-3.25 b=1e-300"},
         "时间(s),a,b|0,1,2|0.5,-3.25,1e-300",
         "序号,a,b|0,1,2|1,-3.25,1e-300"},
        // A channel that comes later starts where it comes; one that stops leaves blanks.
        {{"1 x=1", "2 x=2 y=7", "3 y=8", "4 x=0.1"},
         "时间(s),x,y|0,1,|1,2,7|2,,8|3,0.1,",
         "序号,x,y|0,1,|1,2,7|2,,8|3,0.1,"},
        // Empty records count for nothing; a repeated name keeps its last value.
        {{"5", "6 t=1 t=2", "7"}, "时间(s),t|0,2", "序号,t|0,2"},
        // A clock that steps back holds the time where it was.
        {{"100 v=1", "101 v=2", "99 v=3"}, "时间(s),v|0,1|1,2|1,3", "序号,v|0,1|1,2|2,3"},
        // Names holding a comma or a quote are quoted.
        {{"0 a,b=1 q\"=2"}, "时间(s),\"a,b\",\"q\"\"\"|0,1,2", "序号,\"a,b\",\"q\"\"\"|0,1,2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seconds_csv);
        const SampleStore store = store_of(row.records);
        EXPECT_EQ(csv_text(store), QString::fromUtf8(row.seconds_csv).replace(u'|', u"\r\n"_s));
        EXPECT_EQ(csv_text(store, PlotAxis::kIndex),
                  QString::fromUtf8(row.index_csv).replace(u'|', u"\r\n"_s));
    }
}

// Beyond `kept` samples the oldest go, a chunk at a time, never below `kept`.
TEST(SampleStore, DropsTheOldestChunksBeyondWhatItKeeps) {
    const struct {
        qsizetype kept;
        int added;
        qsizetype held;
    } rows[] = {
        // Three full chunks stay until a fourth begins: only then can one go.
        {5000, 5000, 5000},   {5000, 12288, 12288}, {5000, 12289, 8193},
        {5000, 20000, 11808}, {4096, 8193, 4097},   {1, 10000, 5904},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.added);
        SampleStore store(row.kept);
        for (int i = 0; i < row.added; ++i) {
            store.add(i, {{u"c"_s, double(i)}});
        }
        const SampleChannel& channel = *store.channel(u"c"_s);
        EXPECT_EQ(channel.size(), row.held);
        EXPECT_EQ(channel.dropped(), row.added - row.held);
        EXPECT_EQ(channel.at(0).value, double(row.added - row.held));
        EXPECT_EQ(channel.at(channel.size() - 1).index, double(row.added - 1));
        EXPECT_EQ(csv_text(store).count(u"\r\n"_s), row.held);
    }
}

// The envelope of each pixel column equals the one found sample by sample.
TEST(SampleChannel, ColumnEnvelopesMatchTheSamplesInThem) {
    SampleChannel channel(u"c"_s, 1 << 20);
    std::vector<Sample> all;
    QRandomGenerator random(25);
    double seconds = 0;
    for (int i = 0; i < 30000; ++i) {
        seconds += random.bounded(3) * 0.001;  // times repeat now and then
        const Sample sample{seconds, double(i), random.bounded(2000.0) - 1000};
        channel.append(sample);
        all.push_back(sample);
    }
    const struct {
        PlotAxis axis;
        double left;
        double right;
        int columns;
    } rows[] = {
        {PlotAxis::kIndex, 0, 29999, 800},      {PlotAxis::kIndex, -100, 40000, 7},
        {PlotAxis::kIndex, 100.5, 130.5, 1000}, {PlotAxis::kSeconds, 0, seconds, 640},
        {PlotAxis::kSeconds, 3.3, 3.4, 33},     {PlotAxis::kIndex, 5, 5, 10},
        {PlotAxis::kIndex, 40000, 50000, 10},   {PlotAxis::kSeconds, 1, 20, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.left << ".." << row.right << " / " << row.columns);
        const std::vector<ColumnSpan> spans =
            channel.columns(row.axis, row.left, row.right, row.columns);
        ASSERT_EQ(spans.size(), std::size_t(row.columns));
        const double width = (row.right - row.left) / row.columns;
        std::vector<ColumnSpan> expected(row.columns);
        for (const Sample& s : all) {
            const double x = s.x(row.axis);
            if (!(width > 0) || x < row.left || x > row.right) {
                continue;
            }
            const int c = std::min(row.columns - 1, int(std::floor((x - row.left) / width)));
            ColumnSpan& e = expected[c];
            if (e.count++ == 0) {
                e.low = e.high = e.first = s.value;
            }
            e.low = std::min(e.low, s.value);
            e.high = std::max(e.high, s.value);
            e.last = s.value;
        }
        for (int c = 0; c < row.columns; ++c) {
            const ColumnSpan& got = spans[c];
            const ColumnSpan& e = expected[c];
            ASSERT_EQ(got.count, e.count) << "column " << c;
            if (e.count > 0) {
                ASSERT_EQ(std::tuple(got.low, got.high, got.first, got.last),
                          std::tuple(e.low, e.high, e.first, e.last))
                    << "column " << c;
            }
        }
    }
}

}  // namespace
