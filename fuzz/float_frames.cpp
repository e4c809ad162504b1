// The binary float frames of 二进制浮点帧 on any bytes, cut in two at a place the first byte
// chooses: the records are those of the bytes read whole; each holds at most 64 finite values
// named by their place, "1" to "64", in rising order; and no more records come than tails in
// the bytes.

#include "fuzz/fuzz_check.h"
#include "fuzz/number_line_input.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<ReadInput> input = read_whole_and_cut(data, size, true);
    if (!input) {
        return 0;
    }
    FUZZ_REQUIRE(qsizetype(input->records.size()) <=
                 input->bytes.count(QByteArrayView(NumberLineParser::kTail, 4)));
    for (const NamedValues& record : input->records) {
        FUZZ_REQUIRE(!record.empty() && record.size() <= NumberLineParser::kMostFloats);
        int place = 0;
        for (const NamedValue& named : record) {
            bool ok = false;
            const int number = named.name.toInt(&ok);
            FUZZ_REQUIRE(ok && number > place && number <= NumberLineParser::kMostFloats);
            place = number;
            FUZZ_REQUIRE(std::isfinite(named.value));
        }
    }
    return 0;
}
