// The 字模 tool's two costs a user waits for: 1000 CJK characters drawn in Unifont 16×16 cells
// and written as a C table, and a full repaint of a preview of 100 such glyphs. Prints the
// median of each over repeated runs (offscreen).

#include "bench/bench_harness.h"
#include "tests/support/offscreen_application.h"
#include "tools/glyphs/core/glyph_text.h"
#include "tools/glyphs/form/glyph_preview.h"
#include "tools/glyphs/render/glyph_renderer.h"

#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    QString text;
    for (char32_t c = 0x4E00; c < 0x4E00 + 1000; ++c) {
        text += QString::fromUcs4(&c, 1);
    }
    const FontChoice font{QStringLiteral("Unifont"), false};
    const CellChoice cell{16, 16, 0, 0};
    std::printf("font: %s\n", qPrintable(GlyphRenderer(font, cell).font().family()));

    bench::Samples draw_ms;
    std::vector<Glyph> glyphs;
    int run = 0;
    // The first runs load the font and warm the caches.
    const bench::Samples table_ms = bench::time_runs(10, 2, [&] {
        bench::Stopwatch drawing;
        glyphs = draw_text(text, font, cell);
        if (run++ >= 2) {
            draw_ms.add(drawing.ms());
        }
        const QString table = glyph_table(glyphs, {font_description(font), 16, 16}, {}, {});
    });
    std::printf("1000 CJK characters, 16x16, to C text: %.1f ms (drawing %.1f ms), target < 200\n",
                table_ms.median(), draw_ms.median());

    GlyphPreview preview;
    glyphs.resize(100);
    preview.set_glyphs(glyphs);
    preview.resize(1200, preview.heightForWidth(1200));
    preview.show();
    QCoreApplication::processEvents();
    const bench::Samples paint_ms = bench::time_runs(50, 10, [&] { preview.repaint(); });
    std::printf("preview of 100 glyphs (%d x %d px), full repaint: %.2f ms, target < 16\n",
                preview.width(), preview.height(), paint_ms.median());
    return 0;
}
