#include "tests/support/qt_printers.h"
#include "tools/glyphs/core/glyphs_settings.h"
#include "tools/ir/core/ir_settings.h"
#include "tools/serial/core/saved_command_list.h"
#include "tools/serial/core/terminal_settings.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>
#include <variant>

using namespace Qt::StringLiterals;

// A row names only the values it changes; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using Serial = TerminalSettings;
using Commands = SavedCommandList;
using Glyphs = GlyphsSettings;
using Ir = IrSettings;
using AnySettings = std::variant<Serial, Commands, Glyphs, Ir>;

// Every tool's settings with every value away from its default.
const std::tuple<Serial, Commands, Glyphs, Ir> kSamples{
    Serial{u"/dev/ttyUSB0"_s, SerialLine{921600, 'E', 7, 3, SerialFlow::kHardware}, u"UTF-8"_s,
           true, true, true, LineEnd::kCrLf, 250, true, false, false, true, Checksum::kCrc16Modbus,
           true, PlotChoices{true, PlotAxis::kIndex}},
    Commands{.commands = {{u"读寄存器"_s, u"01 03 00 00 00 0A"_s, true, LineEnd::kNone,
                           Checksum::kCrc16Modbus, true, 250},
                          {u"AT 版本"_s, u"AT+GMR"_s, false, LineEnd::kCrLf, Checksum::kCrc32,
                           false, 60000}},
             .panel_shown = true},
    Glyphs{u"中 A, \"b\""_s, u"Noto Sans CJK SC"_s, true, 24, 0, -3, 128, true, 0, true, 1,
           PackOptions{ScanMode::kBlocks, BitOrder::kLsbFirst, Polarity::kLitIsZero},
           TextDialect::kPic, true, u"_big"_s},
    Ir{u"/dev/lirc1"_s, ExportFormat::kKeymap, u"/home/me"_s},
};

// One stored value, as an ini file gives it back, and what the loaded settings hold: a good value
// (at the edge of its range, or a flag that is the only one away from its default) is taken, any
// other the default.
const std::tuple<const char*, QVariant, AnySettings> kRows[] = {
    {"serial/port", QByteArray("ttyS9"), Serial{}},
    {"serial/baud", 0, Serial{}},
    {"serial/baud", 2000000000, Serial{}},
    {"serial/data_bits", 9, Serial{}},
    {"serial/data_bits", 4, Serial{}},
    {"serial/data_bits", 5, Serial{.line = {115200, 'N', 5}}},
    {"serial/parity", u"X"_s, Serial{}},
    {"serial/parity", u""_s, Serial{}},
    {"serial/parity", QByteArray("E"), Serial{}},
    {"serial/parity", u"M"_s, Serial{.line = {115200, 'M'}}},
    {"serial/stop_bits", 0, Serial{}},
    {"serial/stop_bits", 4, Serial{}},
    {"serial/flow", 3, Serial{}},
    {"serial/flow", 2, Serial{.line = {115200, 'N', 8, 1, SerialFlow::kSoftware}}},
    {"serial/encoding", u"Big5"_s, Serial{}},
    {"serial/encoding", QByteArray("UTF-8"), Serial{}},
    {"serial/hex_view", u"maybe"_s, Serial{}},
    {"serial/hex_view", true, Serial{.hex_view = true}},
    {"serial/timestamps", 7, Serial{}},
    {"serial/timestamps", true, Serial{.timestamps = true}},
    {"serial/hex_send", u"yes"_s, Serial{}},
    {"serial/hex_send", true, Serial{.hex_send = true}},
    {"serial/line_end", 4, Serial{}},
    {"serial/interval_ms", 9, Serial{}},
    {"serial/interval_ms", 60001, Serial{}},
    {"serial/interval_ms", 10, Serial{.interval_ms = 10}},
    {"serial/auto_reconnect", 1, Serial{}},
    {"serial/auto_reconnect", true, Serial{.auto_reconnect = true}},
    {"serial/dtr", 0, Serial{}},
    {"serial/dtr", false, Serial{.dtr = false}},
    {"serial/rts", u""_s, Serial{}},
    {"serial/rts", false, Serial{.rts = false}},
    {"serial/wrap", u"on"_s, Serial{}},
    {"serial/wrap", true, Serial{.wrap = true}},
    {"serial/checksum", u"CRC-99"_s, Serial{}},
    {"serial/checksum", QByteArray("CRC-32"), Serial{}},
    {"serial/check_received", u"x"_s, Serial{}},
    {"serial/plot_binary_frames", 2, Serial{}},
    {"serial/plot_binary_frames", true, Serial{.plot = {.binary_frames = true}}},
    {"serial/plot_axis", 2, Serial{}},
    {"serial/plot_axis", -1, Serial{}},
    // The list's count always names 3 rows, of which one at most is there; the values of a row
    // are checked as an imported file's are (tests/serial), so one bad value stands for them.
    {"serial_commands/shown", u"maybe"_s, Commands{}},
    {"serial_commands/commands/1/line_end", u"CRLF"_s, Commands{.commands = {SavedCommand{}}}},
    {"glyphs/text", QStringList{u"a"_s, u"b"_s}, Glyphs{}},
    {"glyphs/font", QByteArray("Unifont"), Glyphs{}},
    {"glyphs/bold", u"maybe"_s, Glyphs{}},
    {"glyphs/bold", true, Glyphs{.bold = true}},
    {"glyphs/width", 129, Glyphs{}},
    {"glyphs/width", -1, Glyphs{}},
    {"glyphs/width", 0, Glyphs{.width = 0}},
    {"glyphs/height", u"12px"_s, Glyphs{}},
    {"glyphs/height", 128, Glyphs{.height = 128}},
    {"glyphs/shift_x", -129, Glyphs{}},
    {"glyphs/shift_x", -128, Glyphs{.shift_x = -128}},
    {"glyphs/shift_y", 1000, Glyphs{}},
    {"glyphs/shift_y", -129, Glyphs{}},
    {"glyphs/scale", 7, Glyphs{}},
    {"glyphs/scale", true, Glyphs{.scale = true}},
    {"glyphs/threshold", 256, Glyphs{}},
    {"glyphs/threshold", -1, Glyphs{}},
    {"glyphs/threshold", 255, Glyphs{.threshold = 255}},
    {"glyphs/invert", u"1"_s, Glyphs{}},
    {"glyphs/invert", true, Glyphs{.invert = true}},
    {"glyphs/preset", 4, Glyphs{}},
    {"glyphs/preset", 3, Glyphs{.preset = 3}},
    {"glyphs/scan", 4, Glyphs{}},
    {"glyphs/order", 2, Glyphs{}},
    {"glyphs/negative", u"yes"_s, Glyphs{}},
    {"glyphs/negative", true, Glyphs{.pack = {.polarity = Polarity::kLitIsZero}}},
    {"glyphs/dialect", 4, Glyphs{}},
    {"glyphs/dialect", 3, Glyphs{.dialect = TextDialect::kHex}},
    {"glyphs/per_glyph", u"maybe"_s, Glyphs{}},
    {"glyphs/array_name", u"16font"_s, Glyphs{}},
    {"glyphs/array_name", u"static"_s, Glyphs{}},
    {"ir/device", u"  "_s, Ir{}},
    {"ir/device", QByteArray("/dev/lirc2"), Ir{}},
    {"ir/format", u"toml"_s, Ir{}},
    {"ir/format", QByteArray("keymap"), Ir{}},
    {"ir/folder", QByteArray("/tmp"), Ir{}},
};

