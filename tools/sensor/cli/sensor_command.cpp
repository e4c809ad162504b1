#include "sensor_command.h"

#include "base/number_text.h"
#include "base/text_file.h"
#include "shell/cli/command_options.h"
#include "shell/cli/dialect_option.h"
#include "tools/sensor/core/ad_table.h"
#include "tools/sensor/core/rt_table.h"
#include "tools/sensor/core/thermistor.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// More lines than any converter table holds; a typing slip in --step stops here.
constexpr double kMostEntries = 10000;

const QString kPositiveOhms = u"a number of ohms above 0, such as 10000"_s;

double positive_option(const CommandOptions& options, const QString& name, const QString& valid) {
    const double value = options.number(name, 0, valid);
    if (!(value > 0)) {
        refuse_value(name, options.required(name, valid), valid);
    }
    return value;
}

// The thermistor of --beta, --steinhart or --rt: its name for the note line, the option that
// gave it and its resistance at a temperature (nothing outside an R–T table).
struct Curve {
    QString name;
    QString option;
    std::function<std::optional<double>(double)> ohms_at;
};

Curve beta_curve(const CommandOptions& options) {
    const double beta = positive_option(options, u"--beta"_s, u"a number above 0, such as 3950"_s);
    const double r25 = positive_option(options, u"--r25"_s, kPositiveOhms);
    return {u"β=%1,R25=%2Ω"_s.arg(*options.value(u"--beta"_s), *options.value(u"--r25"_s)),
            u"--beta"_s, [beta, r25](double celsius) { return beta_ohms(beta, r25, celsius); }};
}

Curve steinhart_curve(const CommandOptions& options) {
    const QString name = u"--steinhart"_s;
    const QString value = *options.value(name);
    const QString valid =
        u"A,B,C with B above 0 and C at least 0, such as "
        "1.129148e-3,2.34125e-4,8.76741e-8"_s;
    const QStringList parts = value.split(u',');
    std::array<double, 3> numbers{};
    for (qsizetype i = 0; i < parts.size() && parts.size() == 3; ++i) {
        numbers[i] = is_numeric(parts[i]) ? text_to_number(parts[i]) : NAN;
    }
    const SteinhartHart coefficients{numbers[0], numbers[1], numbers[2]};
    if (parts.size() != 3 || !is_solvable(coefficients)) {
        refuse_value(name, value, valid);
    }
    return {u"A,B,C="_s + value, name,
            [coefficients](double celsius) { return steinhart_hart_ohms(coefficients, celsius); }};
}

Curve rt_curve(const CommandOptions& options, const std::vector<double>& temperatures) {
    const QString name = u"--rt"_s;
    const QString path = *options.value(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        cannot_read(path, file.errorString());
    }
    auto read = read_rt_table(rt_file_text(file.readAll()));
    if (const auto* error = std::get_if<RtTableError>(&read)) {
        const QString where = error->line > 0 ? u"%1 line %2"_s.arg(path).arg(error->line) : path;
        refuse(
            u"%1: %2: %3. Valid values: a file of \"°C,Ω\" pairs, one a line, the "
            "temperatures rising or falling"_s.arg(name, where, error->reason));
    }
    auto points = std::get<std::vector<RtPoint>>(std::move(read));
    // Every temperature asked for must lie within the table.
    if (const auto gap = rt_table_gap(points, temperatures.front(), temperatures.back())) {
        refuse(
            u"%1: %2: %3. Valid values: a table that spans --from to --to"_s.arg(name, path, *gap));
    }
    return {QFileInfo(path).completeBaseName(), name, [points = std::move(points)](double celsius) {
                return rt_table_ohms(points, celsius);
            }};
}

