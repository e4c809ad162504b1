#include "glyphs_settings.h"

#include "base/stored_value.h"

#include <QSettings>

namespace {

// Every key the window's choices are kept under, within the group "glyphs".
const QString kGroup = QStringLiteral("glyphs");
const QString kText = QStringLiteral("text");
const QString kFont = QStringLiteral("font");
const QString kBold = QStringLiteral("bold");
const QString kWidth = QStringLiteral("width");
const QString kHeight = QStringLiteral("height");
const QString kShiftX = QStringLiteral("shift_x");
const QString kShiftY = QStringLiteral("shift_y");
const QString kScale = QStringLiteral("scale");
const QString kThreshold = QStringLiteral("threshold");
const QString kInvert = QStringLiteral("invert");
const QString kPreset = QStringLiteral("preset");
const QString kScan = QStringLiteral("scan");
const QString kOrder = QStringLiteral("order");
const QString kNegative = QStringLiteral("negative");
const QString kDialect = QStringLiteral("dialect");
const QString kPerGlyph = QStringLiteral("per_glyph");
const QString kArrayName = QStringLiteral("array_name");

}  // namespace

void GlyphsSettings::load(QSettings& settings) {
    const GlyphsSettings fallback;
    settings.beginGroup(kGroup);
    text = stored_text(settings.value(kText), fallback.text);
    font = stored_text(settings.value(kFont), fallback.font);
    bold = stored_bool(settings.value(kBold), fallback.bold);
    width = stored_int(settings.value(kWidth), 0, kMaxCell, fallback.width);
    height = stored_int(settings.value(kHeight), 0, kMaxCell, fallback.height);
    shift_x = stored_int(settings.value(kShiftX), -kMaxCell, kMaxCell, fallback.shift_x);
    shift_y = stored_int(settings.value(kShiftY), -kMaxCell, kMaxCell, fallback.shift_y);
    scale = stored_bool(settings.value(kScale), fallback.scale);
    threshold = stored_int(settings.value(kThreshold), 0, 255, fallback.threshold);
    invert = stored_bool(settings.value(kInvert), fallback.invert);
    // The presets' count stands for 自定义.
    preset = stored_int(settings.value(kPreset), 0, static_cast<int>(display_presets().size()),
                        fallback.preset);
    pack.scan = stored_choice(settings.value(kScan), static_cast<int>(scan_mode_names().size()),
                              fallback.pack.scan);
    pack.order = stored_choice(settings.value(kOrder), static_cast<int>(bit_order_names().size()),
                               fallback.pack.order);
    pack.polarity =
        stored_bool(settings.value(kNegative), fallback.pack.polarity == Polarity::kLitIsZero)
            ? Polarity::kLitIsZero
            : Polarity::kLitIsOne;
    dialect = stored_choice(settings.value(kDialect), static_cast<int>(text_dialect_names().size()),
                            fallback.dialect);
    per_glyph = stored_bool(settings.value(kPerGlyph), fallback.per_glyph);
    const QString name = stored_text(settings.value(kArrayName), {});
    array_name = is_c_identifier(name) ? name : fallback.array_name;
    settings.endGroup();
}

void GlyphsSettings::save(QSettings& settings) const {
    settings.beginGroup(kGroup);
    settings.setValue(kText, text);
    settings.setValue(kFont, font);
    settings.setValue(kBold, bold);
    settings.setValue(kWidth, width);
    settings.setValue(kHeight, height);
    settings.setValue(kShiftX, shift_x);
    settings.setValue(kShiftY, shift_y);
    settings.setValue(kScale, scale);
    settings.setValue(kThreshold, threshold);
    settings.setValue(kInvert, invert);
    settings.setValue(kPreset, preset);
    settings.setValue(kScan, static_cast<int>(pack.scan));
    settings.setValue(kOrder, static_cast<int>(pack.order));
    settings.setValue(kNegative, pack.polarity == Polarity::kLitIsZero);
    settings.setValue(kDialect, static_cast<int>(dialect));
    settings.setValue(kPerGlyph, per_glyph);
    settings.setValue(kArrayName, array_name);
    settings.endGroup();
}
