#pragma once

#include <QList>
#include <QString>

// What a form asks of an open or save dialog. Cancelling is never an error: the dialog then
// answers with no file name.
struct FileDialogOptions {
    QString title;              // empty: the dialog's own title
    QString filter;             // description and pattern pairs, all separated by "|"
    QString default_extension;  // ".txt"; added to a typed name that has none
    QString file_name;          // proposed file name
};

struct FileFilter {
    QString description;
    QString pattern;
};

// The filter of the dialogs that open or save text files: text files, then all files.
QString text_file_filter();

// The dialog that saves a table as a text file: "保存文件", text files first, ".txt" added to a
// name typed without an extension, `file_name` proposed.
FileDialogOptions text_save_dialog(const QString& file_name = {});

// "文本文件（*.TXT）|*.txt|所有文件（*.*）|*.*" gives two filters; a trailing description
// without a pattern is dropped.
QList<FileFilter> parse_file_filter(const QString& filter);