AdTableRun custom_sensor_table(const CommandOptions& options, const SensorChoices& choices) {
    TemperatureSpan span;
    span.from = options.number(u"--from"_s, span.from, u"a temperature in °C"_s);
    span.to = options.number(u"--to"_s, span.to, u"a temperature in °C"_s);
    span.step = options.number(u"--step"_s, span.step, u"a number of °C above 0"_s);
    if (!(span.step > 0)) {
        refuse_value(u"--step"_s, *options.value(u"--step"_s), u"a number of °C above 0"_s);
    }
    if (span.from <= -kZeroCelsiusKelvin) {
        refuse_value(u"--from"_s, *options.value(u"--from"_s), u"a temperature above -273.15 °C"_s);
    }
    if (span.to < span.from) {
        refuse(
            u"--to: %1 °C lies below --from, %2 °C. Valid values: a temperature from --from "
            "up"_s.arg(number_to_text(span.to), number_to_text(span.from)));
    }
    if (temperature_count(span) > kMostEntries) {
        refuse(
            u"--step: %1 °C from %2 to %3 °C makes more than %4 lines. Valid values: a larger "
            "step or a shorter span"_s
                .arg(number_to_text(span.step), number_to_text(span.from), number_to_text(span.to))
                .arg(kMostEntries));
    }
    const std::vector<double> celsius = temperatures(span);

    Curve curve;
    if (options.has(u"--beta"_s) || options.has(u"--r25"_s)) {
        curve = beta_curve(options);
    } else if (options.has(u"--steinhart"_s)) {
        curve = steinhart_curve(options);
    } else {
        curve = rt_curve(options, celsius);
    }
    // The readings come from the curve's own resistances; the lines show them rounded.
    ThermistorCurve table{curve.name, span.from, span.step, {}};
    for (const double t : celsius) {
        const double ohms = curve.ohms_at(t).value_or(NAN);
        if (!is_table_resistance(ohms)) {
            const QString what =
                std::isfinite(ohms)
                    ? u"%1 Ω, which a line would show as 0 Ω"_s.arg(number_to_text(ohms))
                    : u"beyond any number"_s;
            refuse(
                u"%1: the resistance at %2 °C is %3. Valid values: a thermistor whose "
                "resistance from --from to --to is finite and at least 1 Ω"_s.arg(
                    curve.option, number_to_text(t), what));
        }
        table.ohms.push_back(ohms);
    }
    return curve_ad_table(table, choices);
}

// The lines a one-byte instruction cannot take, said once; the table is written all the same,
// as the window writes it.
QString unfit_note(const AdTableRun& run, const SensorChoices& choices) {
    if (run.unfit_lines.empty()) {
        return {};
    }
    QString instruction = choices.dialect;
    for (const Dialect& dialect : sensor_dialects()) {
        if (dialect.name == choices.dialect) {
            instruction = dialect.pieces.instruction_word;
        }
    }
    const QString lines = run.unfit_lines.size() == 1 ? u"line"_s : u"lines"_s;
    const QString hint =
        choices.precision == Precision::k8Bits ? u"--dialect c"_s : u"--dialect c, or --bits 8"_s;
    return u"brevik table sensor: warning: %1 %2 hold values above 255, which %3 cannot take; "
           "use %4"_s.arg(lines, line_ranges(run.unfit_lines), instruction, hint);
}

CommandOutput sensor_table(const CommandOptions& options) {
    const QString sensors =
        u"--model 3470_5K, 3470_10K or humidity (湿度); or a thermistor by "
        "--beta B --r25 OHMS, --steinhart A,B,C or --rt FILE"_s;
    const bool custom_beta = options.has(u"--beta"_s) || options.has(u"--r25"_s);
    const int given = int(options.has(u"--model"_s)) + int(custom_beta) +
                      int(options.has(u"--steinhart"_s)) + int(options.has(u"--rt"_s));
    if (given == 0) {
        refuse(u"--model is missing. Valid values: "_s + sensors);
    }
    if (given > 1) {
        refuse(
            u"--model, --beta, --steinhart and --rt each name the sensor: give one. Valid "
            "values: "_s +
            sensors);
    }
    if (custom_beta && !(options.has(u"--beta"_s) && options.has(u"--r25"_s))) {
        refuse(
            u"--beta and --r25 come together. Valid values: --beta B --r25 OHMS, such as "
            "--beta 3950 --r25 10000"_s);
    }

    SensorChoices choices{SensorModel::kOther, dialect_value(options), {}, {}, {}, {}};
    choices.precision =
        static_cast<Precision>(options.choice(u"--bits"_s, {u"8"_s, u"10"_s, u"12"_s}, 0));
    if (const auto model = options.value(u"--model"_s)) {
        for (const QString& range : {u"--from"_s, u"--to"_s, u"--step"_s}) {
            if (options.has(range)) {
                refuse(
                    u"%1: only for --beta, --steinhart and --rt; the built-in tables run from "
                    "-30 to 70 °C by 1"_s.arg(range));
            }
        }
        choices.model = static_cast<SensorModel>(
            options.choice(u"--model"_s, {u"3470_5K"_s, u"3470_10K"_s, u"humidity|湿度"_s}));
    }
    if (choices.model != SensorModel::kHumidity) {
        const int pull = options.choice(u"--pull"_s, {u"up"_s, u"down"_s});
        choices.orientation = orientation_names()[pull];
        choices.divider = options.required(u"--divider"_s, kPositiveOhms);
        // The window's own rule and message.
        if (!divider_passes(choices.divider)) {
            refuse(u"--divider: '%1' is not valid (%2). Valid values: %3"_s.arg(
                choices.divider, divider_message(), kPositiveOhms));
        }
        // The window takes any number and stops at the first reading out of range; a build
        // script is told at once.
        if (!(text_to_number(choices.divider) > 0)) {
            refuse(
                u"--divider: '%1' is not valid: a divider of 0 Ω or less gives no reading. "
                "Valid values: %2"_s.arg(choices.divider, kPositiveOhms));
        }
    }

    const AdTableRun run = choices.model == SensorModel::kOther
                               ? custom_sensor_table(options, choices)
                               : SensorTableWriter().make_table(kLastTableIndex, choices, {});
    if (!run.completed()) {
        refuse(u"--divider: '%1' gives no reading (%2). Valid values: %3"_s.arg(
            choices.divider, run.message, kPositiveOhms));
    }
    return {run.text, unfit_note(run, choices)};
}

}  // namespace

