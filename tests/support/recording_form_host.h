#pragma once

#include "qt_printers.h"
#include "scripted_form_host.h"

// The host of the tests: a dialog the test did not script, or a serial port it did not provide,
// fails the test (the dialog is cancelled, the port missing).
class RecordingFormHost : public ScriptedFormHost {
protected:
    std::optional<QString> unscripted_dialog(const FileDialogOptions& dialog) override;
    std::unique_ptr<SerialDevice> missing_serial_device(const QString& device) override;
};
