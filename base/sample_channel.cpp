#include "sample_channel.h"

#include <algorithm>
#include <cmath>
#include <limits>

SampleChannel::SampleChannel(QString name, qsizetype kept)
    : m_name(std::move(name)), m_kept(kept) {}

void SampleChannel::append(const Sample& sample) {
    if (m_chunks.empty() || m_chunks.back()->samples.size() == kChunk) {
        // The oldest chunk goes only when what is left still holds `kept` samples.
        if (!m_chunks.empty() && m_size - kChunk >= m_kept) {
            m_chunks.pop_front();
            m_size -= kChunk;
            m_dropped += kChunk;
        }
        auto chunk = std::make_unique<Chunk>();
        chunk->samples.reserve(kChunk);
        m_chunks.push_back(std::move(chunk));
    }
    Chunk& chunk = *m_chunks.back();
    const auto offset = static_cast<int>(chunk.samples.size());
    const Range alone{sample.value, sample.value};
    if (offset % kBlock == 0) {
        chunk.blocks[offset / kBlock] = alone;
    } else {
        chunk.blocks[offset / kBlock].take(alone);
    }
    if (offset == 0) {
        chunk.whole = alone;
    } else {
        chunk.whole.take(alone);
    }
    chunk.samples.push_back(sample);
    ++m_size;
}

qsizetype SampleChannel::lower_bound(PlotAxis axis, double x) const {
    // The first chunk whose last sample reaches x, then the sample inside it.
    const auto chunk = std::partition_point(
        m_chunks.begin(), m_chunks.end(),
        [&](const std::unique_ptr<Chunk>& c) { return c->samples.back().x(axis) < x; });
    if (chunk == m_chunks.end()) {
        return m_size;
    }
    const std::vector<Sample>& samples = (*chunk)->samples;
    const auto inside = std::partition_point(samples.begin(), samples.end(),
                                             [&](const Sample& s) { return s.x(axis) < x; });
    return (chunk - m_chunks.begin()) * qsizetype(kChunk) + (inside - samples.begin());
}

qsizetype SampleChannel::lower_bound_from(PlotAxis axis, double x, qsizetype from) const {
    // Strides that double from `from` bracket the answer, then halving finds it: a column of few
    // samples costs a few steps, not a search of the whole channel.
    qsizetype low = from;  // every position before low is below x
    qsizetype stride = 1;
    while (low < m_size && at(low).x(axis) < x) {
        const qsizetype next = std::min(m_size, low + stride);
        if (next == m_size || at(next).x(axis) >= x) {
            qsizetype high = next;  // at(high) reaches x, or high is the end
            ++low;
            while (low < high) {
                const qsizetype middle = low + (high - low) / 2;
                if (at(middle).x(axis) < x) {
                    low = middle + 1;
                } else {
                    high = middle;
                }
            }
            return low;
        }
        low = next;
        stride *= 2;
    }
    return low;
}

SampleChannel::Range SampleChannel::range(qsizetype from, qsizetype to) const {
    Range result{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    while (from < to) {
        const Chunk& chunk = *m_chunks[from / kChunk];
        const qsizetype offset = from % kChunk;
        if (offset == 0 && to - from >= kChunk) {
            result.take(chunk.whole);
            from += kChunk;
        } else if (offset % kBlock == 0 && to - from >= kBlock) {
            result.take(chunk.blocks[offset / kBlock]);
            from += kBlock;
        } else {
            result.take(chunk.samples[offset].value);
            ++from;
        }
    }
    return result;
}

std::vector<ColumnSpan> SampleChannel::columns(PlotAxis axis, double left, double right,
                                               int columns) const {
    std::vector<ColumnSpan> spans(std::max(columns, 0));
    if (columns <= 0 || !(right > left)) {
        return spans;
    }
    const double width = (right - left) / columns;
    qsizetype from = lower_bound(axis, left);
    for (int c = 0; c < columns && from < m_size; ++c) {
        // The last column takes its right edge too.
        const double edge =
            c + 1 == columns ? std::nextafter(right, HUGE_VAL) : left + (c + 1) * width;
        const qsizetype to = lower_bound_from(axis, edge, from);
        if (to > from) {
            const Range r = range(from, to);
            spans[c] = {int(std::min<qsizetype>(to - from, std::numeric_limits<int>::max())), r.low,
                        r.high, at(from).value, at(to - 1).value};
        }
        from = to;
    }
    return spans;
}
