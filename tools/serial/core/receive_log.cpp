#include "receive_log.h"

#include "hex_text.h"

#include <algorithm>

namespace {

// The bytes are kept in blocks of this size, reserved whole, so a read costs its bytes and no
// more, however small it is.
constexpr qsizetype kBlock = 64 * 1024;

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
    // The lines on screen are made again in the new form; held bytes stay held.
    const qint64 shown = m_built;
    m_options = options;
    restart_lines();
    build_to(shown);
    if (!m_paused) {
        build_to(m_end);
    }
}

void ReceiveLog::restart_lines() {
    m_lines.clear();
    m_built = m_kept_from;
    m_shown_from = m_kept_from;
    m_text_chars = 0;
    m_line_start = m_kept_from;
    m_line_open = false;
    m_after_cr = false;
    m_decoder.reset();
    ++m_generation;
    m_popped = 0;
    m_marked_at_rebuild = dropped_bytes() > 0;
}

void ReceiveLog::store(const QByteArray& bytes) {
    qsizetype at = 0;
    while (at < bytes.size()) {
        if (m_blocks.empty() || m_blocks.back().size() == kBlock) {
            m_blocks.emplace_back();
            m_blocks.back().reserve(kBlock);
        }
        QByteArray& block = m_blocks.back();
        const qsizetype count = std::min(kBlock - block.size(), bytes.size() - at);
        block.append(bytes.constData() + at, count);
        at += count;
    }
}

QByteArray ReceiveLog::bytes(qint64 from, qint64 to) const {
    QByteArray out;
    from = std::max(from, m_blocks_from);
    if (to <= from) {
        return out;
    }
    out.reserve(to - from);
    while (from < to) {
        const auto index = static_cast<std::size_t>((from - m_blocks_from) / kBlock);
        if (index >= m_blocks.size()) {
            break;
        }
        const QByteArray& block = m_blocks[index];
        const qint64 offset = (from - m_blocks_from) % kBlock;
        const qint64 count = std::min<qint64>(to - from, block.size() - offset);
        if (count <= 0) {
            break;
        }
        out.append(block.constData() + offset, count);
        from += count;
    }
    return out;
}

void ReceiveLog::append(const QByteArray& bytes, QTime arrival) {
    if (bytes.isEmpty()) {
        return;
    }
    const int ms = arrival.msecsSinceStartOfDay();
    // Reads within one millisecond share an arrival: the time says no more about them.
    if (m_arrivals.empty() || m_arrivals.back().ms != ms) {
        m_arrivals.push_back({m_end, ms});
    }
    store(bytes);
    m_end += bytes.size();
    if (!m_paused) {
        build_to(m_end);
    }
    trim();
}

void ReceiveLog::set_paused(bool paused) {
    m_paused = paused;
    if (!paused) {
        build_to(m_end);
        trim();
    }
}

void ReceiveLog::build_to(qint64 to) {
    if (m_built >= to) {
        return;
    }
    // The arrival holding the first byte not yet in a line: arrivals are in order of starts.
    auto arrival = std::upper_bound(m_arrivals.begin(), m_arrivals.end(), m_built,
                                    [](qint64 at, const Arrival& a) { return at < a.start; });
    if (arrival != m_arrivals.begin()) {
        --arrival;
    }
    for (; arrival != m_arrivals.end() && m_built < to; ++arrival) {
        const auto next = std::next(arrival);
        const qint64 end = std::min(to, next == m_arrivals.end() ? m_end : next->start);
        const qint64 from = std::max(m_built, arrival->start);
        if (from >= end) {
            continue;
        }
        if (m_options.hex) {
            build_hex(from, end, arrival->ms, from == arrival->start);
        } else {
            build_text(from, end, arrival->ms);
        }
        m_last_ms = arrival->ms;
        m_built = end;
    }
}

void ReceiveLog::start_line(qint64 start, int ms) {
    close_line();
    m_lines.push_back({start, m_text_chars, ms, {}});
    m_line_open = true;
    m_line_bytes = 0;
}

void ReceiveLog::close_line() {
    if (m_line_open && !m_lines.empty()) {
        m_lines.back().text.squeeze();  // a line grown read by read keeps only its characters
    }
    m_line_open = false;
}

