#include "glyphs_command.h"

#include "shell/cli/command_options.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/core/glyph_text.h"
#include "tools/glyphs/render/glyph_renderer.h"

#include <QFontDatabase>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

CellChoice cell_size(const CommandOptions& options) {
    static const QRegularExpression kSize(u"^(\\d{1,3})[xX](\\d{1,3})$"_s);
    const QString text = options.value(u"--size"_s).value_or(u"16x16"_s);
    const QRegularExpressionMatch match = kSize.match(text);
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (!match.hasMatch() || width < 1 || width > 128 || height < 1 || height > 128) {
        refuse_value(u"--size"_s, text, u"WIDTHxHEIGHT, each 1 to 128, such as 16x16"_s);
    }
    CellChoice cell;
    cell.width = width;
    cell.height = height;
    return cell;
}

CommandOutput glyphs_table(const CommandOptions& options) {
    const QString text = options.required(u"--text"_s, u"the characters to convert"_s);
    if (glyph_characters(text).empty()) {
        refuse_value(u"--text"_s, text, u"the characters to convert, such as 中文"_s);
    }
    const FontChoice font{options.value(u"--font"_s).value_or(u"Unifont"_s),
                          options.has(u"--bold"_s)};
    if (!font_installed(font.family)) {
        refuse_value(u"--font"_s, font.family,
                     u"an installed family: "_s + QFontDatabase::families().join(u", "));
    }
    const CellChoice cell = cell_size(options);
    // A preset gives the layout; --scan, --order and --inverse change what they name of it.
    QStringList presets;
    for (const DisplayPreset& preset : display_presets()) {
        presets.append(preset.command_names.join(u'|'));
    }
    const PackOptions preset = display_presets()[options.choice(u"--preset"_s, presets, 0)].pack;
    const auto scan = static_cast<ScanMode>(
        options.choice(u"--scan"_s, {u"rows"_s, u"columns"_s, u"pages"_s, u"blocks"_s},
                       static_cast<int>(preset.scan)));
    const auto order = static_cast<BitOrder>(
        options.choice(u"--order"_s, {u"msb"_s, u"lsb"_s}, static_cast<int>(preset.order)));
    const auto dialect = static_cast<TextDialect>(
        options.choice(u"--dialect"_s, {u"c"_s, u"a51"_s, u"pic"_s, u"hex"_s}, 0));
    const PackOptions pack{scan, order,
                           options.has(u"--inverse"_s) ? Polarity::kLitIsZero : preset.polarity};
    TextOptions text_options{dialect, options.has(u"--per-glyph"_s)};
    if (const auto name = options.value(u"--name"_s)) {
        if (dialect != TextDialect::kC) {
            refuse(u"--name: only for --dialect c, whose arrays have names"_s);
        }
        if (!is_c_identifier(*name)) {
            refuse_value(u"--name"_s, *name,
                         u"a C name: a letter or '_', then letters, digits and '_', no "
                         "keyword, such as font_16"_s);
        }
        text_options.array_name = *name;
    }
    return {glyph_table(draw_text(text, font, cell),
                        {font_description(font), cell.width, cell.height}, pack, text_options),
            {}};
}

}  // namespace

Command glyphs_command() {
    return {
        .name = u"glyphs"_s,
        .synopsis = u"--text TEXT [options]"_s,
        .summary = u"characters to dot-matrix byte tables, as 字模 saves them"_s,
        .description = saved_file_description(u"the dot-matrix table of the characters"_s,
                                              u"that the 字模 window saves"_s),
        .options =
            {
                {u"--text"_s, u"TEXT"_s, u"the characters to convert"_s},
                {u"--font"_s, u"FAMILY"_s, u"an installed font family (default Unifont)"_s},
                {u"--bold"_s, {}, u"draw the characters bold"_s},
                {u"--size"_s, u"WIDTHxHEIGHT"_s,
                 u"the cell, 1 to 128 pixels each (default 16x16)"_s},
                {u"--preset"_s, u"rows|ssd1306|st7920"_s,
                 u"a display's layout: rows (逐行, 高位在前, 阴码; default),\nssd1306, sh1106 "
                 "or st7565 (列行, 低位在前, 阴码), st7920 or\nlcd12864 (逐行, 高位在前, 阴码); "
                 "--scan, --order and --inverse\nchange what they name of it"_s},
                {u"--scan"_s, u"rows|columns|pages|blocks"_s,
                 u"逐行 (default), 逐列, 列行 or 行列"_s},
                {u"--order"_s, u"msb|lsb"_s,
                 u"the first pixel of a byte in bit 7 (高位在前, default) or\nbit 0 (低位在前)"_s},
                {u"--inverse"_s, {}, u"a lit pixel is 0 (阳码); without it 1 (阴码)"_s},
                {u"--dialect"_s, u"c|a51|pic|hex"_s, u"the table's form (default c)"_s},
                {u"--per-glyph"_s, {}, u"C: one array per character"_s},
                {u"--name"_s, u"IDENT"_s,
                 u"C: the array's name (default glyphs; per glyph NAME_0, ...)"_s},
            },
        .examples =
            {
                u"brevik glyphs --text 温度 -o glyphs.h"_s,
                u"brevik glyphs --text 0123456789 --size 8x16 --preset ssd1306 --name digits "
                "-o digits.h"_s,
                u"brevik glyphs --text 0123456789 --size 8x16 --scan pages --order lsb --dialect "
                "a51"_s,
                u"brevik glyphs --text 中 --font \"Noto Sans CJK SC\" --bold --size 24x24 "
                "--per-glyph"_s,
            },
        .run = glyphs_table,
        .draws = true,
    };
}
