#include "checksum.h"

#include "base/table_rows.h"

#include <array>
#include <cstdint>

namespace {

// A CRC as its catalogue entry gives it. Reflected CRCs shift right through the reversed
// polynomial, so one table shape serves both kinds.
struct CrcModel {
    int width;
    std::uint32_t poly;
    std::uint32_t init;
    bool reflected;
    std::uint32_t xor_out;
};

constexpr std::uint32_t reversed(std::uint32_t value, int width) {
    std::uint32_t result = 0;
    for (int i = 0; i < width; ++i) {
        result = (result << 1) | ((value >> i) & 1U);
    }
    return result;
}

constexpr std::uint32_t top_mask(int width) {
    return width == 32 ? 0xFFFFFFFFU : (1U << width) - 1U;
}

// The register after one byte, worked bit by bit from the polynomial.
template <CrcModel M>
constexpr std::uint32_t crc_of_byte(std::uint32_t byte) {
    if constexpr (M.reflected) {
        const std::uint32_t poly = reversed(M.poly, M.width);
        std::uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1U) ? (crc >> 1) ^ poly : crc >> 1;
        }
        return crc;
    } else {
        const std::uint32_t high = 1U << (M.width - 1);
        std::uint32_t crc = byte << (M.width - 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & high) ? (crc << 1) ^ M.poly : crc << 1;
        }
        return crc & top_mask(M.width);
    }
}

template <CrcModel M>
constexpr std::array<std::uint32_t, 256> crc_table() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        table[byte] = crc_of_byte<M>(byte);
    }
    return table;
}

template <CrcModel M>
std::uint32_t crc(QByteArrayView data) {
    static constexpr std::array<std::uint32_t, 256> kTable = crc_table<M>();
    std::uint32_t value = M.init;
    for (const char c : data) {
        const auto byte = static_cast<std::uint8_t>(c);
        if constexpr (M.reflected) {
            value = (value >> 8) ^ kTable[(value ^ byte) & 0xFFU];
        } else {
            value = ((value << 8) ^ kTable[((value >> (M.width - 8)) ^ byte) & 0xFFU]) &
                    top_mask(M.width);
        }
    }
    return value ^ M.xor_out;
}

constexpr CrcModel kCrc8{8, 0x07, 0x00, false, 0x00};
constexpr CrcModel kCrc16Modbus{16, 0x8005, 0xFFFF, true, 0x0000};
constexpr CrcModel kCrc16CcittFalse{16, 0x1021, 0xFFFF, false, 0x0000};
constexpr CrcModel kCrc32{32, 0x04C11DB7, 0xFFFFFFFF, true, 0xFFFFFFFF};

struct ChecksumEntry {
    Checksum checksum;
    const char16_t* name;
    int size;
    bool low_byte_first;
};

constexpr ChecksumEntry kEntries[] = {
    {Checksum::kNone, u"无", 0, false},
    {Checksum::kSum, u"累加和", 1, false},
    {Checksum::kXor, u"异或", 1, false},
    {Checksum::kCrc8, u"CRC-8", 1, false},
    {Checksum::kCrc16Modbus, u"CRC-16/MODBUS", 2, true},
    {Checksum::kCrc16CcittFalse, u"CRC-16/CCITT-FALSE", 2, false},
    {Checksum::kCrc32, u"CRC-32", 4, true},
};

const ChecksumEntry& entry(Checksum checksum) {
    const ChecksumEntry* found = find_row(kEntries, &ChecksumEntry::checksum, checksum);
    return found ? *found : kEntries[0];
}

}  // namespace

QList<Checksum> all_checksums() {
    const std::vector<Checksum> column = table_column(kEntries, &ChecksumEntry::checksum);
    return QList<Checksum>(column.begin(), column.end());
}

QString checksum_name(Checksum checksum) {
    return QString::fromUtf16(entry(checksum).name);
}

std::optional<Checksum> checksum_from_name(QStringView name) {
    for (const ChecksumEntry& e : kEntries) {
        if (name == QStringView(e.name)) {
            return e.checksum;
        }
    }
    return std::nullopt;
}

int checksum_size(Checksum checksum) {
    return entry(checksum).size;
}

quint32 checksum_value(Checksum checksum, QByteArrayView data) {
    switch (checksum) {
        case Checksum::kSum: {
            std::uint32_t sum = 0;
            for (const char c : data) {
                sum += static_cast<std::uint8_t>(c);
            }
            return sum & 0xFFU;
        }
        case Checksum::kXor: {
            std::uint32_t x = 0;
            for (const char c : data) {
                x ^= static_cast<std::uint8_t>(c);
            }
            return x;
        }
        case Checksum::kCrc8:
            return crc<kCrc8>(data);
        case Checksum::kCrc16Modbus:
            return crc<kCrc16Modbus>(data);
        case Checksum::kCrc16CcittFalse:
            return crc<kCrc16CcittFalse>(data);
        case Checksum::kCrc32:
            return crc<kCrc32>(data);
        default:
            return 0;
    }
}

QByteArray checksum_bytes(Checksum checksum, QByteArrayView data) {
    const ChecksumEntry& e = entry(checksum);
    const quint32 value = checksum_value(checksum, data);
    QByteArray bytes(e.size, Qt::Uninitialized);
    for (int i = 0; i < e.size; ++i) {
        const int shift = 8 * (e.low_byte_first ? i : e.size - 1 - i);
        bytes[i] = static_cast<char>((value >> shift) & 0xFFU);
    }
    return bytes;
}

QByteArray with_checksum(Checksum checksum, QByteArrayView data) {
    return data.toByteArray() + checksum_bytes(checksum, data);
}

bool checksum_matches(Checksum checksum, QByteArrayView line) {
    const qsizetype size = checksum_size(checksum);
    if (line.size() <= size) {
        return false;
    }
    const QByteArrayView data = line.first(line.size() - size);
    return checksum_bytes(checksum, data) == line.last(size);
}

QString checksum_verdict(Checksum checksum, QByteArrayView line) {
    if (checksum == Checksum::kNone) {
        return {};
    }
    return checksum_matches(checksum, line) ? QStringLiteral("校验正确")
                                            : QStringLiteral("校验错误");
}
