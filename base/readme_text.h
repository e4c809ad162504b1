#pragma once

#include <QString>

// The name of the instructions file that the main window shows.
inline constexpr char16_t kReadmeName[] = u"说明文件.txt";

// However long the file, the box shows at most its first kReadmeByteLimit bytes and at most
// kReadmeLineLimit characters of a line (a lone line feed breaks a line too), so that no readme
// can freeze the window. Each cut is marked with kCutMark where the text stops.
inline constexpr qsizetype kReadmeByteLimit = 1 << 20;
inline constexpr qsizetype kReadmeLineLimit = 4000;
inline constexpr char16_t kCutMark = u'…';

// The readme in `directory` as the main window's box holds it: every line followed by CR LF.
// A missing or unreadable file gives the empty text.
QString readme_text(const QString& directory);
