#pragma once

#include "ir_sample.h"
#include "lirc_sample_reader.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class QSocketNotifier;

// Why a receiver did not open or stopped, in the kinds a user can act on.
enum class LircFailure { kNone, kNoDevice, kNoPermission, kNoRawMode, kBusy, kOther };

// The LIRC devices the machine has now (/dev/lirc0 ...), in order.
QStringList lirc_devices();

// Why `path` did not open, in words a user can act on; `group` is the group that owns the
// device, which a user must belong to, and `detail` the system's own words.
QString lirc_failure_text(const QString& path, LircFailure failure, const QString& group,
                          const QString& detail);

// An infrared receiver read through its LIRC device in raw mode, or anything else that delivers
// the same 32-bit values: a named pipe, a file. It is read when the system says there is
// something to read, never on a timer, so a silent receiver costs nothing.
class LircDevice : public QObject {
    Q_OBJECT
public:
    explicit LircDevice(QObject* parent = nullptr);
    ~LircDevice() override;

    // Opens `path` for reading; a LIRC device is set to raw mode (LIRC_MODE_MODE2). On failure
    // failure() and failure_text() say why.
    bool open(const QString& path);
    void close();
    bool is_open() const { return m_fd >= 0; }
    QString path() const { return m_path; }

    LircFailure failure() const { return m_failure; }
    // The words the user reads: what failed and what to do.
    QString failure_text() const;
    // The system's own words for the last failure.
    QString detail() const { return m_detail; }

signals:
    // New samples, in the order received.
    void samples_arrived(const std::vector<IrSample>& samples);
    // The writer of a pipe closed it, or a file was read to its end; the device is closed.
    void ended();
    // The device went away or stopped working; the device is closed.
    void failed();

private:
    void on_readable();
    void fail(LircFailure failure, int error);

    int m_fd = -1;
    QString m_path;
    QSocketNotifier* m_notifier = nullptr;
    LircSampleReader m_reader;
    LircFailure m_failure = LircFailure::kNone;
    QString m_group;
    QString m_detail;
};
