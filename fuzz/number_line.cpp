// The text lines of 波形 on any bytes, cut in two at a place the first byte chooses: the records
// are those of the bytes read whole, every value is finite, and every channel has a name that
// holds no separator or line end.

#include "fuzz/fuzz_check.h"
#include "tools/serial/core/number_line_parser.h"

#include <cmath>
#include <cstdint>

namespace {

std::vector<NamedValues> read(QByteArrayView bytes, qsizetype cut, bool binary) {
    NumberLineParser parser;
    parser.set_binary_frames(binary);
    std::vector<NamedValues> records = parser.push(bytes.first(cut));
    for (NamedValues& record : parser.push(bytes.sliced(cut))) {
        records.push_back(std::move(record));
    }
    return records;
}

bool same(const std::vector<NamedValues>& a, const std::vector<NamedValues>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size()) {
            return false;
        }
        for (std::size_t j = 0; j < a[i].size(); ++j) {
            if (a[i][j].name != b[i][j].name || a[i][j].value != b[i][j].value) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const qsizetype cut = data[0] % (bytes.size() + 1);
    const std::vector<NamedValues> records = read(bytes, 0, false);
    FUZZ_REQUIRE(same(records, read(bytes, cut, false)));
    for (const NamedValues& record : records) {
        FUZZ_REQUIRE(!record.empty());
        for (const NamedValue& named : record) {
            FUZZ_REQUIRE(std::isfinite(named.value));
            FUZZ_REQUIRE(!named.name.isEmpty());
            for (const QChar c : named.name) {
                FUZZ_REQUIRE(c != u',' && c != u';' && c != u' ' && c != u'\t' && c != u'\r' &&
                             c != u'\n');
            }
        }
    }
    return 0;
}
