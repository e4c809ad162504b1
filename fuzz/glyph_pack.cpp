// The byte packing of glyphs on any cell and any pixels. Every pixel is found again at the byte
// and bit its layout gives it, padding bits read as unlit pixels, and 阳码 is the exact
// complement of 阴码. The input: width, height, options, then the pixels row by row, 8 a byte.

#include "fuzz/fuzz_check.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/core/glyph_text.h"

#include <cstddef>
#include <cstdint>

namespace {

// Where a pixel lands: its byte and its place counted from the byte's first pixel.
struct Place {
    std::size_t byte;
    int step;
};

Place place(int x, int y, int width, int height, ScanMode scan) {
    const std::size_t row_bytes = (static_cast<std::size_t>(width) + 7) / 8;
    const std::size_t column_bytes = (static_cast<std::size_t>(height) + 7) / 8;
    switch (scan) {
        case ScanMode::kRows:
            return {y * row_bytes + x / 8, x % 8};
        case ScanMode::kColumns:
            return {x * column_bytes + y / 8, y % 8};
        case ScanMode::kPages:
            return {(y / 8) * static_cast<std::size_t>(width) + x, y % 8};
        case ScanMode::kBlocks:
            return {(x / 8) * static_cast<std::size_t>(height) + y, x % 8};
    }
    return {0, 0};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const int width = data[0] % 130;
    const int height = data[1] % 130;
    const ScanMode scan = static_cast<ScanMode>(data[2] & 3);
    const BitOrder order = static_cast<BitOrder>((data[2] >> 2) & 1);
    BitMatrix bits(width, height);
    std::size_t next = 3 * 8;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, ++next) {
            const bool lit = next / 8 < size && (data[next / 8] >> (next % 8)) & 1;
            bits.set(x, y, lit);
        }
    }

    const auto positive = pack_glyph(bits, {scan, order, Polarity::kLitIsOne});
    const auto negative = pack_glyph(bits, {scan, order, Polarity::kLitIsZero});
    FUZZ_REQUIRE(positive.size() == packed_size(width, height, scan));
    FUZZ_REQUIRE(negative.size() == positive.size());
    std::size_t lit_bits = 0;
    for (std::size_t i = 0; i < positive.size(); ++i) {
        FUZZ_REQUIRE((positive[i] ^ negative[i]) == 0xFF);
        lit_bits += static_cast<std::size_t>(__builtin_popcount(positive[i]));
    }
    std::size_t lit_pixels = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Place p = place(x, y, width, height, scan);
            const int bit = order == BitOrder::kMsbFirst ? 7 - p.step : p.step;
            FUZZ_REQUIRE(p.byte < positive.size());
            FUZZ_REQUIRE(((positive[p.byte] >> bit) & 1) == (bits.lit(x, y) ? 1 : 0));
            lit_pixels += bits.lit(x, y) ? 1 : 0;
        }
    }
    // No bit is lit but a pixel's: the padding stays dark.
    FUZZ_REQUIRE(lit_bits == lit_pixels);

    const QString table =
        glyph_table({{QStringLiteral("x"), bits}}, {QString(), width, height}, {scan, order},
                    {static_cast<TextDialect>((data[2] >> 3) & 3), ((data[2] >> 5) & 1) != 0});
    FUZZ_REQUIRE(!table.isEmpty());
    return 0;
}
