#include "tools/units/core/unit_conversion.h"
#include "shell/host/number_text.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const UnitCategory& category(const QString& title) {
    for (const UnitCategory& c : unit_categories()) {
        if (c.title == title) {
            return c;
        }
    }
    ADD_FAILURE() << "no category " << title.toStdString();
    return unit_categories()[0];
}

// Worked out by hand from the definitions; a refused conversion expects the start of its message.
TEST(Convert, GivesTheWorkedValuesAndRefusesWhatHasNone) {
    const struct {
        const char16_t* category;
        double value;
        const char16_t* from;
        const char16_t* to;
        const char16_t* expected;
    } rows[] = {
        {u"长度", 1, u"英寸", u"厘米", u"2.54"},
        {u"长度", 1, u"英里", u"公里", u"1.609344"},
        {u"长度", 5, u"公里", u"英里", u"3.10685596118667"},
        {u"长度", 1, u"海里", u"米", u"1852"},
        {u"长度", 1, u"码", u"英尺", u"3"},
        {u"长度", 1, u"英尺", u"毫米", u"304.8"},
        {u"面积", 1, u"亩", u"平方米", u"666.666666666667"},
        {u"面积", 1, u"公顷", u"亩", u"15"},
        {u"面积", 1, u"平方英尺", u"平方英寸", u"144"},
        {u"面积", 1, u"平方公里", u"平方厘米", u"10000000000"},
        {u"面积", 3, u"平方厘米", u"平方毫米", u"300"},
        {u"体积", 1, u"立方英尺", u"立方英寸", u"1728"},
        {u"体积", 1, u"立方英寸", u"立方厘米", u"16.387064"},
        {u"体积", 2, u"立方米", u"立方毫米", u"2000000000"},
        {u"容积", 1, u"美制加仑", u"毫升", u"3785.411784"},
        {u"容积", 100, u"升", u"美制加仑", u"26.4172052358148"},
        {u"容积", 1, u"英制加仑", u"升", u"4.54609"},
        {u"容积", 1, u"美制加仑", u"美制品脱", u"8"},
        {u"容积", 1, u"美制品脱", u"美制液量盎司", u"16"},
        {u"重量", 1, u"千克", u"斤", u"2"},
        {u"重量", 1, u"斤", u"两", u"10"},
        {u"重量", 1, u"千克", u"磅", u"2.20462262184878"},
        {u"重量", 1, u"磅", u"盎司", u"16"},
        {u"重量", 1, u"吨", u"毫克", u"1000000000"},
        {u"功率", 30, u"dBm", u"瓦", u"1"},
        {u"功率", -10, u"dBm", u"毫瓦", u"0.1"},
        {u"功率", 1, u"千瓦", u"dBm", u"60"},
        {u"功率", 1, u"马力", u"千瓦", u"0.73549875"},
        {u"功率", 1, u"英制马力", u"瓦", u"745.69987158227"},
        {u"速度", 1, u"节", u"公里/每小时", u"1.852"},
        {u"速度", 1, u"米/秒", u"公里/每小时", u"3.6"},
        {u"速度", 60, u"英里/小时", u"公里/每小时", u"96.56064"},
        {u"温度", 100, u"摄氏度", u"华氏度", u"212"},
        {u"温度", -40, u"华氏度", u"摄氏度", u"-40"},
        {u"温度", -40, u"摄氏度", u"华氏度", u"-40"},
        {u"温度", 37, u"摄氏度", u"华氏度", u"98.6"},
        {u"温度", 300, u"开尔文", u"摄氏度", u"26.85"},
        {u"温度", -459.67, u"华氏度", u"开尔文", u"0"},
        {u"温度", 32, u"华氏度", u"开尔文", u"273.15"},
        {u"温度", -273.15, u"摄氏度", u"华氏度", u"-459.67"},
        {u"温度", 0, u"开尔文", u"摄氏度", u"-273.15"},
        {u"温度", -273.16, u"摄氏度", u"开尔文", u"温度不能低于绝对零度"},
        {u"温度", -0.01, u"开尔文", u"开尔文", u"温度不能低于绝对零度"},
        {u"功率", 0, u"瓦", u"dBm", u"0 或负的功率不能换算成 dBm"},
        {u"功率", -1, u"毫瓦", u"dBm", u"0 或负的功率不能换算成 dBm"},
        {u"面积", 1, u"亩", u"英亩", u"“英亩”不是面积的单位\r"},
        {u"长度", 1, u" 米 ", u"厘米", u"100"},
        {u"重量", 1e308, u"吨", u"毫克", u"换算结果超出了数的范围"},
        {u"功率", 4000, u"dBm", u"瓦", u"换算结果超出了数的范围"},
    };
    for (const auto& row : rows) {
        const QString expected = QString::fromUtf16(row.expected);
        SCOPED_TRACE(expected.toStdString());
        const Conversion c =
            convert(category(QString::fromUtf16(row.category)), QString::fromUtf16(row.from),
                    QString::fromUtf16(row.to), row.value);
        EXPECT_EQ(c.error.isEmpty() ? number_to_text(c.value) : c.error.left(expected.size()),
                  expected);
    }
}

// There and back again gives the value it started from, between every two units of a kind.
TEST(Convert, EveryPairOfUnitsConvertsThereAndBack) {
    for (const UnitCategory& c : unit_categories()) {
        for (const Unit& a : c.units) {
            for (const Unit& b : c.units) {
                for (const double value : {0.001, 1.0, 37.5, 300.0}) {
                    SCOPED_TRACE((a.name + u" → "_s + b.name).toStdString());
                    const Conversion there = convert(c, a.name, b.name, value);
                    ASSERT_TRUE(there.error.isEmpty()) << value;
                    const Conversion back = convert(c, b.name, a.name, there.value);
                    ASSERT_TRUE(back.error.isEmpty()) << value;
                    EXPECT_NEAR(back.value, value, std::max(value, 1.0) * 1e-12);
                }
            }
        }
    }
}

}  // namespace
