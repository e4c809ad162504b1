// The text lines of 波形 on any bytes, cut in two at a place the first byte chooses: the records
// are those of the bytes read whole, every value is finite, and every channel has a name that
// holds no separator or line end.

#include "fuzz/fuzz_check.h"
#include "fuzz/number_line_input.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<CutInput> input = cut_input(data, size);
    if (!input) {
        return 0;
    }
    const std::vector<NamedValues> records = read_in_two(input->bytes, 0, false);
    FUZZ_REQUIRE(same_records(records, read_in_two(input->bytes, input->cut, false)));
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
