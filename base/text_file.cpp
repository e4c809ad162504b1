#include "text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <utility>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

QList<QStringView> line_views(QStringView text, LoneLineFeed lone_lf) {
    QList<QStringView> lines;
    const bool lf_ends = lone_lf == LoneLineFeed::kEndsLine;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && !(lf_ends && c == u'\n')) {
            continue;
        }
        lines.append(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size) {
        lines.append(text.sliced(start));
    }
    return lines;
}

QStringList split_lines(const QString& text) {
    QStringList lines;
    for (QStringView line : line_views(text, LoneLineFeed::kInsideLine)) {
        lines.append(line.toString());
    }
    return lines;
}

QString with_line_feeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

namespace {

// `whole` tells whether `bytes` are the whole file; when they are only its start, a character
// cut off at their end is left out rather than read as an error.
QString decode(const QByteArray& bytes, bool whole) {
    const auto flags = whole ? QStringDecoder::Flag::Stateless : QStringDecoder::Flag::Default;
    QStringDecoder utf8(QStringDecoder::Utf8, flags);
    QString text = utf8(bytes);  // a leading byte-order mark is skipped
    // GBK pairs often look like two-byte UTF-8 sequences; Chinese in UTF-8 takes three bytes,
    // which decode to U+0800 and above.
    const bool long_sequence =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x800; });
    if (bytes.startsWith("\xEF\xBB\xBF") || (!utf8.hasError() && long_sequence)) {
        return text;
    }
    QStringDecoder gb18030("GB18030", flags);
    if (!gb18030.isValid()) {
        return text;
    }
    text.clear();  // a large file is not held twice
    return gb18030(bytes);
}

}  // namespace

QString decode_text(const QByteArray& bytes) {
    return decode(bytes, true);
}

QString decode_text_start(const QByteArray& bytes) {
    return decode(bytes, false);
}

QByteArray encode_text(const QString& text) {
    QStringEncoder gb18030("GB18030");
    return gb18030(text);
}

std::optional<TextFileError> read_text_file(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return TextFileError{file.errorString()};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return TextFileError{file.errorString()};
    }
    text = decode_text(bytes);
    return std::nullopt;
}

std::optional<TextFileError> text_file_bytes(const QString& text, QByteArray& bytes) {
    QStringEncoder gb18030("GB18030");
    if (!gb18030.isValid()) {
        return TextFileError{QStringLiteral("无法使用 GB18030 编码")};
    }
    QByteArray encoded = gb18030(text + QStringLiteral("\r\n"));
    if (gb18030.hasError()) {
        return TextFileError{QStringLiteral("文本中有 GB18030 编码无法保存的字符")};
    }
    bytes = std::move(encoded);
    return std::nullopt;
}

#ifdef Q_OS_WIN

std::optional<TextFileError> write_file_bytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return TextFileError{file.errorString()};
    }
    if (file.write(bytes) != bytes.size()) {
        return TextFileError{file.errorString()};
    }
    if (!file.commit()) {
        return TextFileError{file.errorString()};
    }
    return std::nullopt;
}

#else

namespace {

// Writes all of `bytes` to `fd`; returns 0, or the errno of the write that failed.
int write_all(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? errno : ENOSPC;
        }
        data += written;
        left -= written;
    }
    return 0;
}

TextFileError error_of(int error) {
    return TextFileError{qt_error_string(error)};
}

// A device or a named pipe: opened as it is, never created or replaced.
std::optional<TextFileError> write_in_place(const QByteArray& path, const QByteArray& bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return error_of(errno);
    }
    const int written = write_all(fd, bytes);
    const int closed = ::close(fd) == 0 ? 0 : errno;
    if (written != 0 || closed != 0) {
        return error_of(written != 0 ? written : closed);
    }
    return std::nullopt;
}

// Every step is checked, down to fsync and close: on a full disk the kernel may take the write
// and refuse the blocks only when they are flushed, and the rename must not follow that.
std::optional<TextFileError> write_and_replace(const QByteArray& path, const QByteArray& bytes,
                                               const struct stat* old) {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : path.left(std::max<qsizetype>(slash, 1));
    QByteArray temporary = path.left(slash + 1) + '.' + path.sliced(slash + 1) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return error_of(errno);
    }
    mode_t mode = 0;
    if (old) {
        mode = old->st_mode & 07777;
        // Root rewriting another user's file leaves it theirs.
        if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
            mode &= ~mode_t(S_ISUID | S_ISGID);
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    if (error == 0) {
        error = write_all(fd, bytes);
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.constData(), path.constData()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.constData());
        return error_of(error);
    }
    // The new name itself reaches the disk; a folder that refuses fsync changes nothing here.
    if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return std::nullopt;
}

}  // namespace

std::optional<TextFileError> write_file_bytes(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) {
        return error_of(ENOENT);
    }
    QByteArray native = QFile::encodeName(path);
    struct stat old {};
    if (::stat(native.constData(), &old) != 0) {
        return write_and_replace(native, bytes, nullptr);
    }
    if (S_ISDIR(old.st_mode)) {
        return error_of(EISDIR);
    }
    if (!S_ISREG(old.st_mode)) {
        return write_in_place(native, bytes);
    }
    // A file the user may not write is not replaced either, though its folder would allow it.
    if (::access(native.constData(), W_OK) != 0) {
        return error_of(errno);
    }
    // A link to a file: the file it names is replaced and the link stays.
    if (struct stat link{}; ::lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        native = QFile::encodeName(QFileInfo(path).canonicalFilePath());
    }
    return write_and_replace(native, bytes, &old);
}

#endif

std::optional<TextFileError> write_text_file(const QString& path, const QString& text) {
    // Encoded before the file is opened, so that text it cannot hold leaves an old file whole.
    QByteArray bytes;
    if (auto error = text_file_bytes(text, bytes)) {
        return error;
    }
    return write_file_bytes(path, bytes);
}
