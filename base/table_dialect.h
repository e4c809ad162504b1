#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

// The source-code dialects in which the table tools hand out a table of numbers, one text line
// per entry. Every tool offers the same dialect names but sets its own pieces, its own
// separator and its own comment text.

struct DialectPieces {
    QString instruction_word;  // starts the line
    QString number_prefix;     // before the hexadecimal digits of a value of 16 or more
    QString short_prefix;      // before those of a smaller value; same as number_prefix if unused
    QString number_suffix;     // after the digits
    QString comment_opener;    // between the number and the comment
    QString comment_closer;    // after the comment
};

struct Dialect {
    QString name;
    DialectPieces pieces;
};

// The names as the output-mode lists show them, in order: "PIC", "A51", "数组", "EMC".
QStringList dialect_names();

// Picks the pieces of one generation by the exact text of a tool's dialect list. The instruction
// word outlives a generation: a text that names no dialect leaves the other pieces empty and
// keeps the word of the last generation that named one (empty before the first).
class DialectChoice {
public:
    explicit DialectChoice(std::vector<Dialect> dialects);

    DialectPieces choose(const QString& name);

private:
    std::vector<Dialect> m_dialects;
    QString m_instruction_word;
};

// One entry: instruction word, separator, prefix, `value` in capital hexadecimal without leading
// zeros, suffix, comment opener, `comment`, comment closer and CR LF.
QString table_line(const DialectPieces& pieces, QStringView separator, std::int32_t value,
                   QStringView comment);
