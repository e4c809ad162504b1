#include "recording_form_host.h"

#include <gtest/gtest.h>

std::optional<QString> RecordingFormHost::unscripted_dialog(const FileDialogOptions& dialog) {
    ADD_FAILURE() << "a dialog was shown that the test did not expect: "
                  << dialog.title.toStdString();
    return std::nullopt;
}

std::unique_ptr<SerialDevice> RecordingFormHost::missing_serial_device(const QString& device) {
    ADD_FAILURE() << "serial port " << device.toStdString()
                  << " was asked for without a test device";
    return nullptr;
}
