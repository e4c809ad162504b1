#pragma once

#include "bit_matrix.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// How a glyph's pixels become bytes, as the firmware of a display reads them.

enum class ScanMode {
    kRows,     // 逐行: row by row, left to right, 8 pixels a byte, each row padded to whole bytes
    kColumns,  // 逐列: column by column, top to bottom, each column padded to whole bytes
    kPages,    // 列行: pages of 8 rows, one byte per column
    kBlocks,   // 行列: blocks of 8 columns, one byte per row
};

enum class BitOrder {
    kMsbFirst,  // 高位在前: the first pixel of a byte in bit 7
    kLsbFirst,  // 低位在前: the first pixel of a byte in bit 0
};

enum class Polarity {
    kLitIsOne,   // 阴码
    kLitIsZero,  // 阳码
};

struct PackOptions {
    ScanMode scan = ScanMode::kRows;
    BitOrder order = BitOrder::kMsbFirst;
    Polarity polarity = Polarity::kLitIsOne;
    bool operator==(const PackOptions&) const = default;
};

// The names the window shows, in the order of the enumerations.
QStringList scan_mode_names();  // "逐行", "逐列", "列行", "行列"
QStringList bit_order_names();  // "高位在前", "低位在前"
QStringList polarity_names();   // "阴码", "阳码"

// A display controller's way of reading its memory, for the 预设 list and --preset.
struct DisplayPreset {
    QString name;               // as the 预设 list shows it
    QStringList command_names;  // what --preset takes for it
    PackOptions pack;
};

// "逐行 高位在前" (the plain default), "SSD1306 / SH1106 / ST7565" (pages of eight rows, the top
// pixel in bit 0), "ST7920 / LCD12864" (the graphic memory in row mode, the left pixel in bit 7).
const std::vector<DisplayPreset>& display_presets();

// The index of the preset whose options are `pack`: `preferred` when that one's are, else the
// first that matches (two presets may share their options); nothing when none does.
std::optional<int> preset_matching(const PackOptions& pack, int preferred);

// The bytes of one glyph. Padding pixels past the cell's edge are unlit, so under 阳码 they
// read as 1 like every other unlit pixel.
std::vector<std::uint8_t> pack_glyph(const BitMatrix& bits, const PackOptions& options);

// How many bytes pack_glyph gives for a cell; the same in every bit order and polarity.
std::size_t packed_size(int width, int height, ScanMode scan);
