#pragma once

#include "named_value.h"
#include "sample_channel.h"

#include <QHash>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// The numbers a plot shows, by channel in the order the channels first came. Each record (a
// line or a frame) adds one sample to each channel it names, with the record's time and number;
// a channel that first comes later starts there. Each channel keeps at least its last `kept`
// samples: the oldest go in blocks of SampleChannel::kChunk beyond that.
class SampleStore {
public:
    static constexpr qsizetype kDefaultKept = 1 << 20;

    explicit SampleStore(qsizetype kept = kDefaultKept) : m_kept(kept) {}

    // Adds a record taken at `seconds` on any clock that runs forward; nothing for no values.
    // A name given twice in a record keeps its last value.
    void add(double seconds, const NamedValues& values);
    void clear();

    const std::vector<std::unique_ptr<SampleChannel>>& channels() const { return m_channels; }
    const SampleChannel* channel(const QString& name) const;
    qint64 record_count() const { return m_records; }
    // Grows with every change, so a view knows when to draw again.
    quint64 revision() const { return m_revision; }

private:
    qsizetype m_kept;
    std::vector<std::unique_ptr<SampleChannel>> m_channels;
    QHash<QString, int> m_by_name;
    std::optional<double> m_first_seconds;
    double m_last_seconds = 0;
    qint64 m_records = 0;
    quint64 m_revision = 0;
};

// Every kept sample as comma-separated text, one line a record: the time in seconds (or with
// `PlotAxis::kIndex` the record number) and a column per channel, empty where a channel has no
// sample. Numbers are written in their shortest exact form; lines are joined by CR LF.
QString csv_text(const SampleStore& store, PlotAxis axis = PlotAxis::kSeconds);

// The shortest text that reads back as exactly `value`.
QString exact_number(double value);
