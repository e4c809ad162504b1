// The 字模 tool's two costs a user waits for: 1000 CJK characters drawn in Unifont 16×16 cells
// and written as a C table, and a full repaint of a preview of 100 such glyphs. Prints the
// median of each over repeated runs (offscreen).

#include "tests/support/offscreen_application.h"
#include "tools/glyphs/core/glyph_text.h"
#include "tools/glyphs/form/glyph_preview.h"
#include "tools/glyphs/render/glyph_renderer.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    QString text;
    for (char32_t c = 0x4E00; c < 0x4E00 + 1000; ++c) {
        text += QString::fromUcs4(&c, 1);
    }
    const FontChoice font{QStringLiteral("Unifont"), false};
    const CellChoice cell{16, 16, 0, 0};
    std::printf("font: %s\n", qPrintable(GlyphRenderer(font, cell).font().family()));

    std::vector<double> draw_ms;
    std::vector<double> table_ms;
    std::vector<Glyph> glyphs;
    for (int run = 0; run < 12; ++run) {
        QElapsedTimer timer;
        timer.start();
        glyphs = draw_text(text, font, cell);
        const double drawn = timer.nsecsElapsed() / 1e6;
        const QString table = glyph_table(glyphs, {font_description(font), 16, 16}, {}, {});
        const double written = timer.nsecsElapsed() / 1e6;
        if (run >= 2) {  // the first runs load the font and warm the caches
            draw_ms.push_back(drawn);
            table_ms.push_back(written);
        }
    }
    std::printf("1000 CJK characters, 16x16, to C text: %.1f ms (drawing %.1f ms), target < 200\n",
                median(table_ms), median(draw_ms));

    GlyphPreview preview;
    glyphs.resize(100);
    preview.set_glyphs(glyphs);
    preview.resize(1200, preview.heightForWidth(1200));
    preview.show();
    QCoreApplication::processEvents();
    std::vector<double> paint_ms;
    for (int run = 0; run < 60; ++run) {
        QElapsedTimer timer;
        timer.start();
        preview.repaint();
        if (run >= 10) {
            paint_ms.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    std::printf("preview of 100 glyphs (%d x %d px), full repaint: %.2f ms, target < 16\n",
                preview.width(), preview.height(), median(paint_ms));
    return 0;
}
