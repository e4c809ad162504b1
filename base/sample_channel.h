#pragma once

#include <QString>

#include <algorithm>
#include <array>
#include <deque>
#include <memory>
#include <vector>

// What the horizontal axis counts: seconds since the store's first sample, or the record number
// (one record a text line or frame, counted from 0).
enum class PlotAxis { kSeconds, kIndex };

struct Sample {
    double seconds = 0;
    double index = 0;
    double value = 0;

    double x(PlotAxis axis) const { return axis == PlotAxis::kSeconds ? seconds : index; }
};

// The samples of one pixel column: their lowest and highest value and the first and last, which
// the line to the neighbouring columns joins. `count` 0: the column holds none.
struct ColumnSpan {
    int count = 0;
    double low = 0;
    double high = 0;
    double first = 0;
    double last = 0;
};

// The pixel rows a channel's line covers in one column, `top` to `bottom` inclusive, row 0 at the
// top; none when bottom < top.
struct ColumnRows {
    int top = 0;
    int bottom = -1;
};

// The rows of a line drawn through column envelopes on a plot `height` rows high showing values
// `bottom` to `top`: in each column its lowest to highest value, and the part of the straight
// line from the last value of the column before that has samples to its first value that falls
// within this column (pixel columns centred on their middles). Rows beyond the plot are left out.
std::vector<ColumnRows> column_rows(const std::vector<ColumnSpan>& spans, double bottom, double top,
                                    int height);

// The samples of one channel in the order they came, the oldest dropped in blocks once more than
// `kept` are held. Blocks of samples, groups of blocks and chunks of groups carry their lowest and
// highest value, so the envelope of a pixel column is found from a few summaries instead of every
// sample in it: reading the summaries of every block would cost more than drawing.
class SampleChannel {
public:
    static constexpr int kBlock = 16;
    static constexpr int kGroup = 16 * kBlock;
    static constexpr int kChunk = 4096;  // samples of a chunk, the unit that is dropped

    SampleChannel(QString name, qsizetype kept);

    const QString& name() const { return m_name; }
    void append(const Sample& sample);
    // Samples held now, and dropped since the first.
    qsizetype size() const { return m_size; }
    qint64 dropped() const { return m_dropped; }
    const Sample& at(qsizetype position) const {
        return m_chunks[position / kChunk]->samples[position % kChunk];
    }

    // The first position whose x is at least `x` (size() when none is): x only grows.
    qsizetype lower_bound(PlotAxis axis, double x) const;
    // The envelope of `columns` equal columns from `left` to `right` on the axis.
    std::vector<ColumnSpan> columns(PlotAxis axis, double left, double right, int columns) const;

private:
    struct Range {
        double low;
        double high;
        void take(double value) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
        void take(const Range& other) {
            low = std::min(low, other.low);
            high = std::max(high, other.high);
        }
    };
    struct Chunk {
        std::vector<Sample> samples;
        std::array<Range, kChunk / kBlock> blocks;
        std::array<Range, kChunk / kGroup> groups;
        Range whole;
    };
    // lower_bound for an x above that of every position before `from`, searched first near
    // `guess`: in a steady signal each column holds about as many samples as the last.
    qsizetype lower_bound_near(PlotAxis axis, double x, qsizetype from, qsizetype guess) const;
    // The lowest and highest value of positions [from, to), which is not empty.
    Range range(qsizetype from, qsizetype to) const;
    // The same for offsets [begin, end) of one chunk, from its groups and blocks where they lie
    // whole inside.
    static Range chunk_range(const Chunk& chunk, int begin, int end);

    QString m_name;
    qsizetype m_kept;
    std::deque<std::unique_ptr<Chunk>> m_chunks;
    qsizetype m_size = 0;
    qint64 m_dropped = 0;
};
