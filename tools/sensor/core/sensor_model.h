#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

// The sensors the AD tables are made for: two thermistors and a humidity sensor with built-in
// resistance tables, and any other thermistor whose resistances the user types one at a time.

enum class SensorModel { k3470_5K, k3470_10K, kHumidity, kOther };

// "3470_5K", "3470_10K", "湿度", "其他型号", in list order.
QStringList model_names();
QString model_name(SensorModel model);
// The model whose item text is exactly `text`.
std::optional<SensorModel> model_named(const QString& text);

// Entries 0 to 100 of a built-in table are the lines of a full table (-30 to 70 °C, or
// 0 to 100 % humidity); the entries after the last built-in resistance are 0 Ω.
constexpr int kLastTableIndex = 100;
constexpr int kWorkingEntries = 106;
using WorkingTable = std::array<std::int32_t, kWorkingEntries>;

// A fresh table for one run: the model's built-in resistances, in ohms, and 0 elsewhere.
WorkingTable working_table(SensorModel model);
