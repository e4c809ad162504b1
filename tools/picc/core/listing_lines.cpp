#include "listing_lines.h"

#include "base/text_file.h"

QList<QStringView> listing_lines(QStringView text) {
    return line_views(text, LoneLineFeed::kEndsLine);
}
