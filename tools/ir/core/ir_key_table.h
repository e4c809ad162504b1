#pragma once

#include "ir_frame.h"

#include <QString>

#include <vector>

// One key press in the frame table: its first frame, how many frames it sent (a held key
// repeats), and the name the user gave it.
struct IrKeyRow {
    IrFrame frame;
    int count = 1;
    QString key_name;
};

// The frame table's rows. A frame that repeats the last row's key while it is held (the same
// code and toggle, or a NEC repeat frame after a NEC key) adds to that row's count instead of
// starting a row of its own.
class IrKeyTable {
public:
    // Frames this close after the last one are still the same press.
    static constexpr qint64 kHeldGapUs = 200000;

    // Adds a frame; true when it folded into the last row.
    bool add(const IrFrame& frame);
    const std::vector<IrKeyRow>& rows() const { return m_rows; }
    void set_key_name(std::size_t row, const QString& name);
    void clear();
    // The next frame comes from another stream (a new recording, the receiver opened again),
    // whose clock starts afresh: it never folds into the rows before it.
    void end_stream() { m_stream_ended = true; }

private:
    bool repeats_last(const IrFrame& frame) const;

    std::vector<IrKeyRow> m_rows;
    qint64 m_last_end_us = 0;
    bool m_stream_ended = false;
};

// The 重复/翻转 column: "重复" for a repeat frame with no key before it, the toggle bit
// ("翻转 1"), and "重复 N 次" for the frames after the first.
QString repeat_text(const IrKeyRow& row);
