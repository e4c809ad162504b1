#include "tools/units/core/unit_conversion.h"
#include "base/number_text.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// Worked out by hand from the definitions; a refused conversion expects its message.
TEST(Convert, GivesTheWorkedValuesAndRefusesWhatHasNone) {
    const std::tuple<int, double, const char16_t*, const char16_t*, const char16_t*> rows[] = {
        {0, 1, u"英寸", u"厘米", u"2.54"},
        {0, 1, u"英里", u"公里", u"1.609344"},
        {0, 1, u"海里", u"码", u"2025.37182852143"},
        {0, 1, u"英尺", u"毫米", u"304.8"},
        {1, 1, u"亩", u"平方米", u"666.666666666667"},
        {1, 1, u"平方公里", u"公顷", u"100"},
        {1, 1, u"平方英尺", u"平方厘米", u"929.0304"},
        {1, 1, u"平方英寸", u"平方毫米", u"645.16"},
        {2, 1, u"立方厘米", u"立方毫米", u"1000"},
        {2, 1, u"立方英尺", u"立方英寸", u"1728"},
        {2, 2, u"立方米", u"立方毫米", u"2000000000"},
        {3, 1, u"美制加仑", u"毫升", u"3785.411784"},
        {3, 1, u"英制加仑", u"升", u"4.54609"},
        {3, 1, u"美制品脱", u"美制液量盎司", u"16"},
        {4, 1, u"千克", u"斤", u"2"},
        {4, 1, u"磅", u"两", u"9.0718474"},
        {4, 1, u"盎司", u"毫克", u"28349.523125"},
        {4, 1, u"吨", u"克", u"1000000"},
        {5, 30, u"dBm", u"瓦", u"1"},
        {5, 1, u"千瓦", u"dBm", u"60"},
        {5, 1, u"马力", u"毫瓦", u"735498.75"},
        {5, 1, u"英制马力", u"瓦", u"745.69987158227"},
        {6, 1, u"节", u"公里/每小时", u"1.852"},
        {6, 10, u"米/秒", u"英里/小时", u"22.369362920544"},
        {7, 100, u"摄氏度", u"华氏度", u"212"},
        {7, -40, u"摄氏度", u"华氏度", u"-40"},
        {7, 300, u"开尔文", u"摄氏度", u"26.85"},
        {7, -459.67, u"华氏度", u"开尔文", u"0"},
        {7, -273.15, u"摄氏度", u"开尔文", u"0"},
        {7, 0, u"开尔文", u"华氏度", u"-459.67"},
        {7, -459.68, u"华氏度", u"摄氏度", u"温度不能低于绝对零度（-273.15 摄氏度）"},
        {7, -273.16, u"摄氏度", u"开尔文", u"温度不能低于绝对零度（-273.15 摄氏度）"},
        {7, -0.01, u"开尔文", u"华氏度", u"温度不能低于绝对零度（-273.15 摄氏度）"},
        {5, 0, u"瓦", u"dBm", u"0 或负的功率不能换算成 dBm"},
        {1, 1, u"亩", u"英亩", u"“英亩”不是面积的单位\r请在列表里选择单位"},
        {0, 1, u" 米 ", u"厘米", u"100"},
        {4, 1e308, u"吨", u"毫克", u"换算结果超出了数的范围"},
    };
    for (const auto& [category, value, from, to, expected] : rows) {
        const Conversion c = convert(unit_categories()[category], from, to, value);
        EXPECT_EQ(c.error.isEmpty() ? number_to_text(c.value) : c.error,
                  QString::fromUtf16(expected));
    }
}

// There and back again gives the value it started from, between every two units of a kind.
TEST(Convert, EveryPairOfUnitsConvertsThereAndBack) {
    for (const UnitCategory& c : unit_categories()) {
        for (const Unit& a : c.units) {
            for (const Unit& b : c.units) {
                for (const double value : {0.001, 1.0, 37.5, 300.0}) {
                    const double there = convert(c, a.name, b.name, value).value;
                    EXPECT_NEAR(convert(c, b.name, a.name, there).value, value,
                                std::max(value, 1.0) * 1e-12)
                        << (a.name + u" → "_s + b.name).toStdString();
                }
            }
        }
    }
}

}  // namespace
