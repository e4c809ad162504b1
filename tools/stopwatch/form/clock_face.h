#pragma once

#include <QFrame>
#include <QPixmap>

// A picture box showing a wall-clock dial of 129 × 129 pixels at the top left of its inside:
// a round face, the numerals 1 to 12 and a mark for every minute. Hands go on hands_layer(),
// which covers the inside, so that their twips count from its top left.
class ClockFace : public QFrame {
    Q_OBJECT
public:
    // `centre` is where the hands meet, in pixels of the inside.
    ClockFace(QWidget* parent, QPointF centre);

    QWidget* hands_layer() const { return m_hands_layer; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap m_dial;
    QWidget* m_hands_layer;
};
