// Converts a listing of 10 MB (200,000 lines, GBK comments) through the PICCASM window
// (offscreen) and prints the time each step takes and the peak memory the conversion adds, as
// a multiple of the file's size. Also times a keystroke in the converted text and the save.

#include "base/text_file.h"
#include "bench/bench_harness.h"
#include "shell/widgets/text_box.h"
#include "tests/support/offscreen_application.h"
#include "tests/support/scripted_form_host.h"
#include "tools/picc/core/asm_conversion.h"
#include "tools/picc/form/picc_form.h"

#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// About 10 MB of listing lines: address, opcode, then an instruction after spaces or a tab,
// every fourth with a Chinese comment.
QByteArray listing(int lines) {
    QString text;
    text.reserve(lines * 52);
    const char* const mnemonics[] = {"MOVLW", "MOVWF", "BCF", "BSF", "CALL", "GOTO", "ADDWF"};
    for (int i = 0; i < lines; ++i) {
        const QString address = QStringLiteral("%1  %2")
                                    .arg(i & 0xFFFF, 4, 16, QLatin1Char('0'))
                                    .arg((i * 7919) & 0x3FFF, 4, 16, QLatin1Char('0'));
        text += address.toUpper();
        text += i % 3 == 0 ? QStringLiteral("    \t") : QStringLiteral("           ");
        text += QLatin1String(mnemonics[i % 7]);
        text += QStringLiteral("  0x%1,0x%2").arg(i & 0x7F, 2, 16, QLatin1Char('0')).arg(i % 8);
        text += i % 4 == 0 ? QStringLiteral("  ;读取温度传感器的数值")
                           : QStringLiteral("  ;  next byte");
        text += QStringLiteral("\r\n");
    }
    return encode_text(text);
}

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);

    QTemporaryDir dir;
    ScriptedFormHost host;
    const QString listing_path = dir.filePath(QStringLiteral("big.lst"));
    host.standing_answer = listing_path;
    const int line_count = 200000;
    double file_size = 0;
    {
        const QByteArray bytes = listing(line_count);
        QFile file(listing_path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::printf("cannot write %s\n", qPrintable(listing_path));
            return 1;
        }
        file_size = bytes.size();
    }
    std::printf("PICCASM window, offscreen: a GBK listing of %.2f MB, %d lines\n", file_size / 1e6,
                line_count);

    // The steps alone, outside the window.
    {
        bench::Stopwatch timer;
        QString text;
        read_text_file(listing_path, text);
        const double read = timer.ms();
        timer.restart();
        const QString source = convert_listing(text, QStringLiteral("16F877"));
        const double convert = timer.ms();
        std::printf("%-40s %8.1f ms\n", "read and decode the file", read);
        std::printf("%-40s %8.1f ms\n", "cut the columns", convert);
    }

    PiccForm form(host);
    form.load();
    form.show();
    QCoreApplication::processEvents();
    auto* convert = form.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* text = form.findChild<TextBox*>(QStringLiteral("Text1"));
    form.findChild<QPushButton*>(QStringLiteral("Command2"))->click();

    const long resident_before = bench::status_bytes("VmRSS");
    const bool peak_reset = bench::reset_peak();
    // On a shared machine the wall time also holds the waits for a core: the processor time too.
    bench::Stopwatch timer;
    const bench::ClickAnswer answer = bench::answer_click(convert);  // and the first paint
    const double click = answer.handler_ms;
    const double total = answer.painted_ms;
    const double cpu_total = timer.cpu_ms();
    const long peak_added = bench::peak_resident_bytes() - resident_before;
    std::printf("%-40s %8.1f ms\n", "\"转换\" click", click);
    std::printf("%-40s %8.1f ms, processor %.1f ms (target under 1000 ms)\n",
                "\"转换\" click and first paint", total, cpu_total);
    std::printf("%-40s %8.1f MB = %.1f times the file (target under 10)%s\n",
                "peak memory added by the conversion", peak_added / 1e6, peak_added / file_size,
                peak_reset ? "" : " [peak not reset: an upper bound]");
    std::printf("%-40s %8.1f MB\n", "memory kept after it",
                (bench::status_bytes("VmRSS") - resident_before) / 1e6);
    std::printf("text: %lld characters\n", static_cast<long long>(text->text().size()));

    // One keystroke at the top of the converted text.
    QWidget* editor = text->editor();
    editor->setFocus();
    for (int i = 0; i < 3; ++i) {
        timer.restart();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(editor, &release);
        QCoreApplication::processEvents();
        std::printf("%-40s %8.1f ms\n", "a keystroke in the converted text", timer.ms());
    }

    host.standing_answer = dir.filePath(QStringLiteral("picctoasm.asm"));
    timer.restart();
    form.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    std::printf("%-40s %8.1f ms\n", "\"保存\" of the converted text", timer.ms());
    std::printf("messages shown: %zu (0 expected)\n", host.messages.size());
    return 0;
}
