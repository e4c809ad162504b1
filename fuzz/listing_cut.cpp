// The PIC listing conversion on any text and any chip: the directive comes first, then one line
// for every line of the listing, each the listing line less its first 14 characters and the
// spaces after them, ended by CR LF. The input: the chip in UTF-8, a zero byte, the listing in
// UTF-8.

#include "fuzz/fuzz_check.h"
#include "tools/picc/core/asm_conversion.h"
#include "tools/picc/core/listing_lines.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype zero = input.indexOf('\0');
    const QString chip = QString::fromUtf8(zero < 0 ? QByteArray() : input.left(zero));
    const QString listing = QString::fromUtf8(zero < 0 ? input : input.mid(zero + 1));

    const QString source = convert_listing(listing, chip);
    const QString directive = directive_line(chip);
    FUZZ_REQUIRE(source.startsWith(directive));
    QString expected = directive;
    for (const QStringView line : listing_lines(listing)) {
        const QString cut = cut_columns(line);
        // Counted in characters: a pair of surrogates is one.
        FUZZ_REQUIRE(cut.isEmpty() || line.size() > 14);
        FUZZ_REQUIRE(!cut.startsWith(u' '));
        FUZZ_REQUIRE(line.endsWith(cut));
        expected += cut + QStringLiteral("\r\n");
    }
    FUZZ_REQUIRE(source == expected);
    FUZZ_REQUIRE(source.endsWith(QStringLiteral("\r\n")));
    return 0;
}
