// The text lines of 波形 on any bytes, cut in two at a place the first byte chooses: the records
// are those of the bytes read whole, every value is finite, and every channel has a name that
// holds no separator or line end.

#include "fuzz/fuzz_check.h"
#include "fuzz/number_line_input.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<ReadInput> input = read_whole_and_cut(data, size, false);
    if (!input) {
        return 0;
    }
    for (const NamedValues& record : input->records) {
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
