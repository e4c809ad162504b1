#include "text_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <utility>

QStringList split_lines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (text[i] == u'\r') {
            lines.append(text.sliced(start, i - start));
            if (i + 1 < size && text[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < size) {
        lines.append(text.sliced(start));
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

std::optional<TextFileError> write_text_file(const QString& path, const QString& text) {
    // Encoded before the file is opened, so that text it cannot hold leaves an old file whole.
    QByteArray bytes;
    if (auto error = text_file_bytes(text, bytes)) {
        return error;
    }
    return write_file_bytes(path, bytes);
}

std::optional<TextFileError> write_file_bytes(const QString& path, const QByteArray& bytes) {
    // Written beside the old file and put in its place only when whole: a write that fails
    // midway (a full disk, the program killed) leaves the old file as it was. Unbuffered, so
    // that a write the disk cuts short shows in the count of bytes written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return TextFileError{file.errorString()};
    }
    if (file.write(bytes) != bytes.size()) {
        return TextFileError{qt_error_string()};
    }
    if (!file.commit()) {
        return TextFileError{file.errorString()};
    }
    return std::nullopt;
}
