#include "unit_categories.h"

const std::array<UnitCategory, kUnitCategoryCount>& unit_categories() {
    static const std::array<UnitCategory, kUnitCategoryCount> categories = {{
        {QStringLiteral("长度"),
         QStringLiteral("毫米"),
         {QStringLiteral("厘米"), QStringLiteral("米"), QStringLiteral("公里"),
          QStringLiteral("英寸"), QStringLiteral("英尺"), QStringLiteral("英里"),
          QStringLiteral("码")}},
        {QStringLiteral("面积"), QStringLiteral("平方厘米"), {}},
        {QStringLiteral("体积"), QStringLiteral("立方厘米"), {}},
        {QStringLiteral("容积"), QStringLiteral("毫升"), {}},
        {QStringLiteral("重量"), QStringLiteral("克"), {}},
        {QStringLiteral("功率"), QStringLiteral("马力"), {}},
        {QStringLiteral("速度"), QStringLiteral("公里/每小时"), {}},
        {QStringLiteral("温度"), QStringLiteral("摄氏度"), {}},
    }};
    return categories;
}
