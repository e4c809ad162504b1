// The binary float frames of 二进制浮点帧 on any bytes, cut in two at a place the first byte
// chooses: the records are those of the bytes read whole; each holds at most 64 finite values
// named by their place, "1" to "64", in rising order; and no more records come than tails in
// the bytes.

#include "fuzz/fuzz_check.h"
#include "tools/serial/core/number_line_parser.h"

#include <cmath>
#include <cstdint>

namespace {

std::vector<NamedValues> read(QByteArrayView bytes, qsizetype cut) {
    NumberLineParser parser;
    parser.set_binary_frames(true);
    std::vector<NamedValues> records = parser.push(bytes.first(cut));
    for (NamedValues& record : parser.push(bytes.sliced(cut))) {
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const qsizetype cut = data[0] % (bytes.size() + 1);
    const std::vector<NamedValues> records = read(bytes, 0);
    const std::vector<NamedValues> split = read(bytes, cut);
    FUZZ_REQUIRE(records.size() == split.size());
    FUZZ_REQUIRE(qsizetype(records.size()) <=
                 bytes.count(QByteArrayView(NumberLineParser::kTail, 4)));
    for (std::size_t i = 0; i < records.size(); ++i) {
        FUZZ_REQUIRE(!records[i].empty() && records[i].size() <= NumberLineParser::kMostFloats);
        FUZZ_REQUIRE(records[i].size() == split[i].size());
        int place = 0;
        for (std::size_t j = 0; j < records[i].size(); ++j) {
            const NamedValue& named = records[i][j];
            bool ok = false;
            const int number = named.name.toInt(&ok);
            FUZZ_REQUIRE(ok && number > place && number <= NumberLineParser::kMostFloats);
            place = number;
            FUZZ_REQUIRE(std::isfinite(named.value));
            FUZZ_REQUIRE(named.name == split[i][j].name && named.value == split[i][j].value);
        }
    }
    return 0;
}
