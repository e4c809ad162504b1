#include "small_tmpfs.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

SmallTmpfs::SmallTmpfs(int kibibytes) {
    const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k,mode=0755";
    if (::mount("brevik-test", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                options.constData()) != 0) {
        m_why_not = QStringLiteral("mount tmpfs: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return;
    }
    m_mounted = true;
}

SmallTmpfs::~SmallTmpfs() {
    if (m_mounted) {
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
}

QString SmallTmpfs::add_file(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        ADD_FAILURE() << "cannot write " << file.fileName().toStdString();
    }
    return file.fileName();
}

void SmallTmpfs::fill() {
    const int fd = ::open(QFile::encodeName(path(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const QByteArray block(4096, 'x');
    // Whole blocks first, then single bytes for the block left only partly used.
    for (const size_t size : {size_t{4096}, size_t{1}}) {
        while (fd >= 0 && ::write(fd, block.constData(), size) > 0) {
        }
    }
    ::close(fd);
}

QByteArray file_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QString null_device(const QString& folder) {
    const QString path = folder + QStringLiteral("/null");
    const QByteArray native = QFile::encodeName(path);
    if (::geteuid() == 0 && ::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        // A folder on a filesystem mounted nodev makes the node but refuses to open it.
        if (const int fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC); fd >= 0) {
            ::close(fd);
            return path;
        }
        ::unlink(native.constData());
    }
    return QStringLiteral("/dev/null");
}
