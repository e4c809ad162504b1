// The recorded-file reader and the decoders on any text: no crash, no undefined behaviour, and
// every frame's code is one its protocol forms.
#include "fuzz_check.h"
#include "tools/ir/core/ir_encoder.h"
#include "tools/ir/core/ir_frame_splitter.h"
#include "tools/ir/core/timing_file.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TimingFile file = parse_timing_text(text);
    if (file.error) {
        FUZZ_REQUIRE(file.error->line >= 1);
        return 0;
    }
    IrFrameSplitter splitter;
    splitter.add(file.samples);
    splitter.finish();
    for (const IrFrame& frame : splitter.take_frames()) {
        FUZZ_REQUIRE(frame.pulses > 0);
        FUZZ_REQUIRE(frame.start_us <= frame.end_us);
        if (frame.protocol != IrProtocol::kUnknown && !frame.repeat) {
            FUZZ_REQUIRE(!scancode_error(frame.protocol, frame.scancode));
        }
    }
    return 0;
}
