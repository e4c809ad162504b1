#include "table_command.h"

#include "shell/host/number_text.h"
#include "shell/host/text_file.h"
#include "tools/segment/core/segment_table.h"
#include "tools/sensor/core/ad_table.h"
#include "tools/sensor/core/rt_table.h"
#include "tools/sensor/core/thermistor.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>

#include <cmath>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int kUsageError = 2;
constexpr int kWriteError = 1;
// More lines than any converter table holds; a typing slip in --step stops here.
constexpr double kMostEntries = 10000;

const char kHelp[] = R"(Usage: brevik table segment [options]
       brevik table sensor [options]
Writes a seven-segment or sensor AD table to standard output, byte for byte the file that the
tool's window saves (GBK text, CR LF line ends). Needs no display.

Seven-segment table (window 七段码, button 全部转换):
  --dialect pic|a51|c|emc         the table's dialect; c is the window's 数组
  --common anode|cathode          a common-anode or common-cathode display
  --bits A=7,B=6,...,H=0          the port bit 0 to 7 of each segment letter A to H (H is the
                                  point), each bit once; letters left out keep these bits
  --letters ABCDEFG               the letters of the drawn segments in the order top, upper
                                  right, lower right, bottom, lower left, upper left, middle

Sensor AD table (window 真值表, button 输出), one sensor of:
  --model 3470_5K|3470_10K|humidity   a built-in sensor (湿度 also names humidity)
  --beta B --r25 OHMS             a thermistor by its β value and its resistance at 25 °C
  --steinhart A,B,C               a thermistor by its Steinhart-Hart coefficients
  --rt FILE                       a thermistor by its datasheet table, one "°C,Ω" pair a line
and:
  --from °C --to °C --step °C     the temperatures of --beta, --steinhart and --rt
                                  (default -30 to 70 by 1, as the built-in tables)
  --dialect pic|a51|c|emc         the table's dialect; c is the window's 数组
  --pull up|down                  the divider resistor pulls the input up or down (thermistors)
  --divider OHMS                  the divider resistor (thermistors)
  --bits 8|10|12                  the converter's precision (default 8)

Both:
  -o FILE                         write FILE instead, replacing it only once the table is whole
  -h, --help                      this text

Examples:
  brevik table segment --dialect pic --common anode
  brevik table segment --dialect a51 --common cathode --bits A=0,B=1,C=2,D=3,E=4,F=5,G=6,H=7
  brevik table segment --dialect c --common anode --letters ABCDEGF -o digits.txt
  brevik table sensor --model 3470_10K --dialect pic --pull up --divider 10000
  brevik table sensor --model humidity --dialect c --bits 10 -o humidity.txt
  brevik table sensor --beta 3950 --r25 10000 --dialect c --pull down --divider 10000 --bits 12
  brevik table sensor --steinhart 1.129148e-3,2.34125e-4,8.76741e-8 --dialect emc --pull up \
      --divider 10000
  brevik table sensor --rt ntc.csv --from 0 --to 100 --step 5 --dialect a51 --pull up \
      --divider 4700

Exit status: 0 done; 2 a bad or missing option, nothing written; 1 the file could not be written.
)";

// A refused command line: the message for standard error; nothing is written.
struct UsageError {
    QString text;
};

[[noreturn]] void refuse(const QString& text) {
    throw UsageError{text};
}

// The options of one command line, by name with their dashes ("--dialect", "-o").
class Options {
public:
    Options(const QStringList& arguments, const QStringList& valid) {
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            QString name = arguments[i];
            std::optional<QString> value;
            if (const qsizetype equals = name.indexOf(u'='); name.startsWith(u"--") && equals > 0) {
                value = name.sliced(equals + 1);
                name.truncate(equals);
            }
            if (!valid.contains(name)) {
                refuse(name.startsWith(u'-')
                           ? u"Unknown option %1. Valid options: %2"_s.arg(name, valid.join(u", "))
                           : u"Unexpected argument %1. Valid options: %2"_s.arg(name,
                                                                                valid.join(u", ")));
            }
            if (!value) {
                if (++i == arguments.size()) {
                    refuse(u"%1 needs a value."_s.arg(name));
                }
                value = arguments[i];
            }
            if (m_values.contains(name)) {
                refuse(u"%1 is given twice."_s.arg(name));
            }
            m_values.insert(name, *value);
        }
    }

    bool has(const QString& name) const { return m_values.contains(name); }
    std::optional<QString> value(const QString& name) const {
        const auto found = m_values.find(name);
        return found == m_values.end() ? std::nullopt : std::optional<QString>(*found);
    }
    // The value of an option that must be given; `valid` says what it takes.
    QString required(const QString& name, const QString& valid) const {
        const auto found = value(name);
        if (!found) {
            refuse(u"%1 is missing. Valid values: %2"_s.arg(name, valid));
        }
        return *found;
    }

