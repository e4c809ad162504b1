#pragma once

#include "qt_printers.h"
#include "scripted_form_host.h"

#include <gtest/gtest.h>

// The host of the tests: a dialog the test did not script, or a serial port it did not provide,
// fails the test (the dialog is cancelled, the port missing).
class RecordingFormHost : public ScriptedFormHost {
protected:
    std::optional<QString> unscripted_dialog(const FileDialogOptions& dialog) override {
        ADD_FAILURE() << "a dialog the test did not expect: " << dialog.title.toStdString();
        return std::nullopt;
    }
    std::unique_ptr<SerialDevice> missing_serial_device(const QString& device) override {
        ADD_FAILURE() << "no test device for serial port " << device.toStdString();
        return nullptr;
    }
};
