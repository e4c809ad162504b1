#pragma once

#include "shell/widgets/form.h"

#include <QPoint>
#include <QTimer>

// Form2, "送客": a red window shaped like the words GAME OVER!, dragged by its letters, that
// closes itself on the third tick of its one-second timer.
class GoodbyeWindow : public Form {
    Q_OBJECT
public:
    explicit GoodbyeWindow(FormHost& host);

    // One tick of the one-second timer; the third closes the window.
    void on_tick();

    // The letter shapes, in client coordinates: the window's shape after loading.
    QRegion letter_region() const;

protected:
    void on_load() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QTimer* m_close_timer;
    int m_ticks = 0;
    bool m_dragging = false;
    QPoint m_grab;  // the pressed point, relative to the window's top left
};
