#pragma once

#include <QString>

#include <cstdint>
#include <variant>

// A thermistor without a built-in table: the user types one resistance per press, and each
// accepted one becomes the next entry, 0 to 105.

struct TypedEntry {
    int index;
    std::int32_t ohms;
};

class OtherModelCounter {
public:
    // The entry that `typed` makes, or the message that refuses it: "输入错误" for a text that is
    // not one number of ohms within 32 bits, "超出范围" once all 106 entries are used, which
    // also starts the count again from 0. The entry counts only after take() of its index.
    std::variant<TypedEntry, QString> next_entry(const QString& typed);
    // The entry's line has been written; the next one gets the following index.
    void take() { ++m_next; }
    void reset() { m_next = 0; }

private:
    int m_next = 0;
};

QString input_error_message();
