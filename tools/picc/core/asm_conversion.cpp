#include "asm_conversion.h"

#include "listing_lines.h"

namespace {

constexpr int kCutColumns = 14;
const QString kLineEnd = QStringLiteral("\r\n");

// Where the text after the cut starts in `line`.
qsizetype cut_start(QStringView line) {
    qsizetype i = 0;
    for (int column = 0; column < kCutColumns && i < line.size(); ++column) {
        const bool pair =
            line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate();
        i += pair ? 2 : 1;
    }
    while (i < line.size() && line[i] == u' ') {
        ++i;
    }
    return i;
}

}  // namespace

QString cut_columns(QStringView line) {
    return line.sliced(cut_start(line)).toString();
}

QString directive_line(QStringView chip) {
    QString line(20, u' ');
    return line.append(QStringLiteral("List p =")).append(chip).append(kLineEnd);
}

QString convert_listing(QStringView listing, QStringView chip) {
    const QList<QStringView> lines = listing_lines(listing);
    QString source = directive_line(chip);
    // Enough for all: no cut is longer than its line.
    source.reserve(source.size() + listing.size() + lines.size() * kLineEnd.size());
    for (const QStringView line : lines) {
        source.append(line.sliced(cut_start(line))).append(kLineEnd);
    }
    return source;
}
