#pragma once

#include <QString>
#include <QStringView>

// Turning a compiler listing into assembler source: every line loses its first 14 columns,
// which hold addresses and opcodes, and a directive naming the chip goes on top.

// One line after the cut: the first 14 characters dropped, then the spaces that follow (tabs
// stay). A line of 14 characters or fewer gives an empty text. A character outside the basic
// plane counts as one and is never split.
QString cut_columns(QStringView line);

// Twenty spaces, "List p =", the chip exactly as given, CR LF.
QString directive_line(QStringView chip);

// The directive line, then every line of the listing cut and ended with CR LF: a listing of n
// lines (see listing_lines) gives n + 1 lines. Any text is accepted.
QString convert_listing(QStringView listing, QStringView chip);
