#pragma once

// What the fuzz targets of the number-line parser share: the input cut in two at a place its
// first byte chooses, and the property that the records read from the two pieces are those of
// the bytes read whole.

#include "fuzz/fuzz_check.h"
#include "tools/serial/core/number_line_parser.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// The bytes after the first, and where to cut them: at most their size, as the first byte says.
struct CutInput {
    QByteArrayView bytes;
    qsizetype cut;
};

// Nothing for an empty input, which has no first byte to choose with.
inline std::optional<CutInput> cut_input(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return std::nullopt;
    }
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    return CutInput{bytes, data[0] % (bytes.size() + 1)};
}

// The records a parser reads when the bytes arrive in two pieces, cut at `cut`.
inline std::vector<NamedValues> read_in_two(QByteArrayView bytes, qsizetype cut, bool binary) {
    NumberLineParser parser;
    parser.set_binary_frames(binary);
    std::vector<NamedValues> records = parser.push(bytes.first(cut));
    for (NamedValues& record : parser.push(bytes.sliced(cut))) {
        records.push_back(std::move(record));
    }
    return records;
}

// The same records: as many, each with the same names and values in the same order.
inline bool same_records(const std::vector<NamedValues>& a, const std::vector<NamedValues>& b) {
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

// The bytes after the first and the records read from them whole, once the records read from
// the two pieces proved the same; nothing for an empty input.
struct ReadInput {
    QByteArrayView bytes;
    std::vector<NamedValues> records;
};

inline std::optional<ReadInput> read_whole_and_cut(const std::uint8_t* data, std::size_t size,
                                                   bool binary) {
    const std::optional<CutInput> input = cut_input(data, size);
    if (!input) {
        return std::nullopt;
    }
    std::vector<NamedValues> records = read_in_two(input->bytes, 0, binary);
    FUZZ_REQUIRE(same_records(records, read_in_two(input->bytes, input->cut, binary)));
    return ReadInput{input->bytes, std::move(records)};
}
