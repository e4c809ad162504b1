// The bar graph's limit review on any two typed limits: every failure resets a limit to "100"
// or "0", the limits it leaves are numeric and in order, and the scale is theirs; for any speed
// 0 to 22 segments light, none at or below the lower limit, never fewer at a higher speed. The
// input: a 32-bit speed, then the upper and the lower limit in UTF-8, parted by a zero byte.

#include "tools/tacho/core/bar_graph.h"
#include "base/number_text.h"
#include "fuzz/fuzz_check.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int32_t rpm = 0;
    const std::size_t rpm_bytes = std::min(size, sizeof rpm);
    std::memcpy(&rpm, data, rpm_bytes);
    const QByteArray limits(reinterpret_cast<const char*>(data + rpm_bytes),
                            static_cast<qsizetype>(size - rpm_bytes));
    const qsizetype zero = limits.indexOf('\0');
    const QString upper = QString::fromUtf8(zero < 0 ? limits : limits.left(zero));
    const QString lower = zero < 0 ? QString() : QString::fromUtf8(limits.mid(zero + 1));

    const LimitReview review = review_limits(upper, lower);
    QString up = upper;
    QString low = lower;
    FUZZ_REQUIRE(review.failures.size() <= 3);
    for (const LimitFailure& failure : review.failures) {
        FUZZ_REQUIRE(failure.upper || failure.lower);
        FUZZ_REQUIRE(!failure.upper || *failure.upper == QStringLiteral("100"));
        FUZZ_REQUIRE(!failure.lower || *failure.lower == QStringLiteral("0"));
        up = failure.upper.value_or(up);
        low = failure.lower.value_or(low);
    }
    FUZZ_REQUIRE(is_numeric(up) && is_numeric(low));
    const double high_value = text_to_number(up);
    const double low_value = text_to_number(low);
    FUZZ_REQUIRE(high_value >= low_value);
    const auto step = round_to_int32((high_value - low_value) / kBarSegments);
    FUZZ_REQUIRE(step && review.scale.step == *step && review.scale.lower == low_value);

    const int lit = lit_segments(rpm, review.scale);
    FUZZ_REQUIRE(lit >= 0 && lit <= kBarSegments);
    FUZZ_REQUIRE(rpm > low_value || lit == 0);
    if (rpm < std::numeric_limits<std::int32_t>::max()) {
        FUZZ_REQUIRE(lit_segments(rpm + 1, review.scale) >= lit);
    }
    return 0;
}
