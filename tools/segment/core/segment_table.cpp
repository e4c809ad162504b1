#include "segment_table.h"

const std::vector<Dialect>& segment_dialects() {
    static const std::vector<Dialect> dialects = [] {
        const QStringList names = dialect_names();
        return std::vector<Dialect>{
            {names[0], {"retlw", "0x", "0x0", "", ";", ""}},
            {names[1], {"DB", "0", "00", "H", ";", ""}},
            {names[2], {"  ", "0x", "0x0", "", ",/*", "*/"}},
            {names[3], {"retl", "0x", "0x0", "", ";", ""}},
        };
    }();
    return dialects;
}

QString code_block(const DialectPieces& pieces, const Codes& codes, int last) {
    QString block;
    for (int i = 0; i <= last; ++i) {
        block += table_line(pieces, u"  ", codes[i], character_label(i));
    }
    return block + QStringLiteral("--------------\r\n");
}

QString SegmentTableWriter::table_text(int last, const Codes& codes, const QString& dialect_name) {
    return code_block(m_dialects.choose(dialect_name), codes, last);
}

int SegmentTableWriter::take_single_step() {
    const int last = m_single_step;
    m_single_step = (m_single_step + 1) % kCharacterCount;
    return last;
}
