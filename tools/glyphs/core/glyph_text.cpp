#include "glyph_text.h"

#include "base/number_text.h"
#include "base/table_dialect.h"

#include <QRegularExpression>
#include <QStringEncoder>

#include <algorithm>

QStringList text_dialect_names() {
    return {QStringLiteral("C"), QStringLiteral("A51"), QStringLiteral("PIC"),
            QStringLiteral("十六进制")};
}

namespace {

struct GlyphDialect {
    DialectPieces pieces;               // instruction word, value prefix and suffix, comment
    QString separator;                  // between the values of a line
    bool separator_after_last = false;  // C: every value of the table ends in a comma
    bool digit_first = false;           // A51: a value whose first digit is a letter gets a 0
    int per_line = 16;
};

const GlyphDialect& dialect(TextDialect which) {
    static const GlyphDialect c{{"", "0x", "0x", "", "/* ", " */"}, ",", true, false, 16};
    static const GlyphDialect a51{{"DB ", "", "", "H", "; ", ""}, ",", false, true, 16};
    static const GlyphDialect pic{{"retlw ", "0x", "0x", "", "; ", ""}, "", false, false, 1};
    static const GlyphDialect hex{{"", "", "", "", "; ", ""}, " ", false, false, 16};
    switch (which) {
        case TextDialect::kA51:
            return a51;
        case TextDialect::kPic:
            return pic;
        case TextDialect::kHex:
            return hex;
        case TextDialect::kC:
            break;
    }
    return c;
}

QString value_text(const GlyphDialect& d, std::uint8_t value) {
    QString text = value < 16 ? d.pieces.short_prefix : d.pieces.number_prefix;
    if (d.digit_first && value >= 0xA0) {
        text += u'0';
    }
    return text + hex_text(value).rightJustified(2, u'0') + d.pieces.number_suffix;
}

// A comment's text never ends the comment early nor breaks its line, whatever a file is called.
QString comment(const GlyphDialect& d, QString text) {
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    if (!d.pieces.comment_closer.isEmpty()) {
        text.replace(QStringLiteral("*/"), QStringLiteral("* /"));
    }
    return d.pieces.comment_opener + text + d.pieces.comment_closer;
}

QString unicode_number(char32_t character) {
    return QStringLiteral("U+%1")
        .arg(static_cast<uint>(character), 4, 16, QLatin1Char('0'))
        .toUpper();
}

// The lines of one glyph's bytes, the last followed by the glyph's comment.
void append_glyph(QStringList& lines, const GlyphDialect& d, const Glyph& glyph,
                  const PackOptions& pack) {
    const std::vector<std::uint8_t> bytes = pack_glyph(glyph.bits, pack);
    const int per_line = d.per_line;
    for (std::size_t start = 0; start < bytes.size(); start += per_line) {
        const std::size_t end = std::min(bytes.size(), start + per_line);
        QString line = d.pieces.instruction_word;
        for (std::size_t i = start; i < end; ++i) {
            if (i > start) {
                line += d.separator;
            }
            line += value_text(d, bytes[i]);
        }
        if (d.separator_after_last) {
            line += d.separator;
        }
        lines.append(line);
    }
    const QString note = comment(d, glyph.label);
    if (bytes.empty()) {
        lines.append(note);
    } else {
        lines.last() += u' ' + note;
    }
}

QString c_array(const QString& name, std::size_t size) {
    return QStringLiteral("static const unsigned char %1[%2] = {").arg(name).arg(size);
}

}  // namespace

bool is_c_identifier(const QString& name) {
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    static const QStringList keywords =
        QStringLiteral(
            "auto break case char const continue default do double else enum extern float for goto "
            "if inline int long register restrict return short signed sizeof static struct switch "
            "typedef union unsigned void volatile while bool true false")
            .split(u' ');
    return identifier.match(name).hasMatch() && !keywords.contains(name);
}

std::vector<char32_t> glyph_characters(const QString& text) {
    std::vector<char32_t> characters;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar unit = text[i];
        char32_t character = unit.unicode();
        if (unit.isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(unit, text[++i]);
        } else if (unit.isSurrogate()) {
            character = 0xFFFD;
        }
        if (character != u'\r' && character != u'\n') {
            characters.push_back(character);
        }
    }
    return characters;
}

QString glyph_label(char32_t character) {
    // Opening the converter costs more than a character's label; a long text reuses it.
    thread_local QStringEncoder gbk("GB18030", QStringEncoder::Flag::Stateless);
    if (!QChar::isPrint(character)) {
        return unicode_number(character);
    }
    const QString text = QString::fromUcs4(&character, 1);
    const QByteArray code = gbk.encode(text);
    // GB18030 is GBK wherever it takes one or two bytes; four bytes mean GBK has no code.
    if (gbk.hasError() || code.size() > 2) {
        gbk.resetState();
        return text + u' ' + unicode_number(character);
    }
    return text + u' ' + QString::fromLatin1(code.toHex().toUpper());
}

QString glyph_table(const std::vector<Glyph>& glyphs, const GlyphSource& source,
                    const PackOptions& pack, const TextOptions& text) {
    const GlyphDialect& d = dialect(text.dialect);
    const auto index = [](auto value, const QStringList& names) {
        return names.value(static_cast<int>(value));
    };
    QStringList lines;
    lines.append(comment(
        d, QStringLiteral("%1，%2×%3，%4，%5，%6")
               .arg(source.description)
               .arg(source.width)
               .arg(source.height)
               .arg(index(pack.scan, scan_mode_names()), index(pack.order, bit_order_names()),
                    index(pack.polarity, polarity_names()))));
    const bool c = text.dialect == TextDialect::kC;
    const auto size_of = [&pack](const Glyph& glyph) {
        return packed_size(glyph.bits.width(), glyph.bits.height(), pack.scan);
    };
    if (c && !text.array_per_glyph && !glyphs.empty()) {
        std::size_t total = 0;
        for (const Glyph& glyph : glyphs) {
            total += size_of(glyph);
        }
        lines.append(c_array(text.array_name, total));
    }
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        if (c && text.array_per_glyph) {
            lines.append(
                c_array(text.array_name + QStringLiteral("_%1").arg(i), size_of(glyphs[i])));
        }
        append_glyph(lines, d, glyphs[i], pack);
        if (c && text.array_per_glyph) {
            lines.append(QStringLiteral("};"));
        }
    }
    if (c && !text.array_per_glyph && !glyphs.empty()) {
        lines.append(QStringLiteral("};"));
    }
    return lines.join(QStringLiteral("\r\n"));
}