void ReceiveLog::build_hex(qint64 from, qint64 to, int ms, bool after_gap) {
    // A byte that comes a pause after the one before begins a line of its own; so does a new
    // day.
    if (m_line_open && after_gap && (ms < m_last_ms || ms - m_last_ms >= kPauseMs)) {
        close_line();
    }
    for (qint64 at = from; at < to;) {
        if (!m_line_open || m_line_bytes == kHexLineBytes) {
            start_line(at, ms);
        }
        const qint64 count = std::min<qint64>(kHexLineBytes - m_line_bytes, to - at);
        m_line_bytes += static_cast<int>(count);
        at += count;
    }
}

void ReceiveLog::build_text(qint64 from, qint64 to, int ms) {
    if (!m_decoder) {
        m_decoder.emplace(decoder_name(m_options.encoding));
    }
    // A character split between two reads waits in the decoder for its last bytes. Lines end at
    // the bytes CR and LF, which no GBK or UTF-8 character holds and which decode to CR and LF:
    // the n-th line end of the text is the n-th of the bytes, so each line knows its first byte.
    const QByteArray raw = bytes(from, to);
    const QString text = (*m_decoder)(raw);
    qsizetype byte = 0;  // the next line end among the bytes
    auto next_end = [&] {
        while (byte < raw.size() && raw[byte] != '\n' && raw[byte] != '\r') {
            ++byte;
        }
        return from + std::min(byte++, raw.size() - 1);
    };
    qsizetype run = 0;  // where the characters not yet in a line begin
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r') {
            continue;
        }
        const qint64 at = next_end();
        if (i > run) {
            m_after_cr = false;
            add_text(QStringView(text).sliced(run, i - run), from, ms);
        }
        run = i + 1;
        if (c == u'\n' && m_after_cr) {
            m_after_cr = false;  // the LF of a CR LF
            continue;
        }
        if (!m_line_open) {
            start_line(at, ms);  // an empty line
        }
        close_line();
        m_after_cr = c == u'\r';
        m_line_start = at + 1;
    }
    if (text.size() > run) {
        m_after_cr = false;
        add_text(QStringView(text).sliced(run), from, ms);
    }
}

