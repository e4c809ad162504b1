#include "other_model_counter.h"

#include "base/number_text.h"
#include "sensor_model.h"

std::variant<TypedEntry, QString> OtherModelCounter::next_entry(const QString& typed) {
    const auto ohms = is_numeric(typed) ? round_to_int32(text_to_number(typed)) : std::nullopt;
    if (!ohms) {
        return input_error_message();
    }
    if (m_next >= kWorkingEntries) {
        m_next = 0;
        return QStringLiteral("超出范围");
    }
    return TypedEntry{m_next, *ohms};
}

QString input_error_message() {
    return QStringLiteral("输入错误");
}
