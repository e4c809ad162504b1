#include "text_file.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

QString decode_text(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);  // a leading byte-order mark is skipped
    if (!utf8.hasError()) {
        return text;
    }
    text.clear();  // a large file is not held twice
    QStringDecoder gb18030("GB18030");
    return gb18030(bytes);
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

std::optional<QStringList> read_text_lines(const QString& path) {
    QString text;
    if (read_text_file(path, text)) {
        return std::nullopt;
    }
    return split_lines(text);
}

std::optional<TextFileError> write_text_file(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return TextFileError{file.errorString()};
    }
    const QByteArray bytes = encode_text(text + QStringLiteral("\r\n"));
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return TextFileError{file.errorString()};
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        return TextFileError{file.errorString()};
    }
    return std::nullopt;
}