void ReceiveLog::add_text(QStringView text, qint64 start, int ms) {
    qsizetype run = 0;  // where the characters not yet in a line begin
    auto flush = [&](qsizetype end) {
        if (end > run) {
            m_lines.back().text += text.sliced(run, end - run);
            m_text_chars += end - run;
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool full = m_line_open && m_lines.back().text.size() + (i - run) >= kTextLineChars &&
                          !text[i].isLowSurrogate();
        if (full) {
            flush(i);
            close_line();
        }
        if (!m_line_open) {
            // After a line end, the byte after it; a wrapped line, where its read began.
            start_line(std::max(start, m_line_start), ms);
            run = i;
        }
    }
    if (m_line_open) {
        flush(text.size());
    }
}

void ReceiveLog::trim() {
    const bool over = (!m_arrivals.empty() && m_end - m_arrivals.front().start > m_kept) ||
                      static_cast<qsizetype>(m_arrivals.size()) > m_kept_lines ||
                      static_cast<qsizetype>(m_lines.size()) > m_kept_lines;
    if (!over) {
        return;
    }
    while (!m_arrivals.empty() && (m_end - m_arrivals.front().start > m_kept ||
                                   static_cast<qsizetype>(m_arrivals.size()) > m_kept_lines)) {
        m_arrivals.pop_front();
    }
    qint64 from = m_arrivals.empty() ? m_end : m_arrivals.front().start;
    if (static_cast<qsizetype>(m_lines.size()) > m_kept_lines) {
        from =
            std::max(from, m_lines[m_lines.size() - static_cast<std::size_t>(m_kept_lines)].start);
    }
    while (m_arrivals.size() > 1 && m_arrivals[1].start <= from) {
        m_arrivals.pop_front();
    }
    if (!m_arrivals.empty() && m_arrivals.front().start < from) {
        m_arrivals.front().start = from;
    }
    m_kept_from = std::max(m_kept_from, from);
    while (m_blocks.size() > 1 && m_blocks_from + m_blocks.front().size() <= m_kept_from) {
        m_blocks_from += m_blocks.front().size();
        m_blocks.pop_front();
    }
    while (!m_lines.empty() && m_lines.front().start < m_kept_from) {
        m_lines.pop_front();
        ++m_popped;
    }
    m_shown_from = m_lines.empty() ? std::max(m_kept_from, m_built) : m_lines.front().start;
    if (m_lines.empty()) {
        m_line_open = false;
    }
    if (m_built < m_kept_from) {
        // Bytes held while paused went before they were shown.
        m_built = m_kept_from;
        m_shown_from = m_kept_from;
        m_line_open = false;
        m_after_cr = false;
        m_decoder.reset();
    }
}

void ReceiveLog::clear() {
    m_arrivals.clear();
    m_blocks.clear();
    m_blocks_from = m_end;
    m_cleared = m_end;
    m_kept_from = m_end;
    restart_lines();
}

qint64 ReceiveLog::dropped_lines() const {
    // The mark of dropped bytes takes the first line when it comes.
    return m_popped + (m_marked_at_rebuild ? 1 : 0) - (dropped_bytes() > 0 ? 1 : 0);
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

QString ReceiveLog::mark() const {
    return dropped_bytes() > 0
               ? QStringLiteral("…… 较早的 %1 字节已不在屏幕上 ……").arg(dropped_bytes())
               : QString();
}

QString ReceiveLog::line(qsizetype index) const {
    if (dropped_bytes() > 0) {
        if (index == 0) {
            return mark();
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
    const QByteArray shown = bytes(line.start, end);
    return prefix(line.ms) + to_hex(shown.constData(), shown.size()) + verdict(shown);
}

QString ReceiveLog::verdict(const QByteArray& shown) const {
    return verdict_size() > 0 ? QStringLiteral("  ") + checksum_verdict(m_options.check, shown)
                              : QString();
}

qint64 ReceiveLog::line_offset(qsizetype index) const {
    if (m_lines.empty()) {
        return 0;
    }
    const Line& first = m_lines.front();
    if (m_options.hex) {
        // "55 AA" and its line feed: three characters a byte, and the prefix.
        const qint64 start = index < static_cast<qsizetype>(m_lines.size())
                                 ? m_lines[static_cast<std::size_t>(index)].start
                                 : m_built;
        return index * (prefix_size() + verdict_size()) + 3 * (start - first.start);
    }
    const qint64 before = index < static_cast<qsizetype>(m_lines.size())
                              ? m_lines[static_cast<std::size_t>(index)].chars_before
                              : m_text_chars;
    return index * (prefix_size() + 1) + before - first.chars_before;
}

qint64 ReceiveLog::text_size() const {
    const QString head = mark();
    const qint64 lines = m_lines.empty() ? 0 : line_offset(m_lines.size()) - 1;
    if (head.isEmpty()) {
        return lines;
    }
    return m_lines.empty() ? head.size() : head.size() + 1 + lines;
}

QString ReceiveLog::text(qint64 from, qint64 to) const {
    QString out;
    to = std::min(to, text_size());
    if (from >= to) {
        return out;
    }
    auto take = [&](const QString& piece, qint64 at) {
        const qint64 first = std::max(from, at);
        const qint64 last = std::min(to, at + piece.size());
        if (last > first) {
            out += QStringView(piece).sliced(first - at, last - first);
        }
    };
    qint64 base = 0;
    const QString head = mark();
    if (!head.isEmpty()) {
        take(head + u'\n', 0);
        base = head.size() + 1;
    }
    const auto count = static_cast<qsizetype>(m_lines.size());
    // The last line that begins at or before `from`.
    qsizetype lo = 0;
    qsizetype hi = count;
    while (hi - lo > 1) {
        const qsizetype mid = (lo + hi) / 2;
        (base + line_offset(mid) <= from ? lo : hi) = mid;
    }
    const qsizetype skip = dropped_bytes() > 0 ? 1 : 0;
    for (qsizetype i = lo; i < count && base + line_offset(i) < to; ++i) {
        QString piece = line(i + skip);
        if (i + 1 < count) {
            piece += u'\n';
        }
        take(piece, base + line_offset(i));
    }
    return out;
}

qint64 ReceiveLog::text_offset(qsizetype index) const {
    index = std::clamp<qsizetype>(index, 0, line_count());
    if (index == line_count()) {
        return text_size();
    }
    const QString head = mark();
    if (head.isEmpty()) {
        return line_offset(index);
    }
    return index == 0 ? 0 : head.size() + 1 + line_offset(index - 1);
}

qsizetype ReceiveLog::line_at(qint64 offset) const {
    // The last line that begins at or before `offset`.
    qsizetype lo = 0;
    qsizetype hi = std::max<qsizetype>(line_count(), 1);
    while (hi - lo > 1) {
        const qsizetype mid = (lo + hi) / 2;
        (text_offset(mid) <= offset ? lo : hi) = mid;
    }
    return lo;
}

QString ReceiveLog::text() const {
    return text(0, text_size());
}
