#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Window positions are given in twips (1/1440 inch); 15 twips make one pixel at 96 dpi, and
// Qt scales logical pixels on denser screens.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

int to_pixels(int twips);
QRect to_pixels(const Twips& rect);
QSize to_pixels(int width_twips, int height_twips);

// Gives `widget` the position and size `rect`, in twips from the top left of its parent.
void place(QWidget* widget, const Twips& rect);
