// The seven-segment bit checks on any eight bit values. A value's weight is 1 << n when it rounds
// (halves to even) to n of 0 to 7, else 0; check_bits fails exactly when two values are equal;
// and whatever the lettering clicked, every code of the table is a byte. The input: eight
// doubles, then one byte per click on a position.

#include "fuzz/fuzz_check.h"
#include "tools/segment/core/segment_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BitValues values{};
    const std::size_t value_bytes = std::min(size, sizeof values);
    std::memcpy(values.data(), data, value_bytes);

    for (double value : values) {
        // nearbyint rounds halves to even in the default rounding mode.
        const double rounded = std::nearbyint(value);
        const int expected = rounded >= 0 && rounded <= 7 ? 1 << static_cast<int>(rounded) : 0;
        FUZZ_REQUIRE(bit_weight(value) == expected);
    }
    const bool any_equal = std::any_of(values.begin(), values.end(), [&](double value) {
        return std::count(values.begin(), values.end(), value) > 1;
    });
    FUZZ_REQUIRE(check_bits(values) == !any_equal);

    SegmentModel model(values);
    for (std::size_t i = value_bytes; i < size; ++i) {
        if (data[i] == 0xFF) {
            model.toggle_display_type();
        } else {
            model.click_position(static_cast<Position>(data[i] % kPositionCount));
        }
    }
    for (int code : model.build_codes()) {
        FUZZ_REQUIRE(code >= 0 && code <= 255);
    }
    return 0;
}
