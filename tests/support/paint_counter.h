#pragma once

#include <QEvent>
#include <QObject>

// Counts the pictures a widget paints, as an event filter installed on it.
class PaintCounter : public QObject {
public:
    int pictures = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        pictures += event->type() == QEvent::Paint;
        return false;
    }
};
