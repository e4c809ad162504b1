#include "sensor_model.h"

#include <algorithm>
#include <iterator>

namespace {

// 3470 type, 5000 Ω at 25 °C; index i is i - 30 °C.
constexpr std::int32_t k3470_5K[] = {
    63730, 60322, 57113, 54103, 51263, 48599, 46860, 43718, 41486, 39383, 37399, 35527, 33760,
    32092, 30517, 29028, 27621, 26291, 25033, 23842, 22715, 21648, 20633, 19680, 18773, 17912,
    17097, 16323, 15588, 14891, 14229, 13601, 13005, 12439, 11901, 11389, 10902, 10439, 9999,
    9580,  9181,  8800,  8438,  8093,  7764,  7450,  7151,  6865,  6593,  6333,  6085,  5847,
    5621,  5404,  5197,  5000,  4810,  4629,  4456,  4290,  4132,  3980,  3834,  3695,  3562,
    3434,  3311,  3193,  3080,  2972,  2868,  2769,  2673,  2581,  2493,  2408,  2327,  2249,
    2173,  2101,  2032,  1965,  1901,  1839,  1780,  1723,  1668,  1614,  1563,  1521,  1466,
    1420,  1376,  1333,  1292,  1252,  1214,  1177,  1141,  1106,  1073,
};

// 3470 type, 10000 Ω at 25 °C.
constexpr std::int32_t k3470_10K[] = {
    128000, 121100, 114600, 108600, 102800, 97470, 92420, 87560, 83170, 78950, 74960, 71200, 67660,
    64310,  61150,  58160,  55340,  52670,  50150, 47770, 45510, 43370, 41350, 39430, 37620, 35890,
    34260,  32710,  31240,  29850,  28530,  27270, 26070, 24940, 23860, 22830, 21860, 20930, 20040,
    19200,  18400,  17640,  16910,  16220,  15560, 14930, 14320, 13750, 13200, 12680, 12180, 11700,
    11250,  10810,  10400,  10000,  9621,   9259,  8913,  8581,  8264,  7960,  7669,  7391,  7123,
    6868,   6622,   6387,   6161,   5945,   5737,  5538,  5347,  5163,  4937,  4817,  4654,  4498,
    4348,   4204,   4064,   3930,   3802,   3678,  3559,  3445,  3334,  3228,  3126,  3027,  2933,
    2841,   2753,   2668,   2586,   2507,   2431,  2357,  2287,  2218,  2152,
};

// Resistive humidity sensor; the line for i % reads entry i + 1.
constexpr std::int32_t kHumidity[] = {
    65535, 42000, 37000, 29000, 25000, 21000, 17000, 15100, 14200, 12700, 11400, 10800, 9700,
    8900,  8500,  7900,  7300,  7000,  6500,  6100,  5700,  5600,  5300,  4900,  4800,  4500,
    4300,  4200,  4000,  3800,  3700,  3550,  3380,  3320,  3170,  3040,  2960,  2850,  2740,
    2650,  2580,  2480,  2400,  2340,  2260,  2190,  2150,  2070,  2000,  1960,  1890,  1820,
    1790,  1730,  1680,  1650,  1590,  1540,  1490,  1470,  1420,  1380,  1360,  1310,  1270,
    1250,  1220,  1180,  1160,  1130,  1090,  1070,  1040,  1010,  990,   960,   930,   900,
    890,   860,   840,   820,   800,   770,   760,   740,   710,   700,   680,   660,   650,
    630,   610,   590,   570,   560,   540,   530,   520,
};

static_assert(std::size(k3470_5K) == kLastTableIndex + 1);
static_assert(std::size(k3470_10K) == kLastTableIndex + 1);
static_assert(std::size(kHumidity) == 99);

template <std::size_t N>
void copy_into(WorkingTable& table, const std::int32_t (&resistances)[N]) {
    std::copy(std::begin(resistances), std::end(resistances), table.begin());
}

}  // namespace

QStringList model_names() {
    return {QStringLiteral("3470_5K"), QStringLiteral("3470_10K"), QStringLiteral("湿度"),
            QStringLiteral("其他型号")};
}

QString model_name(SensorModel model) {
    return model_names()[static_cast<int>(model)];
}

std::optional<SensorModel> model_named(const QString& text) {
    const qsizetype index = model_names().indexOf(text);
    if (index < 0) {
        return std::nullopt;
    }
    return static_cast<SensorModel>(index);
}

WorkingTable working_table(SensorModel model) {
    WorkingTable table{};
    switch (model) {
        case SensorModel::k3470_5K:
            copy_into(table, k3470_5K);
            break;
        case SensorModel::k3470_10K:
            copy_into(table, k3470_10K);
            break;
        case SensorModel::kHumidity:
            copy_into(table, kHumidity);
            break;
        case SensorModel::kOther:
            break;
    }
    return table;
}
