#pragma once

#include "file_dialog.h"
#include "program_run.h"
#include "serial_device.h"

#include <QSettings>
#include <QString>
#include <QTime>

#include <memory>
#include <optional>
#include <vector>

// Everything a form needs from the window system beyond its own controls. Forms receive it;
// the program passes the Qt one, tests a recording fake that answers dialogs from a script.
class FormHost {
public:
    virtual ~FormHost() = default;

    // Modal box with the prompt, an OK button, no icon and the program's title. Lines of the
    // prompt are joined by a carriage return (character 13).
    virtual void message(const QString& prompt) = 0;

    // The chosen file name, or nothing when the user cancels.
    virtual std::optional<QString> open_file(const FileDialogOptions& dialog) = 0;
    virtual std::optional<QString> save_file(const FileDialogOptions& dialog) = 0;

    // Starts a program by name, with no arguments, without waiting for it. The reason it could
    // not be started, or nothing when it started.
    virtual std::optional<QString> start_program(const QString& program) = 0;
    // Runs a program and returns at once; `finished` runs from the event loop when it has
    // ended, or could not be found or started.
    virtual void run_program(const ProgramRun& run, ProgramFinished finished) = 0;

    virtual void beep() = 0;
    // The local time of day.
    virtual QTime time_of_day() = 0;
    // Milliseconds on a clock that only runs forward: not set back or forward with the time of
    // day, so intervals measured on it are real time.
    virtual qint64 steady_ms() = 0;

    // The serial port at a device path (/dev/ttyUSB0, /dev/pts/3, COM5), not yet opened;
    // nothing where the host has no serial ports.
    virtual std::unique_ptr<SerialDevice> serial_device(const QString& device) = 0;
    // The device of serial port `number` (1 is the machine's first, or the one the user named).
    virtual QString serial_port_device(int number) = 0;
    // The serial ports the machine has now.
    virtual std::vector<SerialPortInfo> serial_ports() = 0;
    // Where windows keep what they remember across runs.
    virtual std::unique_ptr<QSettings> settings() = 0;
};

// Writes `text` and CR LF to `path`. A file that cannot be created or written is reported in a
// message that names it and the reason; returns whether the file was written.
bool save_text_file(FormHost& host, const QString& path, const QString& text);
