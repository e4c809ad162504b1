#include "twips.h"

#include <QWidget>

#include <cmath>

namespace {
constexpr double kTwipsPerPixel = 15.0;
}

int to_pixels(int twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QRect to_pixels(const Twips& rect) {
    return {to_pixels(rect.left), to_pixels(rect.top), to_pixels(rect.width),
            to_pixels(rect.height)};
}

QSize to_pixels(int width_twips, int height_twips) {
    return {to_pixels(width_twips), to_pixels(height_twips)};
}

void place(QWidget* widget, const Twips& rect) {
    widget->setGeometry(to_pixels(rect));
}
