// Figures of the infrared code reader: how fast a long recording is read and decoded, and what
// the window costs while it reads a receiver that stays silent.
#include "bench/bench_harness.h"
#include "tests/support/offscreen_application.h"
#include "tests/support/scripted_form_host.h"
#include "tools/ir/core/ir_encoder.h"
#include "tools/ir/core/ir_frame_splitter.h"
#include "tools/ir/core/timing_file.h"
#include "tools/ir/form/ir_form.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace {

constexpr std::size_t kTimings = 1000000;

// A recording of about a million timings: keys of every protocol, each after a long silence.
QString long_recording(std::size_t& timings) {
    QString text;
    timings = 0;
    quint32 code = 0;
    while (timings < kTimings) {
        for (const IrProtocol protocol : known_protocols()) {
            quint32 scancode = (code * 2654435761u) & scancode_mask(protocol);
            if (scancode_error(protocol, scancode)) {
                scancode &= 0xff;
            }
            const std::vector<qint32> frame = encode_frame(protocol, scancode, int(code & 1));
            text += timings_text(frame);
            text += QStringLiteral("\n-40000\n");
            timings += frame.size() + 1;
            ++code;
        }
    }
    return text;
}

void decoding_figures() {
    std::size_t timings = 0;
    const QString text = long_recording(timings);
    bench::Stopwatch timer;
    const TimingFile file = parse_timing_text(text);
    const double read_ms = timer.ms();
    timer.restart();
    IrFrameSplitter splitter;
    splitter.add(file.samples);
    splitter.finish();
    const std::vector<IrFrame> frames = splitter.take_frames();
    const double decode_ms = timer.ms();
    std::size_t known = 0;
    for (const IrFrame& frame : frames) {
        known += frame.protocol != IrProtocol::kUnknown ? 1 : 0;
    }
    std::printf(
        "recording of %zu timings (%lld KiB of text): read in %.0f ms, cut and decoded in "
        "%.0f ms; %zu frames, %zu of them decoded\n",
        timings, static_cast<long long>(text.size() / 1024), read_ms, decode_ms, frames.size(),
        known);
}

// The window reads a named pipe whose writer is open and sends nothing, as a receiver in a
// quiet room does.
void silent_device_figures() {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("lirc"));
    if (::mkfifo(QFile::encodeName(pipe).constData(), 0600) != 0) {
        std::printf("silent receiver: no named pipe could be made\n");
        return;
    }
    ScriptedFormHost host;
    IrForm form(host);
    form.load();
    form.show();
    auto* device = form.findChild<QComboBox*>(QStringLiteral("device"));
    device->setEditText(pipe);
    form.findChild<QPushButton*>(QStringLiteral("start_button"))->click();
    const int writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY);
    if (!form.is_reading() || writer < 0) {
        std::printf("silent receiver: the pipe could not be read\n");
        return;
    }
    constexpr int kSeconds = 10;
    QCoreApplication::processEvents();
    // The program's own event loop, which sleeps until something happens.
    const bench::Load load = bench::idle_load(kSeconds * 1000);
    std::printf(
        "silent receiver read for %d s: %.3f s of processor time, %.3f %% of a core "
        "(target under 0.5 %%)\n",
        kSeconds, load.cpu_s, load.percent_of_core());
    ::close(writer);
}

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    decoding_figures();
    silent_device_figures();
    return 0;
}
