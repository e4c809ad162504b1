#pragma once

#include <QString>

// The name of the instructions file that the main window shows.
inline constexpr char16_t kReadmeName[] = u"说明文件.txt";

// The readme in `directory` as the main window's box holds it: every line followed by CR LF.
// A missing or unreadable file gives the empty text.
QString readme_text(const QString& directory);
