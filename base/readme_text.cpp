#include "readme_text.h"

#include "text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Appends `line`, each stretch of it between line feeds (the box breaks there too) cut to
// kReadmeLineLimit characters, never inside a surrogate pair.
void append_cut(QString& shown, QStringView line) {
    for (;;) {
        const qsizetype end = line.indexOf(u'\n');
        const QStringView stretch = end < 0 ? line : line.first(end);
        if (stretch.size() > kReadmeLineLimit) {
            const bool pair_cut = stretch[kReadmeLineLimit - 1].isHighSurrogate();
            shown += stretch.first(kReadmeLineLimit - (pair_cut ? 1 : 0));
            shown += kCutMark;
        } else {
            shown += stretch;
        }
        if (end < 0) {
            return;
        }
        shown += u'\n';
        line = line.sliced(end + 1);
    }
}

}  // namespace

QString readme_text(const QString& directory) {
    QFile file(QDir(directory).filePath(QString::fromUtf16(kReadmeName)));
    // Only a plain file: a pipe or a device of that name could keep the window from coming up.
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    const QByteArray bytes = file.read(kReadmeByteLimit);
    if (file.error() != QFileDevice::NoError) {
        return QString();
    }
    const bool cut = file.size() > bytes.size();
    const QString text = cut ? decode_text_start(bytes) + kCutMark : decode_text(bytes);

    QString shown;
    shown.reserve(text.size() + text.size() / 16);
    for (const QString& line : split_lines(text)) {
        append_cut(shown, line);
        shown += QStringLiteral("\r\n");
    }
    return shown;
}
