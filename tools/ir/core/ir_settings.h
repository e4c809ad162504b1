#pragma once

#include "key_export.h"

#include <QString>

class QSettings;

// What the infrared code reader remembers across runs.
struct IrSettings {
    QString device = QStringLiteral("/dev/lirc0");
    ExportFormat format = ExportFormat::kCDefine;
    QString folder;  // where the last recording was opened or the last export saved

    // Reads what was saved; a value that is missing, of the wrong kind or out of range keeps its
    // default.
    void load(QSettings& settings);
    void save(QSettings& settings) const;
    bool operator==(const IrSettings&) const = default;
};
