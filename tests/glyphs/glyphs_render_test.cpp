#include "tests/support/qt_printers.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/render/glyph_renderer.h"
#include "tools/glyphs/render/picture_glyph.h"

#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The bitmap of `character` in the font's own hex file: 32 hexadecimal digits for a character 8
// pixels wide, 64 for one 16 wide, rows from the top, the first pixel in the high bit.
QByteArray unifont_bitmap(char32_t character) {
    QFile file(u"/usr/share/unifont/unifont.hex"_s);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "the package unifont is missing";
    const QByteArray key = QByteArray::number(uint(character), 16).toUpper().rightJustified(4, '0');
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith(key + ':')) {
            return QByteArray::fromHex(line.mid(key.size() + 1));
        }
    }
    ADD_FAILURE() << "no bitmap of " << key.toStdString();
    return {};
}

TEST(GlyphRenderer, UnifontCharactersMatchTheFontsOwnBitmaps) {
    const QString family = u"Unifont"_s;
    ASSERT_TRUE(QFontDatabase::families().contains(family)) << "fonts-unifont is missing";
    for (const char32_t character : {U'A', U'中', U'国', U'é', U'→'}) {
        const QByteArray expected = unifont_bitmap(character);
        SCOPED_TRACE(expected.toHex().toStdString());
        const int width = expected.size() == 16 ? 8 : 16;  // half or full width
        GlyphRenderer renderer({family, false}, {width, 16, 0, 0});
        const auto bytes = pack_glyph(renderer.draw(character), {});
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
                  expected);
    }
}

// A glyph is shifted in its cell, and what falls outside is cut off. Unifont's A has 18H in
// row 4.
TEST(GlyphRenderer, ShiftsMoveTheGlyphInItsCell) {
    const struct {
        int shift_x;
        int shift_y;
        int row;
        std::uint8_t byte;
    } cases[] = {
        {0, 0, 4, 0x18}, {1, 0, 4, 0x0C}, {-2, 0, 4, 0x60}, {0, -4, 0, 0x18}, {0, 3, 7, 0x18},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shift_x * 100 + c.shift_y);
        GlyphRenderer renderer({u"Unifont"_s, false}, {8, 16, c.shift_x, c.shift_y});
        EXPECT_EQ(pack_glyph(renderer.draw(U'A'), {})[c.row], c.byte);
    }
}

TEST(PictureGlyph, GreyAtOrAboveTheThresholdIsOff) {
    // One row of the 256 greys, then a transparent black pixel (paper, so off).
    QImage image(257, 1, QImage::Format_ARGB32);
    for (int x = 0; x < 256; ++x) {
        image.setPixel(x, 0, qRgb(x, x, x));
    }
    image.setPixel(256, 0, qRgba(0, 0, 0, 0));
    const struct {
        int threshold;
        bool invert;
        int lit;  // the first `lit` pixels are lit, the rest are off (inverted: the other way)
    } cases[] = {{0, false, 0},     {1, false, 1},    {128, false, 128},
                 {255, false, 255}, {128, true, 128}, {0, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.threshold);
        const BitMatrix bits = picture_bits(image, {false, 0, 0, c.threshold, c.invert});
        ASSERT_EQ(bits.width(), 257);
        for (int x = 0; x < 257; ++x) {
            EXPECT_EQ(bits.lit(x, 0), (x < c.lit) != c.invert) << x;
        }
    }
    // Scaled, the picture takes the cell's size.
    const BitMatrix scaled = picture_bits(image, {true, 3, 5, 128, false});
    EXPECT_EQ(QSize(scaled.width(), scaled.height()), QSize(3, 5));
}

TEST(PictureGlyph, OnlyReadablePngBmpJpgAndGifFilesLoad) {
    QTemporaryDir dir;
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::black);
    const struct {
        const char* name;
        const char* format;  // nothing: the file holds text
        bool loads;
    } cases[] = {
        {"a.png", "PNG", true},     {"b.bmp", "BMP", true},  {"c.jpg", "JPG", true},
        {"d.gif", nullptr, false},  {"e.ico", "ICO", false}, {"f.png", nullptr, false},
        {"missing.png", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        if (!c.format) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("GIF89a but not really");
        } else if (*c.format) {
            ASSERT_TRUE(image.save(path, c.format));
        }
        const LoadedPicture picture = load_picture(path);
        EXPECT_EQ(!picture.image.isNull(), c.loads);
        EXPECT_EQ(picture.error.isEmpty(), c.loads) << picture.error.toStdString();
    }
}

}  // namespace
