#pragma once

#include "glyph_packing.h"
#include "glyph_text.h"

#include <QString>

class QSettings;

// The largest cell the window draws, each way.
inline constexpr int kMaxCell = 128;

// Everything the 字模 window remembers across runs. A stored value that is missing, of the wrong
// kind or out of range keeps its default, so a damaged settings file never gives the window a
// choice its lists do not hold.
struct GlyphsSettings {
    QString text = QStringLiteral("字模");
    QString font;  // empty: the window's default family
    bool bold = false;
    int width = 16;  // 0 to kMaxCell, as the boxes allow
    int height = 16;
    int shift_x = 0;  // -kMaxCell to kMaxCell
    int shift_y = 0;
    bool scale = false;
    int threshold = 128;  // 0 to 255
    bool invert = false;
    int preset = 0;  // an index of display_presets(), or their count for 自定义
    PackOptions pack;
    TextDialect dialect = TextDialect::kC;
    bool per_glyph = false;
    QString array_name = QStringLiteral("glyphs");  // a C identifier

    // Reads what was saved; a value that is missing, of the wrong kind or out of range keeps its
    // default.
    void load(QSettings& settings);
    void save(QSettings& settings) const;
    bool operator==(const GlyphsSettings&) const = default;
};
