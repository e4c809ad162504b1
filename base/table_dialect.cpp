#include "table_dialect.h"

#include "base/number_text.h"

#include <algorithm>
#include <utility>

QStringList dialect_names() {
    return {QStringLiteral("PIC"), QStringLiteral("A51"), QStringLiteral("数组"),
            QStringLiteral("EMC")};
}

DialectChoice::DialectChoice(std::vector<Dialect> dialects) : m_dialects(std::move(dialects)) {}

DialectPieces DialectChoice::choose(const QString& name) {
    const auto found =
        std::find_if(m_dialects.begin(), m_dialects.end(),
                     [&name](const Dialect& dialect) { return dialect.name == name; });
    if (found == m_dialects.end()) {
        DialectPieces none;
        none.instruction_word = m_instruction_word;
        return none;
    }
    m_instruction_word = found->pieces.instruction_word;
    return found->pieces;
}

QString table_line(const DialectPieces& pieces, QStringView separator, std::int32_t value,
                   QStringView comment) {
    const QString& prefix = value < 16 ? pieces.short_prefix : pieces.number_prefix;
    QString line = pieces.instruction_word;
    line.append(separator).append(prefix).append(hex_text(value)).append(pieces.number_suffix);
    line.append(pieces.comment_opener).append(comment).append(pieces.comment_closer);
    return line.append(u"\r\n");
}
