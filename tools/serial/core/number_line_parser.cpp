#include "number_line_parser.h"

#include "base/text_file.h"

#include <cmath>
#include <cstring>

namespace {

bool is_separator(QChar c) {
    return c == u',' || c == u';' || c == u' ' || c == u'\t';
}

bool is_digit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A decimal number: sign, digits with at most one point (at least one digit), exponent.
std::optional<double> number_of(QStringView text) {
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    int digits = 0;
    while (i < text.size() && is_digit(text[i])) {
        ++i, ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && is_digit(text[i])) {
            ++i, ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            ++i;
        }
        const qsizetype exponent_start = i;
        while (i < text.size() && is_digit(text[i])) {
            ++i;
        }
        if (i == exponent_start) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = text.toString().toDouble(&ok);
    // Too large for a double is no reading.
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

NamedValues numbers_of_line(QStringView line) {
    NamedValues values;
    int bare = 0;
    qsizetype i = 0;
    const qsizetype size = line.size();
    while (i < size) {
        while (i < size && is_separator(line[i])) {
            ++i;
        }
        if (i == size) {
            break;
        }
        // A field runs to the next separator; blanks next to its = or : belong to it.
        const qsizetype start = i;
        qsizetype mark = -1;
        while (i < size) {
            if (line[i] == u'=' || line[i] == u':') {
                if (mark < 0) {
                    mark = i;
                }
                ++i;
                while (i < size && (line[i] == u' ' || line[i] == u'\t')) {
                    ++i;
                }
                continue;
            }
            if (is_separator(line[i])) {
                // Blanks before an = or : join the name to it.
                qsizetype next = i;
                while (next < size && (line[next] == u' ' || line[next] == u'\t')) {
                    ++next;
                }
                if (mark < 0 && next < size && next > i &&
                    (line[next] == u'=' || line[next] == u':')) {
                    i = next;
                    continue;
                }
                break;
            }
            ++i;
        }
        const QStringView field = line.sliced(start, i - start);
        if (mark < 0) {
            if (const auto value = number_of(field)) {
                values.push_back({QString::number(++bare), *value});
            }
            continue;
        }
        const QStringView name = line.sliced(start, mark - start).trimmed();
        const QStringView text = line.sliced(mark + 1, i - mark - 1).trimmed();
        if (!name.isEmpty()) {
            if (const auto value = number_of(text)) {
                values.push_back({name.toString(), *value});
            }
        }
    }
    return values;
}

void NumberLineParser::set_binary_frames(bool on) {
    m_binary = on;
    reset();
    m_in_step = false;
}

void NumberLineParser::reset() {
    m_pending.clear();
    m_overlong = false;
    m_frame.clear();
    m_floats = 0;
}

std::vector<NamedValues> NumberLineParser::push(QByteArrayView bytes) {
    std::vector<NamedValues> records;
    if (m_binary) {
        push_frames(bytes, records);
    } else {
        push_text(bytes, records);
    }
    return records;
}

void NumberLineParser::push_text(QByteArrayView bytes, std::vector<NamedValues>& records) {
    qsizetype from = 0;
    while (from < bytes.size()) {
        qsizetype end = from;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') {
            ++end;
        }
        if (!m_overlong) {
            m_pending.append(bytes.sliced(from, end - from));
            if (m_pending.size() > kLongestLine) {
                m_overlong = true;
                m_pending.clear();
            }
        }
        if (end == bytes.size()) {
            return;
        }
        // A line end: CR LF gives an empty line between, which carries no number.
        if (!m_overlong && !m_pending.isEmpty()) {
            NamedValues values = numbers_of_line(decode_text(m_pending));
            if (!values.empty()) {
                records.push_back(std::move(values));
            }
        }
        m_pending.clear();
        m_overlong = false;
        from = end + 1;
    }
}

void NumberLineParser::push_frames(QByteArrayView bytes, std::vector<NamedValues>& records) {
    const QByteArrayView tail(kTail, 4);
    QByteArray after_tail;  // what follows a tail found by searching, read again in step
    QByteArrayView data = bytes;
    qsizetype from = 0;
    while (from < data.size()) {
        if (!m_in_step) {
            // Looking for a tail byte by byte; three bytes are kept as a tail's possible start.
            m_pending.append(data.sliced(from));
            const qsizetype found = m_pending.indexOf(tail);
            if (found < 0) {
                m_pending.remove(0, std::max<qsizetype>(0, m_pending.size() - 3));
                return;
            }
            after_tail = m_pending.sliced(found + 4);
            m_pending.clear();
            data = after_tail;
            from = 0;
            m_in_step = true;
            m_frame.clear();
            m_floats = 0;
            continue;
        }
        const qsizetype take = std::min<qsizetype>(4 - m_pending.size(), data.size() - from);
        m_pending.append(data.sliced(from, take));
        from += take;
        if (m_pending.size() < 4) {
            return;
        }
        const QByteArray word = std::exchange(m_pending, {});
        if (QByteArrayView(word) == tail) {
            if (!m_frame.empty()) {
                records.push_back(std::move(m_frame));
            }
            m_frame.clear();
            m_floats = 0;
            continue;
        }
        if (++m_floats > kMostFloats) {
            // Out of step: the search starts again with this word's last bytes.
            m_in_step = false;
            m_frame.clear();
            m_floats = 0;
            m_pending = word.sliced(1);
            continue;
        }
        const quint32 bits = quint32(quint8(word[0])) | quint32(quint8(word[1])) << 8 |
                             quint32(quint8(word[2])) << 16 | quint32(quint8(word[3])) << 24;
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) {
            m_frame.push_back({QString::number(m_floats), double(value)});
        }
    }
}
