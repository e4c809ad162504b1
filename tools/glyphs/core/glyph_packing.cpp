#include "glyph_packing.h"

#include <algorithm>

QStringList scan_mode_names() {
    return {QStringLiteral("逐行"), QStringLiteral("逐列"), QStringLiteral("列行"),
            QStringLiteral("行列")};
}

QStringList bit_order_names() {
    return {QStringLiteral("高位在前"), QStringLiteral("低位在前")};
}

QStringList polarity_names() {
    return {QStringLiteral("阴码"), QStringLiteral("阳码")};
}

const std::vector<DisplayPreset>& display_presets() {
    static const std::vector<DisplayPreset> presets{
        {QStringLiteral("逐行 高位在前"),
         {QStringLiteral("rows")},
         {ScanMode::kRows, BitOrder::kMsbFirst, Polarity::kLitIsOne}},
        {QStringLiteral("SSD1306 / SH1106 / ST7565"),
         {QStringLiteral("ssd1306"), QStringLiteral("sh1106"), QStringLiteral("st7565")},
         {ScanMode::kPages, BitOrder::kLsbFirst, Polarity::kLitIsOne}},
        {QStringLiteral("ST7920 / LCD12864"),
         {QStringLiteral("st7920"), QStringLiteral("lcd12864")},
         {ScanMode::kRows, BitOrder::kMsbFirst, Polarity::kLitIsOne}},
    };
    return presets;
}

std::optional<int> preset_matching(const PackOptions& pack, int preferred) {
    const auto& presets = display_presets();
    if (preferred >= 0 && preferred < static_cast<int>(presets.size()) &&
        presets[preferred].pack == pack) {
        return preferred;
    }
    for (std::size_t i = 0; i < presets.size(); ++i) {
        if (presets[i].pack == pack) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

namespace {

int whole_bytes(int pixels) {
    return (pixels + 7) / 8;
}

// Every layout is a walk over bytes of 8 pixels: `outer` lines of `inner` bytes each; x and y
// place pixel `bit` of byte i of line o in the cell.
struct Walk {
    int outer;
    int inner;
    int x(int o, int i, int bit) const;
    int y(int o, int i, int bit) const;
    ScanMode scan;
};

int Walk::x(int o, int i, int bit) const {
    switch (scan) {
        case ScanMode::kRows:
            return i * 8 + bit;
        case ScanMode::kColumns:
            return o;
        case ScanMode::kPages:
            return i;
        case ScanMode::kBlocks:
            return o * 8 + bit;
    }
    return 0;
}

int Walk::y(int o, int i, int bit) const {
    switch (scan) {
        case ScanMode::kRows:
            return o;
        case ScanMode::kColumns:
            return i * 8 + bit;
        case ScanMode::kPages:
            return o * 8 + bit;
        case ScanMode::kBlocks:
            return i;
    }
    return 0;
}

Walk walk(int width, int height, ScanMode scan) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    switch (scan) {
        case ScanMode::kRows:
            return {height, whole_bytes(width), scan};
        case ScanMode::kColumns:
            return {width, whole_bytes(height), scan};
        case ScanMode::kPages:
            return {whole_bytes(height), width, scan};
        case ScanMode::kBlocks:
            return {whole_bytes(width), height, scan};
    }
    return {0, 0, scan};
}

}  // namespace

std::size_t packed_size(int width, int height, ScanMode scan) {
    const Walk w = walk(width, height, scan);
    return static_cast<std::size_t>(w.outer) * static_cast<std::size_t>(w.inner);
}

std::vector<std::uint8_t> pack_glyph(const BitMatrix& bits, const PackOptions& options) {
    const Walk w = walk(bits.width(), bits.height(), options.scan);
    const std::uint8_t flip = options.polarity == Polarity::kLitIsZero ? 0xFF : 0x00;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(packed_size(bits.width(), bits.height(), options.scan));
    for (int o = 0; o < w.outer; ++o) {
        for (int i = 0; i < w.inner; ++i) {
            std::uint8_t byte = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (bits.lit(w.x(o, i, bit), w.y(o, i, bit))) {
                    byte |= options.order == BitOrder::kMsbFirst ? 0x80 >> bit : 1 << bit;
                }
            }
            bytes.push_back(byte ^ flip);
        }
    }
    return bytes;
}
