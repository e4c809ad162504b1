#include "receive_log.h"

#include "hex_text.h"

#include <algorithm>

namespace {

// Reads this small, close together, share one chunk, so a slow line does not keep a chunk for
// every byte or two.
constexpr qsizetype kSmallChunk = 64;

QString two_digits(int value, int width = 2) {
    return QString::number(value).rightJustified(width, u'0');
}

}  // namespace

const char* decoder_name(const QString& encoding) {
    // GB18030 reads every GBK text the same and is the name Qt always knows.
    return encoding == QStringLiteral("UTF-8") ? "UTF-8" : "GB18030";
}

void ReceiveLog::set_options(const ReceiveOptions& options) {
    if (options == m_options) {
        return;
    }
    m_options = options;
    restart_lines();
    build_held();
}

void ReceiveLog::restart_lines() {
    m_lines.clear();
    m_built = kept_from();
    m_shown_from = std::min(m_shown_from, m_built);
    m_line_open = false;
    m_after_cr = false;
    m_decoder.reset();
}

void ReceiveLog::append(const QByteArray& bytes, QTime arrival) {
    if (bytes.isEmpty()) {
        return;
    }
    const int ms = arrival.msecsSinceStartOfDay();
    if (!m_chunks.empty()) {
        Chunk& last = m_chunks.back();
        if (last.bytes.size() < kSmallChunk && ms >= last.ms && ms - last.ms < kPauseMs) {
            last.bytes += bytes;
            m_end += bytes.size();
            build_held();
            trim();
            return;
        }
    }
    m_chunks.push_back({m_end, bytes, ms});
    m_end += bytes.size();
    build_held();
    trim();
}

void ReceiveLog::set_paused(bool paused) {
    m_paused = paused;
    build_held();
}

void ReceiveLog::build_held() {
    if (m_paused || m_built == m_end) {
        return;
    }
    // The first chunk not wholly built: chunks are in order of their starts.
    auto chunk = std::upper_bound(m_chunks.begin(), m_chunks.end(), m_built,
                                  [](qint64 at, const Chunk& c) { return at < c.start; });
    if (chunk != m_chunks.begin()) {
        --chunk;
    }
    for (; chunk != m_chunks.end(); ++chunk) {
        const qsizetype from = static_cast<qsizetype>(std::max<qint64>(m_built - chunk->start, 0));
        if (from < chunk->bytes.size()) {
            build(*chunk, from);
        }
    }
    m_built = m_end;
}

void ReceiveLog::build(const Chunk& chunk, qsizetype from) {
    if (m_options.hex) {
        build_hex(chunk, from);
    } else {
        build_text(chunk, from);
    }
    m_last_ms = chunk.ms;
}

void ReceiveLog::start_line(qint64 start, int ms) {
    m_lines.push_back({start, ms, {}});
    m_line_open = true;
    m_line_bytes = 0;
}

void ReceiveLog::build_hex(const Chunk& chunk, qsizetype from) {
    // Bytes after a pause begin a line of their own; so does a new day.
    if (m_line_open && from == 0 && (chunk.ms < m_last_ms || chunk.ms - m_last_ms >= kPauseMs)) {
        m_line_open = false;
    }
    qsizetype at = from;
    while (at < chunk.bytes.size()) {
        if (!m_line_open || m_line_bytes == kHexLineBytes) {
            start_line(chunk.start + at, chunk.ms);
        }
        const qsizetype count =
            std::min<qsizetype>(kHexLineBytes - m_line_bytes, chunk.bytes.size() - at);
        m_line_bytes += static_cast<int>(count);
        at += count;
    }
}

