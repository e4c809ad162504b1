#include "readme_text.h"

#include "text_file.h"

#include <QDir>

QString readme_text(const QString& directory) {
    const auto lines = read_text_lines(QDir(directory).filePath(QString::fromUtf16(kReadmeName)));
    QString text;
    for (const QString& line : lines.value_or(QStringList())) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}
