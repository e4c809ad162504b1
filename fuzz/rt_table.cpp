// The reader of a thermistor's R–T table on any bytes. A table it takes has at least two points,
// temperatures rising above absolute zero and resistances above 0 Ω; a refused one names a line
// of the text (or 0). Between two points the resistance lies between theirs, at a point it is
// the point's own, and outside the table there is none.

#include "tools/sensor/core/rt_table.h"
#include "base/text_file.h"
#include "fuzz/fuzz_check.h"
#include "tools/sensor/core/thermistor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = decode_text(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const auto read = read_rt_table(text);
    if (const auto* error = std::get_if<RtTableError>(&read)) {
        FUZZ_REQUIRE(error->line >= 0 && error->line <= text.count(u'\n') + text.count(u'\r') + 1);
        FUZZ_REQUIRE(!error->reason.isEmpty());
        return 0;
    }
    const auto& points = std::get<std::vector<RtPoint>>(read);
    FUZZ_REQUIRE(points.size() >= 2);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const RtPoint& point = points[i];
        FUZZ_REQUIRE(point.celsius > -kZeroCelsiusKelvin && std::isfinite(point.celsius));
        FUZZ_REQUIRE(point.ohms > 0 && std::isfinite(point.ohms));
        FUZZ_REQUIRE(rt_table_ohms(points, point.celsius) == point.ohms);
        if (i == 0) {
            continue;
        }
        const RtPoint& before = points[i - 1];
        FUZZ_REQUIRE(point.celsius > before.celsius);
        const double middle = before.celsius + (point.celsius - before.celsius) / 2;
        const auto ohms = rt_table_ohms(points, middle);
        FUZZ_REQUIRE(ohms.has_value());
        // A hair of slack for the rounding of exp and log.
        const double low = std::min(before.ohms, point.ohms) * (1 - 1e-12);
        const double high = std::max(before.ohms, point.ohms) * (1 + 1e-12);
        FUZZ_REQUIRE(*ohms >= low && *ohms <= high);
    }
    FUZZ_REQUIRE(!rt_table_ohms(points, std::nextafter(points.front().celsius, -INFINITY)));
    FUZZ_REQUIRE(!rt_table_ohms(points, std::nextafter(points.back().celsius, INFINITY)));
    return 0;
}
