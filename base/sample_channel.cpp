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
    if (offset % kGroup == 0) {
        chunk.groups[offset / kGroup] = alone;
    } else {
        chunk.groups[offset / kGroup].take(alone);
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

qsizetype SampleChannel::lower_bound_near(PlotAxis axis, double x, qsizetype from,
                                          qsizetype guess) const {
    // Strides that double from the guess bracket the answer, then halving finds it: a good guess
    // costs two or three reads, a bad one a few more, never a search of the whole channel.
    const auto below = [&](qsizetype position) { return at(position).x(axis) < x; };
    qsizetype low = from;     // every position before low is below x
    qsizetype high = m_size;  // every position from high on reaches x
    qsizetype probe = std::clamp(guess, from, m_size);
    if (probe < m_size && !below(probe)) {
        high = probe;
        for (qsizetype stride = 1; high > low; stride *= 2) {
            const qsizetype next = high - stride;
            if (next < low) {
                break;
            }
            if (below(next)) {
                low = next + 1;
                break;
            }
            high = next;
        }
    } else if (probe < m_size) {
        low = probe + 1;
        for (qsizetype stride = 1; low < high; stride *= 2) {
            const qsizetype next = low - 1 + stride;
            if (next >= high) {
                break;
            }
            if (!below(next)) {
                high = next;
                break;
            }
            low = next + 1;
        }
    }
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (below(middle)) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

SampleChannel::Range SampleChannel::chunk_range(const Chunk& chunk, int begin, int end) {
    Range result{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    const auto take_samples = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            result.take(chunk.samples[i].value);
        }
    };
    const auto take_blocks = [&](int from, int to) {
        for (int b = from; b < to; ++b) {
            result.take(chunk.blocks[b]);
        }
    };
    // Single samples up to the first block edge and after the last; between them whole blocks up
    // to the first group edge and after the last, and whole groups between those.
    const int first_block = (begin + kBlock - 1) / kBlock;
    const int last_block = end / kBlock;
    if (first_block >= last_block) {
        take_samples(begin, end);
        return result;
    }
    take_samples(begin, first_block * kBlock);
    take_samples(last_block * kBlock, end);
    constexpr int kBlocksPerGroup = kGroup / kBlock;
    const int first_group = (first_block + kBlocksPerGroup - 1) / kBlocksPerGroup;
    const int last_group = last_block / kBlocksPerGroup;
    if (first_group >= last_group) {
        take_blocks(first_block, last_block);
        return result;
    }
    take_blocks(first_block, first_group * kBlocksPerGroup);
    take_blocks(last_group * kBlocksPerGroup, last_block);
    for (int g = first_group; g < last_group; ++g) {
        result.take(chunk.groups[g]);
    }
    return result;
}

SampleChannel::Range SampleChannel::range(qsizetype from, qsizetype to) const {
    Range result{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    while (from < to) {
        const qsizetype start = from / kChunk * kChunk;
        const Chunk& chunk = *m_chunks[from / kChunk];
        const auto begin = int(from - start);
        const auto end = int(std::min<qsizetype>(to - start, kChunk));
        result.take(begin == 0 && end == kChunk ? chunk.whole : chunk_range(chunk, begin, end));
        from = start + end;
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
    qsizetype last_count = 0;  // samples of the last column that held any
    for (int c = 0; c < columns && from < m_size; ++c) {
        // The last column takes its right edge too.
        const double edge =
            c + 1 == columns ? std::nextafter(right, HUGE_VAL) : left + (c + 1) * width;
        const qsizetype to = lower_bound_near(axis, edge, from, from + last_count);
        if (to > from) {
            last_count = to - from;
            // The samples are far larger than the caches: the next columns' edges are fetched
            // while this one is summed.
            for (int ahead = 1; ahead <= 3; ++ahead) {
                if (to + ahead * last_count < m_size) {
                    __builtin_prefetch(&at(to + ahead * last_count));
                }
            }
            const Range r = range(from, to);
            spans[c] = {int(std::min<qsizetype>(to - from, std::numeric_limits<int>::max())), r.low,
                        r.high, at(from).value, at(to - 1).value};
        }
        from = to;
    }
    return spans;
}

std::vector<ColumnRows> column_rows(const std::vector<ColumnSpan>& spans, double bottom, double top,
                                    int height) {
    std::vector<ColumnRows> rows(spans.size());
    // The extent in rows (fractional) of what each column covers; NaN where nothing.
    std::vector<std::pair<double, double>> extent(spans.size(), {NAN, NAN});
    const double scale = height / (top - bottom);
    const auto row_of = [&](double value) {
        // Far beyond the plot is as good as just beyond it, and keeps the sums finite.
        return std::clamp(height - (value - bottom) * scale, -1.0, height + 1.0);
    };
    const auto cover = [&](std::size_t column, double from, double to) {
        auto& [low, high] = extent[column];
        low = std::fmin(low, std::fmin(from, to));
        high = std::fmax(high, std::fmax(from, to));
    };
    std::size_t previous = spans.size();  // the last column with samples, none yet
    for (std::size_t c = 0; c < spans.size(); ++c) {
        const ColumnSpan& span = spans[c];
        if (span.count == 0) {
            continue;
        }
        cover(c, row_of(span.low), row_of(span.high));
        if (previous < c) {
            // The joining line, from the middle of the previous column to the middle of this.
            const double from = row_of(spans[previous].last);
            const double step = (row_of(span.first) - from) / double(c - previous);
            cover(previous, from, from + step / 2);
            for (std::size_t k = previous + 1; k < c; ++k) {
                cover(k, from + step * (double(k - previous) - 0.5),
                      from + step * (double(k - previous) + 0.5));
            }
            cover(c, from + step * (double(c - previous) - 0.5), row_of(span.first));
        }
        previous = c;
    }
    for (std::size_t c = 0; c < spans.size(); ++c) {
        const auto [low, high] = extent[c];
        if (!(low <= high)) {
            continue;  // nothing, or a range with no height
        }
        // The rows whose middles the extent holds; a shorter extent takes the row it lies in,
        // so a gentle slope is a line one pixel thick.
        int first = int(std::ceil(low - 0.5));
        int last = int(std::floor(high - 0.5));
        if (first > last) {
            first = last = int(std::floor((low + high) / 2));
        }
        if (last >= 0 && first < height) {
            rows[c] = {std::max(first, 0), std::min(last, height - 1)};
        }
    }
    return rows;
}