Command sensor_table_command() {
    return {
        .name = u"table sensor"_s,
        .synopsis =
            u"--model NAME | --beta B --r25 OHMS | --steinhart A,B,C | --rt FILE\n"
            "                           --dialect pic|a51|c|emc [options]"_s,
        .summary = u"the sensor AD table that 真值表's 输出 saves, or any thermistor's"_s,
        .description =
            saved_file_description(u"the sensor AD table of window 真值表 (button 输出)"_s,
                                   u"it saves"_s, u", for a built-in sensor or any thermistor"_s),
        .options =
            {
                {u"--model"_s, u"3470_5K|3470_10K|humidity"_s,
                 u"a built-in sensor (湿度 also names humidity)"_s},
                {u"--beta"_s, u"B"_s, u"a thermistor by its β value (with --r25)"_s},
                {u"--r25"_s, u"OHMS"_s, u"the thermistor's resistance at 25 °C (with --beta)"_s},
                {u"--steinhart"_s, u"A,B,C"_s,
                 u"a thermistor by its Steinhart-Hart coefficients"_s},
                {u"--rt"_s, u"FILE"_s,
                 u"a thermistor by its datasheet table, one \"°C,Ω\" pair a line\n(a kΩ "
                 "header scales the column; ';' or tab with decimal commas;\nUTF-8, GBK or "
                 "UTF-16; temperatures rising or falling)"_s},
                {u"--from"_s, u"°C"_s,
                 u"the first temperature of --beta, --steinhart and --rt\n(default -30, as the "
                 "built-in tables)"_s},
                {u"--to"_s, u"°C"_s, u"the last temperature (default 70)"_s},
                {u"--step"_s, u"°C"_s, u"the step between temperatures (default 1)"_s},
                dialect_option(),
                {u"--pull"_s, u"up|down"_s,
                 u"the divider resistor pulls the input up or down (thermistors)"_s},
                {u"--divider"_s, u"OHMS"_s, u"the divider resistor (thermistors)"_s},
                {u"--bits"_s, u"8|10|12"_s, u"the converter's precision (default 8)"_s},
            },
        .examples =
            {
                u"brevik table sensor --model 3470_10K --dialect pic --pull up --divider 10000"_s,
                u"brevik table sensor --model humidity --dialect c --bits 10 -o humidity.txt"_s,
                u"brevik table sensor --beta 3950 --r25 10000 --dialect c --pull down --divider "
                "10000 --bits 12"_s,
                u"brevik table sensor --steinhart 1.129148e-3,2.34125e-4,8.76741e-8 --dialect emc "
                "--pull up --divider 10000"_s,
                u"brevik table sensor --rt ntc.csv --from 0 --to 100 --step 5 --dialect a51 "
                "--pull up --divider 4700"_s,
            },
        .run = sensor_table,
    };
}
