#pragma once

#include <QProxyStyle>

// The program's style: Fusion, except that a painted button's face is drawn flat in exactly its
// colour, with a thin bevel, where Fusion would shade it into a lighter gradient. Users match
// these faces against real colours (resistor bands, the tachometer's bar), so the colour must be
// the one given.
class FlatFaceStyle : public QProxyStyle {
    Q_OBJECT
public:
    FlatFaceStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

    // Marks `button` as painted: its face is its palette's button colour, drawn flat.
    static void mark_painted(QWidget* button);
};