// The settings saved to an ini file and loaded from it, as the next run loads them.
template <typename Settings>
Settings through_file(const Settings& settings, const QString& path) {
    {
        QSettings file(path, QSettings::IniFormat);
        file.clear();
        settings.save(file);
    }
    QSettings file(path, QSettings::IniFormat);
    Settings loaded;
    loaded.load(file);
    return loaded;
}

// Each row's value is read from a file that holds it alone, over the sample so that a value
// load leaves alone shows; then every sample saved comes back.
TEST(Settings, EveryStoredValueIsCheckedAndWhatIsSavedComesBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"stored.ini"_s);
    for (const auto& [key, stored, settings] : kRows) {
        SCOPED_TRACE(testing::Message() << key << " = " << stored.toString().toStdString());
        {
            QSettings file(path, QSettings::IniFormat);
            file.clear();
            file.setValue(u"serial_commands/commands/size"_s, 3);
            file.setValue(QString::fromLatin1(key), stored);
        }
        QSettings file(path, QSettings::IniFormat);
        std::visit(
            [&](const auto& expected) {
                auto loaded = std::get<std::decay_t<decltype(expected)>>(kSamples);
                loaded.load(file);
                EXPECT_EQ(loaded, expected);
                // Saved, each value comes back under its own key (the samples share many values).
                EXPECT_EQ(through_file(loaded, dir.filePath(u"again.ini"_s)), loaded);
            },
            settings);
    }
    const auto loaded = std::apply(
        [&](const auto&... sample) { return std::tuple(through_file(sample, path)...); }, kSamples);
    EXPECT_EQ(loaded, kSamples);
    // A list longer than the panel keeps comes back cut to its length.
    const Commands many{.commands = QList<SavedCommand>(Commands::kMaxCommands + 1)};
    EXPECT_EQ(through_file(many, path).commands.size(), Commands::kMaxCommands);
}

}  // namespace
