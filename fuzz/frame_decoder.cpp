// The tachometer's frame decoder and byte log on any byte stream, fed in pieces of any size and
// stopped once in the middle: the frames are exactly those that a plain reading of the stream
// finds (a 0x55 and the four bytes after it, other bytes dropped, a stop dropping a partial
// frame), and the log holds exactly the bytes of those frames, whole or in any part. The input:
// a piece length, where the stop falls, then the stream.

#include "tools/tacho/core/frame_decoder.h"
#include "fuzz/fuzz_check.h"
#include "tools/tacho/core/byte_log.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The frames of `stream` as a reader with the stream in front of it would mark them.
void frames_of(const std::uint8_t* stream, std::size_t size, Bytes& frames) {
    for (std::size_t i = 0; i < size;) {
        if (stream[i] == Frame::kStart && size - i >= Frame::kSize) {
            frames.insert(frames.end(), stream + i, stream + i + Frame::kSize);
            i += Frame::kSize;
        } else {
            ++i;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t piece = data[0] % 16 + 1;
    const std::uint8_t* stream = data + 2;
    const std::size_t length = size - 2;
    const std::size_t stop = length == 0 ? 0 : data[1] % (length + 1);

    Bytes expected;
    frames_of(stream, stop, expected);
    frames_of(stream + stop, length - stop, expected);

    FrameDecoder decoder;
    ByteLog log;
    Bytes found;
    for (std::size_t start = 0; start < length;) {
        std::size_t end = std::min(length, start + piece);
        if (start < stop && stop < end) {
            end = stop;  // the bytes before the stop arrive apart from those after it
        }
        if (start == stop) {
            decoder.reset();
        }
        for (std::size_t i = start; i < end; ++i) {
            if (const auto frame = decoder.push(stream[i])) {
                found.insert(found.end(), frame->bytes.begin(), frame->bytes.end());
                log.append(frame->bytes.data(), frame->bytes.size());
            }
        }
        start = end;
    }
    FUZZ_REQUIRE(found == expected);

    FUZZ_REQUIRE(log.size() == found.size());
    QString text;
    for (std::size_t i = 0; i < found.size(); ++i) {
        FUZZ_REQUIRE(log.at(i) == found[i]);
        text += QString::number(found[i]) + QStringLiteral("\r\n");
    }
    FUZZ_REQUIRE(log.text() == text);
    const qint64 from = length ? stream[0] * 7 % (text.size() + 1) : 0;
    const qint64 to = from + (length > 1 ? stream[1] : 0);
    FUZZ_REQUIRE(log.text(from, to) == text.mid(from, to - from));
    return 0;
}
