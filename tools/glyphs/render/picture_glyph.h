#pragma once

#include "tools/glyphs/core/bit_matrix.h"

#include <QImage>
#include <QString>

// Pictures (PNG, BMP, JPG, GIF) turned into one glyph each.

struct PictureChoice {
    bool scale = false;  // scaled to width × height; otherwise the picture's own size
    int width = 16;
    int height = 16;
    int threshold = 128;  // 0 to 255: a pixel at least this light is off
    bool invert = false;
};

struct LoadedPicture {
    QImage image;   // null when the file could not be read
    QString error;  // why not
};

// Reads the first frame of a PNG, BMP, JPG or GIF file, judged by its content.
LoadedPicture load_picture(const QString& path);

// The picture's pixels against the threshold. A transparent pixel counts as white paper.
BitMatrix picture_bits(const QImage& image, const PictureChoice& choice);
