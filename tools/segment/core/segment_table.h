#pragma once

#include "base/table_dialect.h"
#include "segment_model.h"

#include <QString>

#include <vector>

// The seven-segment tool's constant tables: its dialect pieces, the block that the output box
// shows, and the single-step walk through the 25 entries.

// "PIC", "A51", "数组" and "EMC" with the segment tool's pieces.
const std::vector<Dialect>& segment_dialects();

// Lines for entries 0 to `last` of `codes`, each labelled with its character, then the line of
// fourteen dashes; every line ends in CR LF.
QString code_block(const DialectPieces& pieces, const Codes& codes, int last);

class SegmentTableWriter {
public:
    // The block for entries 0 to `last` in the dialect named `dialect_name`.
    QString table_text(int last, const Codes& codes, const QString& dialect_name);

    // The last entry of the next single step; the steps after it show one more entry each,
    // and after all 25 start again with one.
    int take_single_step();
    void reset_single_step() { m_single_step = 0; }

private:
    DialectChoice m_dialects{segment_dialects()};
    int m_single_step = 0;
};
