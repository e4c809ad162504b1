#include "unit_categories.h"

namespace {

// Exact definitions: the international inch, foot, yard and mile, the nautical mile, the
// avoirdupois pound and ounce, the US gallon of 231 cubic inches.
constexpr double kInch = 0.0254;
constexpr double kFoot = 12 * kInch;
constexpr double kYard = 3 * kFoot;
constexpr double kMile = 1760 * kYard;
constexpr double kNauticalMile = 1852;
constexpr double kUsGallonLitres = 231 * kInch * kInch * kInch * 1000;
constexpr double kPoundGrams = 453.59237;

Unit unit(const char16_t* name, double factor) {
    return {QString::fromUtf16(name), factor};
}

}  // namespace

QStringList UnitCategory::unit_names() const {
    QStringList names;
    for (const Unit& u : units) {
        names.append(u.name);
    }
    return names;
}

const Unit* UnitCategory::unit(const QString& name) const {
    for (const Unit& u : units) {
        if (u.name == name) {
            return &u;
        }
    }
    return nullptr;
}

const std::array<UnitCategory, kUnitCategoryCount>& unit_categories() {
    static const std::array<UnitCategory, kUnitCategoryCount> categories = {{
        {QStringLiteral("长度"),
         QStringLiteral("毫米"),
         {unit(u"毫米", 0.001), unit(u"厘米", 0.01), unit(u"米", 1), unit(u"公里", 1000),
          unit(u"英寸", kInch), unit(u"英尺", kFoot), unit(u"英里", kMile), unit(u"码", kYard),
          unit(u"海里", kNauticalMile)}},
        {QStringLiteral("面积"),
         QStringLiteral("平方厘米"),
         {unit(u"平方毫米", 1e-6), unit(u"平方厘米", 1e-4), unit(u"平方米", 1), unit(u"公顷", 1e4),
          unit(u"平方公里", 1e6), unit(u"平方英寸", kInch * kInch),
          unit(u"平方英尺", kFoot * kFoot), unit(u"亩", 10000.0 / 15)}},
        {QStringLiteral("体积"),
         QStringLiteral("立方厘米"),
         {unit(u"立方毫米", 1e-9), unit(u"立方厘米", 1e-6), unit(u"立方米", 1),
          unit(u"立方英寸", kInch * kInch * kInch), unit(u"立方英尺", kFoot * kFoot * kFoot)}},
        {QStringLiteral("容积"),
         QStringLiteral("毫升"),
         {unit(u"毫升", 0.001), unit(u"升", 1), unit(u"美制加仑", kUsGallonLitres),
          unit(u"英制加仑", 4.54609), unit(u"美制品脱", kUsGallonLitres / 8),
          unit(u"美制液量盎司", kUsGallonLitres / 128)}},
        {QStringLiteral("重量"),
         QStringLiteral("克"),
         {unit(u"毫克", 0.001), unit(u"克", 1), unit(u"千克", 1000), unit(u"吨", 1e6),
          unit(u"斤", 500), unit(u"两", 50), unit(u"磅", kPoundGrams),
          unit(u"盎司", kPoundGrams / 16)}},
        {QStringLiteral("功率"),
         QStringLiteral("马力"),
         {unit(u"马力", 735.49875),
          unit(u"英制马力", 745.69987158227022),
          unit(u"瓦", 1),
          unit(u"千瓦", 1000),
          unit(u"毫瓦", 0.001),
          {QStringLiteral("dBm"), 1, 0, -std::numeric_limits<double>::infinity(), true}}},
        {QStringLiteral("速度"),
         QStringLiteral("公里/每小时"),
         {unit(u"公里/每小时", 1), unit(u"米/秒", 3.6), unit(u"英里/小时", kMile / 1000),
          unit(u"节", kNauticalMile / 1000)}},
        {QStringLiteral("温度"),
         QStringLiteral("摄氏度"),
         // Counted from 0 °C, not from absolute zero: a large offset would cost the digits of
         // small temperatures (-40 °C would come out as -40.0000000000001 °F).
         {{QStringLiteral("摄氏度"), 1, 0, -273.15},
          {QStringLiteral("华氏度"), 5.0 / 9, 32, -459.67},
          {QStringLiteral("开尔文"), 1, 273.15, 0}}},
    }};
    return categories;
}
