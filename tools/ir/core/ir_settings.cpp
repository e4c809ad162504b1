#include "ir_settings.h"

#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("ir");
const QString kDevice = QStringLiteral("device");
const QString kFormat = QStringLiteral("format");
const QString kFolder = QStringLiteral("folder");

}  // namespace

void IrSettings::load(QSettings& settings) {
    const IrSettings fallback;
    settings.beginGroup(kGroup);
    const QString stored_device = settings.value(kDevice).toString().trimmed();
    device = stored_device.isEmpty() ? fallback.device : stored_device;
    format = export_from_key(settings.value(kFormat).toString()).value_or(fallback.format);
    folder = settings.value(kFolder, fallback.folder).toString();
    settings.endGroup();
}

void IrSettings::save(QSettings& settings) const {
    settings.beginGroup(kGroup);
    settings.setValue(kDevice, device);
    settings.setValue(kFormat, export_key(format));
    settings.setValue(kFolder, folder);
    settings.endGroup();
}
