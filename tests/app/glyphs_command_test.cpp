#include "app/glyphs_command.h"
#include "tests/support/qt_printers.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(GlyphsCommand, ABadOptionNamesItsValidValuesAndWritesNothing) {
    const struct {
        QStringList arguments;
        const char16_t* message;
    } cases[] = {
        {{u"--scan"_s, u"diagonal"_s}, u"--scan takes rows, columns, pages, blocks, not"},
        {{u"--order"_s, u"middle"_s}, u"--order takes msb, lsb, not"},
        {{u"--dialect"_s, u"basic"_s}, u"--dialect takes c, a51, pic, hex, not"},
        {{u"--size"_s, u"0x16"_s}, u"--size takes WIDTHxHEIGHT, each 1 to 128"},
        {{u"--font"_s, u"No Such Font"_s}, u"--font takes an installed family"},
        {{u"--colour"_s}, u"Valid options: --text, --font,"},
        {{u"--text"_s, u"\r\n"_s}, u"--text needs the characters"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(u"table.txt"_s);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QString err;
        QTextStream err_stream(&err);
        QStringList arguments = {u"brevik"_s, u"--text"_s, u"中"_s, u"-o"_s, path};
        EXPECT_EQ(run_glyphs_command(arguments + c.arguments, out, err_stream), 2);
        EXPECT_TRUE(err.contains(QString::fromUtf16(c.message))) << err.toStdString();
        EXPECT_TRUE(out.data().isEmpty());
        EXPECT_FALSE(QFile::exists(path));
    }
}

}  // namespace
