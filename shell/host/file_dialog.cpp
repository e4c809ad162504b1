#include "file_dialog.h"

#include <QStringList>

QString text_file_filter() {
    return QStringLiteral("文本文件（*.TXT）|*.txt|所有文件（*.*）|*.*");
}

FileDialogOptions text_save_dialog(const QString& file_name) {
    return {QStringLiteral("保存文件"), text_file_filter(), QStringLiteral(".txt"), file_name};
}

QList<FileFilter> parse_file_filter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QList<FileFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters.append({parts[i], parts[i + 1]});
    }
    return filters;
}
