#include "ir_settings.h"

#include "base/stored_value.h"

#include <QSettings>

namespace {

// Every key the reader's choices are kept under, within the group "ir".
const QString kGroup = QStringLiteral("ir");
const QString kDevice = QStringLiteral("device");
const QString kFormat = QStringLiteral("format");
const QString kFolder = QStringLiteral("folder");

}  // namespace

void IrSettings::load(QSettings& settings) {
    const IrSettings fallback;
    settings.beginGroup(kGroup);
    const QString stored_device = stored_text(settings.value(kDevice), {}).trimmed();
    device = stored_device.isEmpty() ? fallback.device : stored_device;
    format = export_from_key(stored_text(settings.value(kFormat), {})).value_or(fallback.format);
    folder = stored_text(settings.value(kFolder), fallback.folder);
    settings.endGroup();
}

void IrSettings::save(QSettings& settings) const {
    settings.beginGroup(kGroup);
    settings.setValue(kDevice, device);
    settings.setValue(kFormat, export_key(format));
    settings.setValue(kFolder, folder);
    settings.endGroup();
}
