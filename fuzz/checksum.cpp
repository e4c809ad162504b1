// The checksums on any bytes. Each CRC, worked from its table, equals the same CRC worked bit by
// bit straight from its definition; every check appended to the bytes is found right, and found
// wrong once any one bit of the line is turned.

#include "tools/serial/core/checksum.h"
#include "fuzz/fuzz_check.h"

#include <cstdint>

namespace {

struct Definition {
    Checksum checksum;
    int width;
    std::uint32_t poly;
    std::uint32_t init;
    bool reflected;
    std::uint32_t xor_out;
};

const Definition kDefinitions[] = {
    {Checksum::kCrc8, 8, 0x07, 0x00, false, 0x00},
    {Checksum::kCrc16Modbus, 16, 0x8005, 0xFFFF, true, 0x0000},
    {Checksum::kCrc16CcittFalse, 16, 0x1021, 0xFFFF, false, 0x0000},
    {Checksum::kCrc32, 32, 0x04C11DB7, 0xFFFFFFFF, true, 0xFFFFFFFF},
};

std::uint32_t reflect(std::uint32_t value, int width) {
    std::uint32_t result = 0;
    for (int i = 0; i < width; ++i) {
        if (value & (1U << i)) {
            result |= 1U << (width - 1 - i);
        }
    }
    return result;
}

// One bit at a time, most significant first, reflecting input and output where the CRC does.
std::uint32_t bitwise(const Definition& d, const QByteArray& bytes) {
    const std::uint64_t top = std::uint64_t{1} << (d.width - 1);
    const std::uint64_t mask = (std::uint64_t{1} << d.width) - 1;
    std::uint64_t crc = d.init;
    for (const char c : bytes) {
        std::uint32_t byte = static_cast<std::uint8_t>(c);
        if (d.reflected) {
            byte = reflect(byte, 8);
        }
        for (int bit = 7; bit >= 0; --bit) {
            const bool in = (byte >> bit) & 1U;
            const bool out = (crc & top) != 0;
            crc = (crc << 1) & mask;
            if (in != out) {
                crc ^= d.poly;
            }
        }
    }
    const auto value = static_cast<std::uint32_t>(crc);
    return (d.reflected ? reflect(value, d.width) : value) ^ d.xor_out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const Definition& d : kDefinitions) {
        FUZZ_REQUIRE(checksum_value(d.checksum, bytes) == bitwise(d, bytes));
    }
    if (bytes.isEmpty()) {
        return 0;
    }
    for (const Checksum checksum : all_checksums()) {
        if (checksum == Checksum::kNone) {
            continue;
        }
        QByteArray line = with_checksum(checksum, bytes);
        FUZZ_REQUIRE(line.size() == bytes.size() + checksum_size(checksum));
        FUZZ_REQUIRE(checksum_matches(checksum, line));
        // Every checksum here catches a single turned bit, in the data or in the check.
        const qsizetype at = static_cast<std::uint8_t>(bytes[0]) % line.size();
        line[at] = static_cast<char>(line[at] ^ (1 << (bytes.size() % 8)));
        FUZZ_REQUIRE(!checksum_matches(checksum, line));
    }
    return 0;
}
