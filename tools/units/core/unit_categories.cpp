#include "unit_categories.h"

namespace {

// Each factor is an exact definition written out as a decimal, so that it is the double
// nearest to it (products of rounded factors would be a few units off in the last place): the
// inch is 0.0254 m, the foot 12 in, the yard 3 ft, the mile 1760 yd; the US gallon 231 in³, its
// pint 1/8 and fluid ounce 1/128 of it; the ounce 1/16 of the pound's 453.59237 g.
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

const Unit* UnitCategory::unit(QStringView name) const {
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
          unit(u"英寸", 0.0254), unit(u"英尺", 0.3048), unit(u"英里", 1609.344),
          unit(u"码", 0.9144), unit(u"海里", 1852)}},
        {QStringLiteral("面积"),
         QStringLiteral("平方厘米"),
         {unit(u"平方毫米", 1e-6), unit(u"平方厘米", 1e-4), unit(u"平方米", 1), unit(u"公顷", 1e4),
          unit(u"平方公里", 1e6), unit(u"平方英寸", 0.00064516), unit(u"平方英尺", 0.09290304),
          unit(u"亩", 10000.0 / 15)}},
        {QStringLiteral("体积"),
         QStringLiteral("立方厘米"),
         {unit(u"立方毫米", 1e-9), unit(u"立方厘米", 1e-6), unit(u"立方米", 1),
          unit(u"立方英寸", 1.6387064e-5), unit(u"立方英尺", 0.028316846592)}},
        {QStringLiteral("容积"),
         QStringLiteral("毫升"),
         {unit(u"毫升", 0.001), unit(u"升", 1), unit(u"美制加仑", 3.785411784),
          unit(u"英制加仑", 4.54609), unit(u"美制品脱", 0.473176473),
          unit(u"美制液量盎司", 0.0295735295625)}},
        {QStringLiteral("重量"),
         QStringLiteral("克"),
         {unit(u"毫克", 0.001), unit(u"克", 1), unit(u"千克", 1000), unit(u"吨", 1e6),
          unit(u"斤", 500), unit(u"两", 50), unit(u"磅", 453.59237), unit(u"盎司", 28.349523125)}},
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
         {unit(u"公里/每小时", 1), unit(u"米/秒", 3.6), unit(u"英里/小时", 1.609344),
          unit(u"节", 1.852)}},
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
