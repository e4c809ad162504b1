#include "glyphs_settings.h"

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

// A stored whole number within [low, high], or the fallback.
int bounded(const QVariant& value, int low, int high, int fallback) {
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && number >= low && number <= high ? number : fallback;
}

// A stored yes or no: a bool, or the "true" and "false" an ini file keeps; anything else (a
// "maybe", a 7) is the fallback.
bool flag(const QVariant& value, bool fallback) {
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool();
    }
    const QString text = value.toString();
    if (text == u"true") {
        return true;
    }
    if (text == u"false") {
        return false;
    }
    return fallback;
}

template <typename Enum>
Enum listed(const QVariant& value, const QStringList& names, Enum fallback) {
    return static_cast<Enum>(
        bounded(value, 0, static_cast<int>(names.size()) - 1, static_cast<int>(fallback)));
}

}  // namespace

void GlyphsSettings::load(QSettings& settings) {
    const GlyphsSettings fallback;
    settings.beginGroup(kGroup);
    const QVariant stored_text = settings.value(kText);
    text = stored_text.typeId() == QMetaType::QString ? stored_text.toString() : fallback.text;
    const QVariant stored_font = settings.value(kFont);
    font = stored_font.typeId() == QMetaType::QString ? stored_font.toString() : fallback.font;
    bold = flag(settings.value(kBold), fallback.bold);
    width = bounded(settings.value(kWidth), 0, kMaxCell, fallback.width);
    height = bounded(settings.value(kHeight), 0, kMaxCell, fallback.height);
    shift_x = bounded(settings.value(kShiftX), -kMaxCell, kMaxCell, fallback.shift_x);
    shift_y = bounded(settings.value(kShiftY), -kMaxCell, kMaxCell, fallback.shift_y);
    scale = flag(settings.value(kScale), fallback.scale);
    threshold = bounded(settings.value(kThreshold), 0, 255, fallback.threshold);
    invert = flag(settings.value(kInvert), fallback.invert);
    preset = bounded(settings.value(kPreset), 0, static_cast<int>(display_presets().size()),
                     fallback.preset);
    pack.scan = listed(settings.value(kScan), scan_mode_names(), fallback.pack.scan);
    pack.order = listed(settings.value(kOrder), bit_order_names(), fallback.pack.order);
    pack.polarity =
        flag(settings.value(kNegative), false) ? Polarity::kLitIsZero : Polarity::kLitIsOne;
    dialect = listed(settings.value(kDialect), text_dialect_names(), fallback.dialect);
    per_glyph = flag(settings.value(kPerGlyph), fallback.per_glyph);
    const QString name = settings.value(kArrayName).toString();
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
