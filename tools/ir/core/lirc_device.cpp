#include "lirc_device.h"

#include <QDir>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <grp.h>
#include <linux/lirc.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// The values this reader decodes are the kernel's own.
static_assert(kLircPulse == LIRC_MODE2_PULSE && kLircSpace == LIRC_MODE2_SPACE &&
              kLircTimeout == LIRC_MODE2_TIMEOUT && kLircFrequency == LIRC_MODE2_FREQUENCY &&
              kLircValueMask == LIRC_VALUE_MASK && kLircModeMask == LIRC_MODE2_MASK);
#endif

namespace {

constexpr int kReadBytes = 4096;  // a whole number of values, as the device requires

LircFailure failure_of(int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return LircFailure::kNoDevice;
        case EACCES:
        case EPERM:
            return LircFailure::kNoPermission;
        case EBUSY:
            return LircFailure::kBusy;
        default:
            return LircFailure::kOther;
    }
}

}  // namespace

QStringList lirc_devices() {
    QStringList devices;
    const QDir dev(QStringLiteral("/dev"));
    for (const QString& name :
         dev.entryList({QStringLiteral("lirc*")}, QDir::System | QDir::Files, QDir::Name)) {
        devices.append(dev.filePath(name));
    }
    return devices;
}

QString lirc_failure_text(const QString& path, LircFailure failure, const QString& group,
                          const QString& detail) {
    switch (failure) {
        case LircFailure::kNone:
            return {};
        case LircFailure::kNoDevice:
            return QStringLiteral(
                       "无法打开 %1：没有这个设备。请检查红外接收器是否已插好，"
                       "驱动是否已加载（ls /dev/lirc*），设备名是否正确。")
                .arg(path);
        case LircFailure::kNoPermission:
            if (group.isEmpty()) {
                return QStringLiteral(
                           "无法打开 %1：没有权限。请让管理员给当前用户读这个设备的权限。")
                    .arg(path);
            }
            return QStringLiteral(
                       "无法打开 %1：没有权限。请把当前用户加入 %2 组"
                       "（sudo usermod -aG %2 $USER），然后重新登录。")
                .arg(path, group);
        case LircFailure::kNoRawMode:
            return QStringLiteral(
                       "无法读取 %1：它不提供原始脉冲（mode2）。这个接收器只报告解码后的"
                       "扫描码，请换用能收原始脉冲的接收器，或选 /dev/lirc 下的另一个设备。")
                .arg(path);
        case LircFailure::kBusy:
            return QStringLiteral(
                       "无法打开 %1：设备正被另一个程序占用（如 lircd）。请先关闭那个程序。")
                .arg(path);
        case LircFailure::kOther:
            break;
    }
    return detail.isEmpty() ? QStringLiteral("无法打开 %1").arg(path)
                            : QStringLiteral("无法打开 %1：%2").arg(path, detail);
}

LircDevice::LircDevice(QObject* parent) : QObject(parent) {}

LircDevice::~LircDevice() {
    close();
}

QString LircDevice::failure_text() const {
    return lirc_failure_text(m_path, m_failure, m_group, m_detail);
}

void LircDevice::fail(LircFailure failure, int error) {
    m_failure = failure;
    m_detail = error ? QString::fromLocal8Bit(std::strerror(error)) : QString();
}

bool LircDevice::open(const QString& path) {
    close();
    m_path = path;
    m_failure = LircFailure::kNone;
    m_group.clear();
    m_detail.clear();
#ifdef Q_OS_LINUX
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        fail(failure_of(error), error);
        struct stat status {};
        if (error == EACCES && ::stat(name.constData(), &status) == 0) {
            if (const group* owner = ::getgrgid(status.st_gid)) {
                m_group = QString::fromLocal8Bit(owner->gr_name);
            }
        }
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        fail(LircFailure::kOther, S_ISDIR(status.st_mode) ? EISDIR : errno);
        ::close(fd);
        return false;
    }
    if (S_ISCHR(status.st_mode)) {
        // A receiver: it must offer raw timings, and be switched to them.
        __u32 features = 0;
        __u32 mode = LIRC_MODE_MODE2;
        if (::ioctl(fd, LIRC_GET_FEATURES, &features) != 0 || !(features & LIRC_CAN_REC_MODE2) ||
            ::ioctl(fd, LIRC_SET_REC_MODE, &mode) != 0) {
            fail(LircFailure::kNoRawMode, 0);
            ::close(fd);
            return false;
        }
    }
    m_fd = fd;
    m_reader.clear();
    m_notifier = new QSocketNotifier(static_cast<qintptr>(fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LircDevice::on_readable);
    return true;
#else
    fail(LircFailure::kNoDevice, 0);
    return false;
#endif
}

void LircDevice::close() {
    delete m_notifier;
    m_notifier = nullptr;
#ifdef Q_OS_LINUX
    if (m_fd >= 0) {
        ::close(m_fd);
    }
#endif
    m_fd = -1;
}

void LircDevice::on_readable() {
#ifdef Q_OS_LINUX
    char buffer[kReadBytes];
    std::vector<IrSample> samples;
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
        if (count > 0) {
            const std::vector<IrSample> more =
                m_reader.read(QByteArray::fromRawData(buffer, static_cast<qsizetype>(count)));
            samples.insert(samples.end(), more.begin(), more.end());
            continue;
        }
        const int error = errno;
        if (count < 0 && (error == EAGAIN || error == EINTR)) {
            break;
        }
        // The end of a pipe or file, or a device that went away.
        if (!samples.empty()) {
            emit samples_arrived(samples);
        }
        close();
        if (count == 0) {
            emit ended();
        } else {
            fail(failure_of(error), error);
            emit failed();
        }
        return;
    }
    if (!samples.empty()) {
        emit samples_arrived(samples);
    }
#endif
}
