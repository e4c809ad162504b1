#include "sample_store.h"

#include <QStringList>

#include <charconv>
#include <limits>

void SampleStore::add(double seconds, const NamedValues& values) {
    if (values.empty()) {
        return;
    }
    if (!m_first_seconds) {
        m_first_seconds = seconds;
    }
    // A clock that stepped back still gives a time axis that only grows.
    const double since_first = std::max(seconds - *m_first_seconds, m_last_seconds);
    m_last_seconds = since_first;
    const auto index = static_cast<double>(m_records);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const NamedValue& named = values[i];
        bool repeated = false;
        for (std::size_t j = i + 1; j < values.size() && !repeated; ++j) {
            repeated = values[j].name == named.name;
        }
        if (repeated) {
            continue;
        }
        auto found = m_by_name.constFind(named.name);
        if (found == m_by_name.constEnd()) {
            found = m_by_name.insert(named.name, int(m_channels.size()));
            m_channels.push_back(std::make_unique<SampleChannel>(named.name, m_kept));
        }
        m_channels[*found]->append({since_first, index, named.value});
    }
    ++m_records;
    ++m_revision;
}

void SampleStore::clear() {
    m_channels.clear();
    m_by_name.clear();
    m_first_seconds.reset();
    m_last_seconds = 0;
    m_records = 0;
    ++m_revision;
}

const SampleChannel* SampleStore::channel(const QString& name) const {
    const auto found = m_by_name.constFind(name);
    return found == m_by_name.constEnd() ? nullptr : m_channels[*found].get();
}

QString exact_number(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, result.ptr - text);
}

QString csv_text(const SampleStore& store, PlotAxis axis) {
    const auto& channels = store.channels();
    QStringList header{axis == PlotAxis::kSeconds ? QStringLiteral("时间(s)")
                                                  : QStringLiteral("序号")};
    for (const auto& channel : channels) {
        QString name = channel->name();
        // A name holding the separator or a quote is quoted, its quotes doubled.
        if (name.contains(u',') || name.contains(u'"')) {
            name = u'"' + name.replace(u'"', QStringLiteral("\"\"")) + u'"';
        }
        header << name;
    }
    QString text = header.join(u',');
    // The records in order: the channels are walked together, each at its next sample.
    std::vector<qsizetype> next(channels.size(), 0);
    for (;;) {
        double record = std::numeric_limits<double>::infinity();
        double seconds = 0;
        for (std::size_t c = 0; c < channels.size(); ++c) {
            if (next[c] < channels[c]->size() && channels[c]->at(next[c]).index < record) {
                record = channels[c]->at(next[c]).index;
                seconds = channels[c]->at(next[c]).seconds;
            }
        }
        if (record == std::numeric_limits<double>::infinity()) {
            break;
        }
        text += QStringLiteral("\r\n");
        text += exact_number(axis == PlotAxis::kSeconds ? seconds : record);
        for (std::size_t c = 0; c < channels.size(); ++c) {
            text += u',';
            if (next[c] < channels[c]->size() && channels[c]->at(next[c]).index == record) {
                text += exact_number(channels[c]->at(next[c]).value);
                ++next[c];
            }
        }
    }
    return text;
}
