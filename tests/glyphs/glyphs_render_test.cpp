#include "tests/support/qt_printers.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/render/glyph_renderer.h"
#include "tools/glyphs/render/picture_glyph.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Each character as the font's own hex file draws it: a line "4E2D:" and 32 hexadecimal digits
// for a character 8 pixels wide, 64 for one 16 wide, rows from the top, the left pixel high.
TEST(GlyphRenderer, UnifontCharactersMatchTheFontsOwnBitmaps) {
    ASSERT_TRUE(font_installed(u"Unifont"_s)) << "fonts-unifont is missing";
    QFile file(u"/usr/share/unifont/unifont.hex"_s);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the package unifont is missing";
    const QByteArray font = file.readAll();
    for (const char32_t character : {U'A', U'中', U'国', U'é', U'→'}) {
        const QByteArray key =
            '\n' + QByteArray::number(uint(character), 16).toUpper().rightJustified(4, '0') + ':';
        const qsizetype at = font.indexOf(key) + key.size();
        ASSERT_GE(at, key.size()) << key.toStdString();
        const QByteArray expected = QByteArray::fromHex(font.mid(at, font.indexOf('\n', at) - at));
        GlyphRenderer renderer({u"Unifont"_s, false}, {expected.size() == 16 ? 8 : 16, 16, 0, 0});
        const auto bytes = pack_glyph(renderer.draw(character), {});
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
                  expected);
    }
}

// A glyph is shifted in its cell, and what falls outside is cut off. Unifont's A has 18H in
// row 4.
TEST(GlyphRenderer, ShiftsMoveTheGlyphInItsCell) {
    // Shifts across and down, a row and its byte.
    const std::tuple<int, int, int, std::uint8_t> cases[] = {
        {0, 0, 4, 0x18}, {1, 0, 4, 0x0C}, {-2, 0, 4, 0x60}, {0, -4, 0, 0x18}, {0, 3, 7, 0x18},
    };
    for (const auto& [shift_x, shift_y, row, byte] : cases) {
        GlyphRenderer renderer({u"Unifont"_s, false}, {8, 16, shift_x, shift_y});
        EXPECT_EQ(pack_glyph(renderer.draw(U'A'), {})[row], byte) << shift_x << " " << shift_y;
    }
}

TEST(PictureGlyph, GreyAtOrAboveTheThresholdIsOff) {
    // One row of the 256 greys, then a transparent black pixel (paper, so off).
    QImage image(257, 1, QImage::Format_ARGB32);
    for (int x = 0; x < 256; ++x) {
        image.setPixel(x, 0, qRgb(x, x, x));
    }
    image.setPixel(256, 0, qRgba(0, 0, 0, 0));
    // The threshold, inverted or not: the first `threshold` pixels are lit, the rest are off
    // (inverted: the other way).
    for (const auto& [threshold, invert] :
         {std::pair{0, false}, {1, false}, {128, false}, {255, false}, {128, true}, {0, true}}) {
        const BitMatrix bits = picture_bits(image, {false, 0, 0, threshold, invert});
        ASSERT_EQ(bits.width(), 257);
        for (int x = 0; x < 257; ++x) {
            EXPECT_EQ(bits.lit(x, 0), (x < threshold) != invert) << threshold << " " << x;
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
    // The file, its format (nothing: the file holds text), whether it loads.
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"a.png", "PNG", true},     {"b.bmp", "BMP", true},  {"c.jpg", "JPG", true},
        {"d.gif", nullptr, false},  {"e.ico", "ICO", false}, {"f.png", nullptr, false},
        {"missing.png", "", false},
    };
    for (const auto& [name, format, loads] : cases) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromLatin1(name));
        if (!format) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("GIF89a but not really");
        } else if (*format) {
            ASSERT_TRUE(image.save(path, format));
        }
        const LoadedPicture picture = load_picture(path);
        EXPECT_EQ(!picture.image.isNull(), loads);
        EXPECT_EQ(picture.error.isEmpty(), loads) << picture.error.toStdString();
    }
}

}  // namespace
