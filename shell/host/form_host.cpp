#include "form_host.h"

#include "base/text_file.h"

#include <QDir>

bool save_text_file(FormHost& host, const QString& path, const QString& text) {
    const auto error = write_text_file(path, text);
    if (error) {
        host.message(QStringLiteral("无法保存文件：%1\r%2")
                         .arg(QDir::toNativeSeparators(path), error->reason));
        return false;
    }
    return true;
}
