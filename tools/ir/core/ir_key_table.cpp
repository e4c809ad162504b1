#include "ir_key_table.h"

#include <QStringList>

namespace {

bool is_nec_family(IrProtocol protocol) {
    return protocol == IrProtocol::kNec || protocol == IrProtocol::kNecx ||
           protocol == IrProtocol::kNec32;
}

}  // namespace

bool IrKeyTable::add(const IrFrame& frame) {
    const bool folds = repeats_last(frame);
    if (folds) {
        ++m_rows.back().count;
    } else {
        m_rows.push_back({frame, 1, {}});
    }
    m_last_end_us = frame.end_us;
    m_stream_ended = false;
    return folds;
}

void IrKeyTable::set_key_name(std::size_t row, const QString& name) {
    if (row < m_rows.size()) {
        m_rows[row].key_name = name;
    }
}

void IrKeyTable::clear() {
    m_rows.clear();
    m_last_end_us = 0;
}

bool IrKeyTable::repeats_last(const IrFrame& frame) const {
    if (m_rows.empty() || m_stream_ended || frame.start_us - m_last_end_us > kHeldGapUs ||
        frame.protocol == IrProtocol::kUnknown) {
        return false;
    }
    const IrFrame& last = m_rows.back().frame;
    if (frame.repeat) {
        return is_nec_family(last.protocol);
    }
    return !last.repeat && frame.protocol == last.protocol && frame.scancode == last.scancode &&
           frame.toggle == last.toggle;
}

QString repeat_text(const IrKeyRow& row) {
    QStringList parts;
    if (row.frame.repeat) {
        parts.append(QStringLiteral("重复"));
    }
    if (row.frame.toggle >= 0) {
        parts.append(QStringLiteral("翻转 %1").arg(row.frame.toggle));
    }
    if (row.count > 1) {
        parts.append(QStringLiteral("重复 %1 次").arg(row.count - 1));
    }
    return parts.join(u'，');
}