void ReceiveLog::build_text(const Chunk& chunk, qsizetype from) {
    if (!m_decoder) {
        m_decoder.emplace(decoder_name(m_options.encoding));
    }
    // A character split between two reads waits in the decoder for its last bytes.
    const QString text = (*m_decoder)(QByteArrayView(chunk.bytes).sliced(from));
    const qint64 start = chunk.start + from;
    qsizetype run = 0;  // where the characters not yet in a line begin
    auto flush = [&](qsizetype to) {
        if (to > run) {
            m_lines.back().text += QStringView(text).sliced(run, to - run);
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\n' && m_after_cr) {
            m_after_cr = false;
            run = i + 1;
            continue;
        }
        m_after_cr = c == u'\r';
        if (c == u'\r' || c == u'\n') {
            if (m_line_open) {
                flush(i);
            } else {
                start_line(start, chunk.ms);  // an empty line
            }
            m_line_open = false;
            run = i + 1;
            continue;
        }
        const bool full = m_line_open && m_lines.back().text.size() + (i - run) >= kTextLineChars &&
                          !c.isLowSurrogate();
        if (full) {
            flush(i);
            m_line_open = false;
        }
        if (!m_line_open) {
            start_line(start, chunk.ms);
            run = i;
        }
    }
    if (m_line_open) {
        flush(text.size());
    }
}

void ReceiveLog::trim() {
    if (m_chunks.empty() || m_end - m_chunks.front().start <= m_kept) {
        return;
    }
    while (!m_chunks.empty() && m_end - m_chunks.front().start > m_kept) {
        m_chunks.pop_front();
    }
    const qint64 from = kept_from();
    while (!m_lines.empty() && m_lines.front().start < from) {
        m_lines.pop_front();
    }
    // A hex line that began in a dropped chunk goes whole; a text line's start is where its
    // read began.
    m_shown_from = m_options.hex && !m_lines.empty() ? m_lines.front().start : from;
    if (m_lines.empty()) {
        m_line_open = false;
    }
    if (m_built < from) {
        // Bytes held while paused went before they were shown.
        m_built = from;
        m_line_open = false;
        m_after_cr = false;
        m_decoder.reset();
    }
}

void ReceiveLog::clear() {
    m_chunks.clear();
    m_cleared = m_end;
    m_shown_from = m_end;
    restart_lines();
}

qint64 ReceiveLog::dropped_bytes() const {
    return m_shown_from - m_cleared;
}

qsizetype ReceiveLog::line_count() const {
    return static_cast<qsizetype>(m_lines.size()) + (dropped_bytes() > 0 ? 1 : 0);
}

QString ReceiveLog::prefix(int ms) const {
    if (!m_options.timestamps) {
        return {};
    }
    return QStringLiteral("[%1:%2:%3.%4] ")
        .arg(two_digits(ms / 3600000), two_digits(ms / 60000 % 60), two_digits(ms / 1000 % 60),
             two_digits(ms % 1000, 3));
}

QByteArray ReceiveLog::kept_bytes(qint64 from, qint64 to) const {
    QByteArray bytes;
    auto chunk = std::upper_bound(m_chunks.begin(), m_chunks.end(), from,
                                  [](qint64 at, const Chunk& c) { return at < c.start; });
    if (chunk != m_chunks.begin()) {
        --chunk;
    }
    for (; chunk != m_chunks.end() && chunk->start < to; ++chunk) {
        const qint64 first = std::max(from, chunk->start);
        const qint64 last = std::min(to, chunk->start + chunk->bytes.size());
        if (last > first) {
            bytes += QByteArrayView(chunk->bytes).sliced(first - chunk->start, last - first);
        }
    }
    return bytes;
}

QString ReceiveLog::line(qsizetype index) const {
    if (dropped_bytes() > 0) {
        if (index == 0) {
            return QStringLiteral("…… 较早的 %1 字节已不在屏幕上 ……").arg(dropped_bytes());
        }
        --index;
    }
    if (index < 0 || index >= static_cast<qsizetype>(m_lines.size())) {
        return {};
    }
    const Line& line = m_lines[static_cast<std::size_t>(index)];
    if (!m_options.hex) {
        return prefix(line.ms) + line.text;
    }
    const qint64 end = index + 1 < static_cast<qsizetype>(m_lines.size())
                           ? m_lines[static_cast<std::size_t>(index) + 1].start
                           : m_built;
    const QByteArray bytes = kept_bytes(line.start, end);
    return prefix(line.ms) + to_hex(bytes.constData(), bytes.size());
}

QString ReceiveLog::text() const {
    QStringList lines;
    for (qsizetype i = 0; i < line_count(); ++i) {
        lines.append(line(i));
    }
    return lines.join(u'\n');
}
