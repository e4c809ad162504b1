// Drives the shared line view over a log as long as the serial terminal keeps (16 MiB of bytes
// as hex lines with their times, a million lines made only when asked) and prints what a frame,
// a new line, a search, a copy and a screen reader's question cost on it.

#include "shell/widgets/line_source.h"
#include "shell/widgets/line_view.h"
#include "tests/support/offscreen_application.h"

#include <QAccessible>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScrollBar>

#include <cstdio>
#include <functional>

namespace {

constexpr qint64 kLines = 1024 * 1024;  // 16 bytes a line: 16 MiB

// Hex lines of 16 bytes with their arrival times, each made when asked; all equally long, so
// a line's place in the text is a product.
class HexLog : public LineSource {
public:
    static constexpr qint64 kLineChars = 16 + 16 * 3 - 1;

    qint64 lines = kLines;
    qint64 dropped = 0;

    qint64 line_count() const override { return lines; }
    // Made as the terminal makes its hex lines: the time, then two digits a byte.
    QString line(qint64 index) const override {
        const qint64 n = index + dropped;
        QString text = QStringLiteral("[12:%1:%2.%3] ")
                           .arg(QString::number(n / 60000 % 60).rightJustified(2, u'0'),
                                QString::number(n / 1000 % 60).rightJustified(2, u'0'),
                                QString::number(n % 1000).rightJustified(3, u'0'));
        static constexpr char kDigits[] = "0123456789ABCDEF";
        for (int i = 0; i < 16; ++i) {
            const int byte = static_cast<int>((n * 16 + i) % 251);
            if (i > 0) {
                text += u' ';
            }
            text += QLatin1Char(kDigits[byte >> 4]);
            text += QLatin1Char(kDigits[byte & 15]);
        }
        return text;
    }
    qint64 text_size() const override { return lines * (kLineChars + 1) - 1; }
    QString text(qint64 from, qint64 to) const override {
        QString text;
        for (qint64 i = line_at_offset(from); i < lines && line_offset(i) < to; ++i) {
            const QString whole = line(i) + u'\n';
            const qint64 start = line_offset(i);
            text += whole.mid(std::max<qint64>(0, from - start),
                              std::min<qint64>(to, start + whole.size()) - std::max(from, start));
        }
        return text;
    }
    qint64 dropped_lines() const override { return dropped; }
    qint64 line_offset(qint64 index) const override { return index * (kLineChars + 1); }
    qint64 line_at_offset(qint64 offset) const override {
        return std::clamp<qint64>(offset / (kLineChars + 1), 0, lines - 1);
    }
};

double milliseconds(const std::function<void()>& work, int times = 1) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < times; ++i) {
        work();
    }
    return timer.nsecsElapsed() / 1e6 / times;
}

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    HexLog log;
    LineView view(log, nullptr);
    view.resize(800, 600);
    view.show();
    view.refresh();
    std::printf("line view over %lld lines of %lld characters (16 MiB of bytes in hex)\n",
                static_cast<long long>(kLines), static_cast<long long>(HexLog::kLineChars));
    std::printf("  making a line:                      %8.4f ms\n",
                milliseconds([&] { log.line(kLines / 2); }, 10000));
    std::printf("  frame, following the end:           %8.3f ms\n",
                milliseconds([&] { view.viewport()->grab(); }, 50));
    std::printf("  a line comes, the oldest goes:      %8.3f ms\n",
                milliseconds(
                    [&] {
                        ++log.dropped;
                        view.refresh();
                        view.viewport()->repaint();
                    },
                    50));
    view.set_wrap(true);
    view.resize(300, 600);
    QCoreApplication::processEvents();
    std::printf("  frame, wrapped into a narrow view:  %8.3f ms\n",
                milliseconds([&] { view.viewport()->grab(); }, 20));
    std::printf("  a line comes, wrapped:              %8.3f ms\n", milliseconds(
                                                                        [&] {
                                                                            ++log.dropped;
                                                                            view.refresh();
                                                                        },
                                                                        50));
    view.set_wrap(false);
    view.resize(800, 600);
    QCoreApplication::processEvents();

    view.select({kLines - 20, 3}, {kLines - 10, 5});
    std::printf("  copy of 10 lines:                   %8.3f ms\n",
                milliseconds([&] { view.copy(); }, 50));
    std::printf("  find, absent (every line once):     %8.1f ms\n",
                milliseconds([&] { view.find(QStringLiteral("ZZ"), SearchDirection::kForward); }));
    view.select({0, 0}, {0, 0});
    std::printf(
        "  find the next of a common sequence: %8.3f ms\n",
        milliseconds([&] { view.find(QStringLiteral("1F 20"), SearchDirection::kForward); }, 50));
    std::printf("  Ctrl+A, Ctrl+C of the whole log:    %8.1f ms\n", milliseconds([&] {
                    view.select_all();
                    view.copy();
                }));
    std::printf("    (%lld characters on the clipboard)\n",
                static_cast<long long>(QGuiApplication::clipboard()->text().size()));

    QAccessibleTextInterface* reader =
        QAccessible::queryAccessibleInterface(&view)->textInterface();
    int start = 0;
    int end = 0;
    std::printf("  screen reader, the line at the end: %8.3f ms\n",
                milliseconds(
                    [&] {
                        reader->textAtOffset(reader->characterCount() - 10,
                                             QAccessible::LineBoundary, &start, &end);
                    },
                    50));
    std::printf("  screen reader, the selection:       %8.3f ms\n",
                milliseconds([&] { reader->selection(0, &start, &end); }, 50));
    return 0;
}
