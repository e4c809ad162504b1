#include "ad_table.h"

#include "shell/host/number_text.h"

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr QStringView kSeparator = u" ";

}  // namespace

const std::vector<Dialect>& sensor_dialects() {
    static const std::vector<Dialect> dialects = [] {
        const QStringList names = dialect_names();
        return std::vector<Dialect>{
            {names[0], {"retlw", "0x0", "0x0", "", ";", ""}},
            {names[1], {"DB", "0", "0", "H", ";", ""}},
            {names[2], {"", "0x0", "0x0", "", ",/*", "*/"}},
            {names[3], {"retl", "0x0", "0x0", "", ";", ""}},
        };
    }();
    return dialects;
}

QString thermistor_line(const DialectPieces& pieces, int index, std::int32_t ohms,
                        std::int32_t reading) {
    return table_line(pieces, kSeparator, reading,
                      QString::number(index) + u"电阻值="_s + QString::number(ohms) + u"Ω"_s);
}

QString humidity_line(const DialectPieces& pieces, int percent, const HumidityReading& reading) {
    return table_line(pieces, kSeparator, reading.reading,
                      u"湿度="_s + QString::number(percent) + u"%电压="_s +
                          number_to_text(reading.volts) + u"V"_s);
}

QString note_line(SensorModel model, const QString& orientation_text, const QString& divider_text) {
    return model_name(model) + u"/0代表-30℃;100代表70℃/"_s + orientation_text + u"电阻="_s +
           divider_text + u"Ω\r\n"_s;
}

AdTableRun SensorTableWriter::gen_ad_table(int last, const SensorChoices& choices,
                                           const QString& shown) {
    if (choices.model == SensorModel::kOther) {
        return gen_thermistor(0, choices, shown);
    }
    m_counter.reset();
    last = std::min(last, kLastTableIndex);
    if (choices.model == SensorModel::kHumidity) {
        return gen_humidity(last, choices);
    }
    return gen_thermistor(last, choices, QString());
}

AdTableRun SensorTableWriter::gen_humidity(int last, const SensorChoices& choices) {
    const WorkingTable table = working_table(SensorModel::kHumidity);
    const int scale = scale_of(choices.precision);
    AdTableRun run;
    for (int percent = 0; percent <= last; ++percent) {
        const auto reading = humidity_reading(table[percent + 1], scale);
        if (!reading) {
            run.message = input_error_message();
            break;
        }
        run.text += humidity_line(m_dialects.choose(choices.dialect), percent, *reading);
    }
    return run;
}

AdTableRun SensorTableWriter::gen_thermistor(int last, const SensorChoices& choices, QString text) {
    AdTableRun run{std::move(text), {}};
    if (!divider_passes(choices.divider)) {
        run.message = divider_message();
        return run;
    }
    const Orientation orientation = orientation_named(choices.orientation);
    const double divider = text_to_number(choices.divider);
    const int scale = scale_of(choices.precision);
    // Appends the line of one entry; false when its reading is out of range.
    const auto write = [&](int index, std::int32_t ohms) {
        const auto reading = thermistor_reading(ohms, orientation, divider, scale);
        if (!reading) {
            run.message = input_error_message();
            return false;
        }
        run.text += thermistor_line(m_dialects.choose(choices.dialect), index, ohms, *reading);
        return true;
    };

    if (choices.model == SensorModel::kOther) {
        const auto entry = m_counter.next_entry(choices.typed);
        if (const auto* refused = std::get_if<QString>(&entry)) {
            run.message = *refused;
        } else if (const auto& typed = std::get<TypedEntry>(entry);
                   write(typed.index, typed.ohms)) {
            m_counter.take();
        }
        return run;
    }
    const WorkingTable table = working_table(choices.model);
    for (int i = 0; i <= last; ++i) {
        if (!write(i, table[i])) {
            return run;
        }
    }
    run.text += note_line(choices.model, choices.orientation, choices.divider);
    return run;
}
