#include "glyphs_command.h"

#include "shell/host/text_file.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/core/glyph_text.h"
#include "tools/glyphs/render/glyph_renderer.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <optional>

namespace {

constexpr int kUsageError = 2;
constexpr int kWriteError = 1;

struct Choice {
    const char* name;
    int value;
};

// The value of `option` among `names`, in the order of its enumeration; nothing after telling
// `err` which values it takes.
std::optional<int> pick(const QCommandLineParser& parser, const QString& option,
                        const QStringList& names, QTextStream& err) {
    if (!parser.isSet(option)) {
        return 0;
    }
    const QString value = parser.value(option);
    const qsizetype index = names.indexOf(value);
    if (index < 0) {
        err << QStringLiteral("glyphs: --%1 takes %2, not \"%3\"\n")
                   .arg(option, names.join(QStringLiteral(", ")), value);
        return std::nullopt;
    }
    return static_cast<int>(index);
}

std::optional<CellChoice> cell_size(const QString& text, QTextStream& err) {
    static const QRegularExpression kSize(QStringLiteral("^(\\d{1,3})x(\\d{1,3})$"));
    const QRegularExpressionMatch match = kSize.match(text);
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (!match.hasMatch() || width < 1 || width > 128 || height < 1 || height > 128) {
        err << QStringLiteral(
                   "glyphs: --size takes WIDTHxHEIGHT, each 1 to 128 (16x16), not "
                   "\"%1\"\n")
                   .arg(text);
        return std::nullopt;
    }
    CellChoice cell;
    cell.width = width;
    cell.height = height;
    return cell;
}

bool write_whole(const QString& path, const QByteArray& bytes, QTextStream& err) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err << QStringLiteral("glyphs: cannot write %1: %2\n").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace

int glyphs_main(int argc, char* argv[]) {
    // The fonts need a window system, but a build machine has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QStringList arguments = QGuiApplication::arguments();
    arguments.removeAt(1);  // "glyphs"
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)) {
        return kWriteError;
    }
    QTextStream err(stderr);
    return run_glyphs_command(arguments, out, err);
}

int run_glyphs_command(const QStringList& arguments, QIODevice& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the dot-matrix table of characters, as the 字模 window saves it."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOptions({
        help,
        {QStringLiteral("text"), QStringLiteral("The characters to convert."),
         QStringLiteral("TEXT")},
        {QStringLiteral("font"), QStringLiteral("An installed font family (default: Unifont)."),
         QStringLiteral("FAMILY")},
        {QStringLiteral("bold"), QStringLiteral("Draw the characters bold.")},
        {QStringLiteral("size"), QStringLiteral("The cell, 1 to 128 each (default: 16x16)."),
         QStringLiteral("WIDTHxHEIGHT")},
        {QStringLiteral("scan"),
         QStringLiteral("rows (逐行, default), columns (逐列), pages (列行) or blocks (行列)."),
         QStringLiteral("MODE")},
        {QStringLiteral("order"),
         QStringLiteral("msb: first pixel in bit 7 (default); lsb: in bit 0."),
         QStringLiteral("ORDER")},
        {QStringLiteral("inverse"), QStringLiteral("A lit pixel is 0 (阳码).")},
        {QStringLiteral("dialect"), QStringLiteral("c (default), a51, pic or hex."),
         QStringLiteral("DIALECT")},
        {QStringLiteral("per-glyph"), QStringLiteral("C: one array per character.")},
        {QStringLiteral("o"), QStringLiteral("Write to FILE instead of standard output."),
         QStringLiteral("FILE")},
    });
    const auto usage_error = [&](const QString& text) {
        err << text
            << QStringLiteral(
                   "\nValid options: --text, --font, --bold, --size, --scan, "
                   "--order, --inverse, --dialect, --per-glyph, -o\n");
        return kUsageError;
    };
    if (!parser.parse(arguments)) {
        return usage_error(QStringLiteral("glyphs: ") + parser.errorText());
    }
    if (parser.isSet(help)) {
        out.write(parser.helpText()
                      .replace(QStringLiteral("<executable_name> [options]"),
                               QStringLiteral("brevik glyphs [options]"))
                      .toUtf8());
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usage_error(QStringLiteral("glyphs: unexpected argument \"%1\"")
                               .arg(parser.positionalArguments()[0]));
    }
    const QString text = parser.value(QStringLiteral("text"));
    if (glyph_characters(text).empty()) {
        return usage_error(QStringLiteral("glyphs: --text needs the characters to convert"));
    }
    FontChoice font{parser.isSet(QStringLiteral("font")) ? parser.value(QStringLiteral("font"))
                                                         : QStringLiteral("Unifont"),
                    parser.isSet(QStringLiteral("bold"))};
    if (!font_installed(font.family)) {
        err << QStringLiteral(
                   "glyphs: --font takes an installed family, not \"%1\"; installed: "
                   "%2\n")
                   .arg(font.family, QFontDatabase::families().join(QStringLiteral(", ")));
        return kUsageError;
    }
    const auto cell =
        cell_size(parser.isSet(QStringLiteral("size")) ? parser.value(QStringLiteral("size"))
                                                       : QStringLiteral("16x16"),
                  err);
    const auto scan =
        pick(parser, QStringLiteral("scan"), {"rows", "columns", "pages", "blocks"}, err);
    const auto order = pick(parser, QStringLiteral("order"), {"msb", "lsb"}, err);
    const auto dialect = pick(parser, QStringLiteral("dialect"), {"c", "a51", "pic", "hex"}, err);
    if (!cell || !scan || !order || !dialect) {
        return kUsageError;
    }

    const PackOptions pack{
        static_cast<ScanMode>(*scan), static_cast<BitOrder>(*order),
        parser.isSet(QStringLiteral("inverse")) ? Polarity::kLitIsZero : Polarity::kLitIsOne};
    const QString table = glyph_table(
        draw_text(text, font, *cell), {font_description(font), cell->width, cell->height}, pack,
        {static_cast<TextDialect>(*dialect), parser.isSet(QStringLiteral("per-glyph"))});
    // The bytes write_text_file gives the window's 保存.
    const QByteArray bytes = encode_text(table + QStringLiteral("\r\n"));
    if (parser.isSet(QStringLiteral("o"))) {
        return write_whole(parser.value(QStringLiteral("o")), bytes, err) ? 0 : kWriteError;
    }
    return out.write(bytes) == bytes.size() ? 0 : kWriteError;
}
