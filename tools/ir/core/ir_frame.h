#pragma once

#include "ir_protocol.h"

#include <QtGlobal>

#include <vector>

// One frame the receiver saw: the timings between two long silences, and what they mean.
// Timings are signed microseconds: a pulse (carrier on) positive, a space negative.
struct IrFrame {
    IrProtocol protocol = IrProtocol::kUnknown;
    quint32 address = 0;
    quint32 command = 0;
    // As the Linux kernel forms it for the protocol, so a keymap written from it matches.
    quint32 scancode = 0;
    // A NEC repeat frame: the key sent last is still held; it carries no code of its own.
    bool repeat = false;
    // The RC5 or RC6 toggle bit, which flips at each new press; -1 where the protocol has none.
    int toggle = -1;
    int pulses = 0;
    // As received, glitches included, so a user sees what the receiver saw.
    std::vector<qint32> timings;
    // Microseconds from the start of the stream to the first pulse and past the last one.
    qint64 start_us = 0;
    qint64 end_us = 0;
};
