#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The checks a frame can carry after its bytes (校验和). Not 校验, which names the parity.
enum class Checksum {
    kNone,             // 无
    kSum,              // 累加和: the sum of the bytes, its low byte
    kXor,              // 异或: the bytes XORed together
    kCrc8,             // poly 0x07, init 0
    kCrc16Modbus,      // poly 0x8005 reflected, init 0xFFFF, sent low byte first
    kCrc16CcittFalse,  // poly 0x1021, init 0xFFFF, sent high byte first
    kCrc32,            // as zlib's crc32, sent low byte first
};

// Every checksum, in the order the 校验和 choice lists them.
QList<Checksum> all_checksums();

// The name the 校验和 choice shows: 无, 累加和, 异或, CRC-8, CRC-16/MODBUS, ...
QString checksum_name(Checksum checksum);
std::optional<Checksum> checksum_from_name(QStringView name);

// How many bytes the check takes on the line.
int checksum_size(Checksum checksum);

// The check of `data` as a number (0 for 无).
quint32 checksum_value(Checksum checksum, QByteArrayView data);

// The check of `data` as it goes on the line, in the checksum's byte order.
QByteArray checksum_bytes(Checksum checksum, QByteArrayView data);

// What is sent: `data` followed by its check.
QByteArray with_checksum(Checksum checksum, QByteArrayView data);

// Whether the last bytes of a received line are the check of the bytes before them. A line no
// longer than its check holds no checked data and is not right.
bool checksum_matches(Checksum checksum, QByteArrayView line);

// The verdict 核对接收校验和 puts beside a received hex line: 校验正确 or 校验错误; empty for 无.
QString checksum_verdict(Checksum checksum, QByteArrayView line);
