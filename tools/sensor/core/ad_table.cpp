#include "ad_table.h"

#include "base/number_text.h"

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr QStringView kSeparator = u" ";

// Appends the lines of `ohms`, entry i at index first + i, to the run; false, with the run's
// message set, at an entry whose reading is out of range.
template <typename Ohms>
bool write_thermistor_lines(AdTableRun& run, DialectChoice& dialects, const SensorChoices& choices,
                            const Ohms* ohms, int count, int first = 0) {
    const Orientation orientation = orientation_named(choices.orientation);
    const double divider = text_to_number(choices.divider);
    const int scale = scale_of(choices.precision);
    for (int i = 0; i < count; ++i) {
        const auto reading = thermistor_reading(ohms[i], orientation, divider, scale);
        if (!reading) {
            run.message = input_error_message();
            return false;
        }
        run.text += thermistor_line(dialects.choose(choices.dialect), first + i, ohms[i], *reading);
        if (!instruction_holds(choices.dialect, *reading)) {
            run.unfit_lines.push_back(first + i + 1);
        }
    }
    return true;
}

// The nearest whole number of ohms, however large.
QString whole_ohms_text(double ohms) {
    if (const auto whole = round_to_int32(ohms)) {
        return QString::number(*whole);
    }
    return QString::number(round_half_even(ohms), 'f', 0);
}

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

QString thermistor_line(const DialectPieces& pieces, int index, double ohms, std::int32_t reading) {
    return table_line(pieces, kSeparator, reading,
                      QString::number(index) + u"电阻值="_s + whole_ohms_text(ohms) + u"Ω"_s);
}

bool instruction_holds(const QString& dialect, std::int32_t reading) {
    const QStringList names = dialect_names();
    const bool one_byte = dialect == names[0] || dialect == names[1] || dialect == names[3];
    return !one_byte || (reading >= 0 && reading <= 0xFF);
}

QString line_ranges(const std::vector<int>& lines) {
    QStringList ranges;
    for (std::size_t i = 0; i < lines.size();) {
        std::size_t last = i;
        while (last + 1 < lines.size() && lines[last + 1] == lines[last] + 1) {
            ++last;
        }
        ranges << (last == i ? QString::number(lines[i])
                             : QString::number(lines[i]) + u'-' + QString::number(lines[last]));
        i = last + 1;
    }
    return ranges.join(u", ");
}

QString humidity_line(const DialectPieces& pieces, int percent, const HumidityReading& reading) {
    return table_line(pieces, kSeparator, reading.reading,
                      u"湿度="_s + QString::number(percent) + u"%电压="_s +
                          number_to_text(reading.volts) + u"V"_s);
}

QString note_line(SensorModel model, const QString& orientation_text, const QString& divider_text) {
    return note_line(model_name(model), kLastTableIndex, -30, 70, orientation_text, divider_text);
}

QString note_line(const QString& name, int last, double from_celsius, double to_celsius,
                  const QString& orientation_text, const QString& divider_text) {
    return name + u"/0代表"_s + number_to_text(from_celsius) + u"℃;"_s + QString::number(last) +
           u"代表"_s + number_to_text(to_celsius) + u"℃/"_s + orientation_text + u"电阻="_s +
           divider_text + u"Ω\r\n"_s;
}

AdTableRun curve_ad_table(const ThermistorCurve& curve, const SensorChoices& choices) {
    AdTableRun run;
    if (!divider_passes(choices.divider)) {
        run.message = divider_message();
        return run;
    }
    DialectChoice dialects(sensor_dialects());
    const int count = static_cast<int>(curve.ohms.size());
    if (count == 0 || !write_thermistor_lines(run, dialects, choices, curve.ohms.data(), count)) {
        return run;
    }
    const double last_celsius = curve.from_celsius + (count - 1) * curve.step_celsius;
    run.text += note_line(curve.name, count - 1, curve.from_celsius, last_celsius,
                          choices.orientation, choices.divider);
    return run;
}

AdTableRun SensorTableWriter::make_table(int last, const SensorChoices& choices,
                                         const QString& shown) {
    if (choices.model == SensorModel::kOther) {
        return thermistor_table(0, choices, shown);
    }
    m_counter.reset();
    last = std::min(last, kLastTableIndex);
    if (choices.model == SensorModel::kHumidity) {
        return humidity_table(last, choices);
    }
    return thermistor_table(last, choices, QString());
}

AdTableRun SensorTableWriter::humidity_table(int last, const SensorChoices& choices) {
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
        if (!instruction_holds(choices.dialect, reading->reading)) {
            run.unfit_lines.push_back(percent + 1);
        }
    }
    return run;
}

AdTableRun SensorTableWriter::thermistor_table(int last, const SensorChoices& choices,
                                               QString text) {
    AdTableRun run{std::move(text), {}, {}};
    if (!divider_passes(choices.divider)) {
        run.message = divider_message();
        return run;
    }
    if (choices.model == SensorModel::kOther) {
        const auto entry = m_counter.next_entry(choices.typed);
        if (const auto* refused = std::get_if<QString>(&entry)) {
            run.message = *refused;
        } else if (const auto& typed = std::get<TypedEntry>(entry);
                   write_thermistor_lines(run, m_dialects, choices, &typed.ohms, 1, typed.index)) {
            m_counter.take();
        }
        return run;
    }
    const WorkingTable table = working_table(choices.model);
    if (write_thermistor_lines(run, m_dialects, choices, table.data(), last + 1)) {
        run.text += note_line(choices.model, choices.orientation, choices.divider);
    }
    return run;
}
