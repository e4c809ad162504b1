#pragma once

#include <QList>
#include <QStringView>

// The lines of a compiler listing: CR LF, a lone LF and a lone CR each end a line, and the end
// is not part of the line. A last line without an end still counts; empty text has no lines.
// The views point into `text`, which must outlive them.
QList<QStringView> listing_lines(QStringView text);
