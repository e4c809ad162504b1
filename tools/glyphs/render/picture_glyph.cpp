#include "picture_glyph.h"

#include <QImageReader>

#include <algorithm>

LoadedPicture load_picture(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    static const QList<QByteArray> kFormats = {"png", "bmp", "jpeg", "jpg", "gif"};
    if (reader.canRead() && !kFormats.contains(reader.format().toLower())) {
        return {QImage(), QStringLiteral("不是 PNG、BMP、JPG 或 GIF 图片")};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {QImage(), reader.errorString()};
    }
    return {image, QString()};
}

BitMatrix picture_bits(const QImage& image, const PictureChoice& choice) {
    if (image.isNull()) {
        return {};
    }
    QImage source = image;
    if (choice.scale) {
        if (choice.width <= 0 || choice.height <= 0) {
            return {};
        }
        source = image.scaled(choice.width, choice.height, Qt::IgnoreAspectRatio,
                              Qt::SmoothTransformation);
    }
    source = source.convertToFormat(QImage::Format_ARGB32);
    BitMatrix bits(source.width(), source.height());
    const int threshold = std::clamp(choice.threshold, 0, 255);
    for (int y = 0; y < source.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            const int grey = (qGray(line[x]) * alpha + 255 * (255 - alpha)) / 255;
            bits.set(x, y, (grey < threshold) != choice.invert);
        }
    }
    return bits;
}