private:
    QMap<QString, QString> m_values;
};

[[noreturn]] void refuse_value(const QString& name, const QString& value, const QString& valid) {
    refuse(u"%1: '%2' is not valid. Valid values: %3"_s.arg(name, value, valid));
}

// The index of `value` among `names` (ASCII case ignored), or the option is refused with
// `valid`, or else the names, as its valid values.
int choice(const QString& name, const QString& value, const QStringList& names,
           const QString& valid = {}) {
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (value.compare(names[i], Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    refuse_value(name, value, valid.isEmpty() ? names.join(u", ") : valid);
}

// The dialect's name as the window's list shows it.
QString dialect_option(const Options& options) {
    const QString valid = u"pic, a51, c, emc"_s;
    const QString value = options.required(u"--dialect"_s, valid);
    if (value == u"数组") {
        return value;
    }
    const int index = choice(u"--dialect"_s, value, {u"pic"_s, u"a51"_s, u"c"_s, u"emc"_s});
    return dialect_names()[index];
}

double number_option(const Options& options, const QString& name, double fallback,
                     const QString& valid) {
    const auto value = options.value(name);
    if (!value) {
        return fallback;
    }
    const double number = text_to_number(*value);
    if (!is_numeric(*value) || !std::isfinite(number)) {
        refuse_value(name, *value, valid);
    }
    return number;
}

// --- seven-segment table ---------------------------------------------------------------------

BitValues bits_option(const Options& options) {
    const QString name = u"--bits"_s;
    const QString valid =
        u"LETTER=BIT for letters A to H and bits 0 to 7, each bit once, such "
        "as A=7,B=6,C=5,D=4,E=3,F=2,G=1,H=0"_s;
    BitValues bits{7, 6, 5, 4, 3, 2, 1, 0};
    const auto value = options.value(name);
    if (!value) {
        return bits;
    }
    std::array<bool, kLetterCount> given{};
    for (const QString& item : value->split(u',')) {
        const QStringList parts = item.trimmed().split(u'=');
        const QString letter_text = parts.value(0).trimmed().toUpper();
        const int letter = letter_text.size() == 1 ? letter_text[0].unicode() - u'A' : -1;
        bool ok = false;
        const int bit = parts.value(1).trimmed().toInt(&ok);
        if (parts.size() != 2 || letter < 0 || letter >= kLetterCount || !ok || bit < 0 ||
            bit > 7) {
            refuse_value(name, item, valid);
        }
        if (given[letter]) {
            refuse(u"%1: letter %2 is given twice. Valid values: %3"_s.arg(
                name, letter_name(letter), valid));
        }
        given[letter] = true;
        bits[letter] = bit;
    }
    for (int first = 0; first < kLetterCount; ++first) {
        for (int second = first + 1; second < kLetterCount; ++second) {
            if (bits[first] == bits[second]) {
                refuse(u"%1: bit %2 is used twice, by %3 and %4. Valid values: %5"_s.arg(
                    name, QString::number(bits[first]), letter_name(first), letter_name(second),
                    valid));
            }
        }
    }
    return bits;
}

// For each letter A to G, the position that carries it.
std::array<Position, kPositionCount> letters_option(const Options& options) {
    std::array<Position, kPositionCount> positions{};
    for (int letter = 0; letter < kPositionCount; ++letter) {
        positions[letter] = static_cast<Position>(letter);
    }
    const auto value = options.value(u"--letters"_s);
    if (!value) {
        return positions;
    }
    const QString letters = value->toUpper();
    std::array<bool, kPositionCount> used{};
    for (int position = 0; position < kPositionCount && letters.size() == kPositionCount;
         ++position) {
        const int letter = letters[position].unicode() - u'A';
        if (letter < 0 || letter >= kPositionCount || used[letter]) {
            break;
        }
        used[letter] = true;
        positions[letter] = static_cast<Position>(position);
    }
    if (std::find(used.begin(), used.end(), false) != used.end()) {
        refuse_value(u"--letters"_s, *value,
                     u"the seven letters A to G, each once, for the top, upper right, lower "
                     "right, bottom, lower left, upper left and middle segments, such as "
                     "ABCDEFG"_s);
    }
    return positions;
}

QStringList segment_options() {
    return {u"--bits"_s, u"--letters"_s, u"--dialect"_s, u"--common"_s, u"-o"_s};
}

QString segment_table(const Options& options) {
    const QString dialect = dialect_option(options);
    const int common = choice(u"--common"_s, options.required(u"--common"_s, u"anode, cathode"_s),
                              {u"anode"_s, u"cathode"_s});
    const BitValues bits = bits_option(options);
    const auto positions = letters_option(options);

    // As in the window: the bits typed, the segments clicked in letter order, the display
    // type toggled, then convert all.
    SegmentModel model(bits);
    model.clear_lettering();
    for (const Position position : positions) {
        model.click_position(position);
    }
    if (common == 1) {
        model.toggle_display_type();
    }
    SegmentTableWriter writer;
    return writer.gen_table(kCharacterCount - 1, model.build_codes(), dialect);
}

// --- sensor table ----------------------------------------------------------------------------

const QString kPositiveOhms = u"a number of ohms above 0, such as 10000"_s;

double positive_option(const Options& options, const QString& name, const QString& valid) {
    const double value = number_option(options, name, 0, valid);
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

Curve beta_curve(const Options& options) {
    const double beta = positive_option(options, u"--beta"_s, u"a number above 0, such as 3950"_s);
    const double r25 = positive_option(options, u"--r25"_s, kPositiveOhms);
    return {u"β=%1,R25=%2Ω"_s.arg(*options.value(u"--beta"_s), *options.value(u"--r25"_s)),
            u"--beta"_s, [beta, r25](double celsius) { return beta_ohms(beta, r25, celsius); }};
}

Curve steinhart_curve(const Options& options) {
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

Curve rt_curve(const Options& options, const std::vector<double>& temperatures) {
    const QString name = u"--rt"_s;
    const QString path = *options.value(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refuse(u"%1: cannot read %2: %3"_s.arg(name, path, file.errorString()));
    }
    auto read = read_rt_table(decode_text(file.readAll()));
    if (const auto* error = std::get_if<RtTableError>(&read)) {
        const QString where = error->line > 0 ? u"%1 line %2"_s.arg(path).arg(error->line) : path;
        refuse(
            u"%1: %2: %3. Valid values: a file of \"°C,Ω\" pairs, one a line, the "
            "temperatures rising"_s.arg(name, where, error->reason));
    }
    auto points = std::get<std::vector<RtPoint>>(std::move(read));
    // Every temperature asked for must lie within the table.
    const double first = points.front().celsius;
    const double last = points.back().celsius;
    QStringList missing;
    const auto outside = [&](auto begin, auto end) {
        if (begin != end) {
            const auto [low, high] = std::minmax(*begin, *(end - 1));
            missing << u"%1 to %2 °C"_s.arg(number_to_text(low), number_to_text(high));
        }
    };
    const auto inside_from = std::find_if(temperatures.begin(), temperatures.end(),
                                          [first](double t) { return t >= first; });
    const auto beyond = std::find_if(temperatures.begin(), temperatures.end(),
                                     [last](double t) { return t > last; });
    outside(temperatures.begin(), inside_from);
    outside(beyond, temperatures.end());
    if (!missing.isEmpty()) {
        refuse(
            u"%1: %2 runs from %3 to %4 °C; no resistance for %5. Valid values: a table that "
            "spans --from to --to"_s.arg(name, path, number_to_text(first), number_to_text(last),
                                         missing.join(u" and ")));
    }
    return {QFileInfo(path).completeBaseName(), name, [points = std::move(points)](double celsius) {
                return rt_table_ohms(points, celsius);
            }};
}

AdTableRun custom_sensor_table(const Options& options, const SensorChoices& choices) {
    TemperatureSpan span;
    span.from = number_option(options, u"--from"_s, span.from, u"a temperature in °C"_s);
    span.to = number_option(options, u"--to"_s, span.to, u"a temperature in °C"_s);
    span.step = number_option(options, u"--step"_s, span.step, u"a number of °C above 0"_s);
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
    ThermistorCurve table{curve.name, span.from, span.step, {}};
    for (const double t : celsius) {
        const auto ohms = curve.ohms_at(t);
        const auto whole = ohms ? round_to_int32(*ohms) : std::nullopt;
        if (!whole) {
            refuse(
                u"%1: the resistance at %2 °C is beyond 2147483647 Ω. Valid values: a "
                "thermistor and a span whose resistances fit"_s.arg(curve.option,
                                                                    number_to_text(t)));
        }
        table.ohms.push_back(*whole);
    }
    return curve_ad_table(table, choices);
}

QStringList sensor_options() {
    return {u"--model"_s,   u"--beta"_s, u"--r25"_s,  u"--steinhart"_s, u"--rt"_s,
            u"--from"_s,    u"--to"_s,   u"--step"_s, u"--dialect"_s,   u"--pull"_s,
            u"--divider"_s, u"--bits"_s, u"-o"_s};
}

QString sensor_table(const Options& options) {
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

    SensorChoices choices{SensorModel::kOther, dialect_option(options), {}, {}, {}, {}};
    const QString bits = options.value(u"--bits"_s).value_or(u"8"_s);
    choices.precision =
        static_cast<Precision>(choice(u"--bits"_s, bits, {u"8"_s, u"10"_s, u"12"_s}));
    if (const auto model = options.value(u"--model"_s)) {
        for (const QString& range : {u"--from"_s, u"--to"_s, u"--step"_s}) {
            if (options.has(range)) {
                refuse(
                    u"%1: only for --beta, --steinhart and --rt; the built-in tables run from "
                    "-30 to 70 °C by 1"_s.arg(range));
            }
        }
        const QString valid = u"3470_5K, 3470_10K, humidity (湿度)"_s;
        choices.model =
            *model == u"湿度"
                ? SensorModel::kHumidity
                : static_cast<SensorModel>(choice(
                      u"--model"_s, *model, {u"3470_5K"_s, u"3470_10K"_s, u"humidity"_s}, valid));
    }
    if (choices.model != SensorModel::kHumidity) {
        const int pull =
            choice(u"--pull"_s, options.required(u"--pull"_s, u"up, down"_s), {u"up"_s, u"down"_s});
        choices.orientation = orientation_names()[pull];
        choices.divider = options.required(u"--divider"_s, kPositiveOhms);
        // The window's own rule and message.
        if (!divider_passes(choices.divider)) {
            refuse(u"--divider: '%1' is not valid (%2). Valid values: %3"_s.arg(
                choices.divider, divider_message(), kPositiveOhms));
        }
    }

    const AdTableRun run = choices.model == SensorModel::kOther
                               ? custom_sensor_table(options, choices)
                               : SensorTableWriter().make_table(kLastTableIndex, choices, {});
    if (!run.completed()) {
        refuse(u"--divider: '%1' gives no reading (%2). Valid values: %3"_s.arg(
            choices.divider, run.message, kPositiveOhms));
    }
    return run.text;
}

}  // namespace

TableCommandResult run_table_command(const QStringList& arguments) {
    TableCommandResult result;
    const QString kind = arguments.value(0);
    if (arguments.contains(u"--help"_s) || arguments.contains(u"-h"_s)) {
        result.output = kHelp;
        return result;
    }
    try {
        if (kind != u"segment" && kind != u"sensor") {
            refuse(u"Name the table: segment or sensor (brevik table --help)."_s);
        }
        const bool segment = kind == u"segment";
        const Options options(arguments.mid(1), segment ? segment_options() : sensor_options());
        const auto output = options.value(u"-o"_s);
        if (output && output->isEmpty()) {
            refuse(u"-o needs a file name."_s);
        }
        const QString text = segment ? segment_table(options) : sensor_table(options);
        QByteArray bytes;
        if (const auto error = text_file_bytes(text, bytes)) {
            result.errors = error->reason;
            result.exit_status = kWriteError;
            return result;
        }
        if (!output) {
            result.output = bytes;
            return result;
        }
        QSaveFile file(*output);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            result.errors = u"-o: cannot write %1: %2"_s.arg(*output, file.errorString());
            result.exit_status = kWriteError;
        }
    } catch (const UsageError& error) {
        const QString command = kind.isEmpty() ? u"brevik table"_s : u"brevik table "_s + kind;
        result.errors = command + u": "_s + error.text;
        result.exit_status = kUsageError;
    }
    return result;
}

int table_command_main(const QStringList& arguments) {
    const TableCommandResult result = run_table_command(arguments);
    std::fwrite(result.output.constData(), 1, static_cast<std::size_t>(result.output.size()),
                stdout);
    if (!result.errors.isEmpty()) {
        std::fputs((result.errors + u'\n').toLocal8Bit().constData(), stderr);
    }
    return std::fflush(stdout) == 0 ? result.exit_status : kWriteError;
}
