#pragma once

#include <QWidget>

#include <vector>

// A drawing of one frame as the receiver saw it: pulses high, spaces low, each marked with its
// length in microseconds where there is room, so a user can see why a frame did not decode.
// Accessibility reads the lengths as text.
class PulseView : public QWidget {
    Q_OBJECT
public:
    explicit PulseView(QWidget* parent = nullptr);

    // Signed microseconds: a pulse positive, a space negative.
    void set_timings(const std::vector<qint32>& timings);
    const std::vector<qint32>& timings() const { return m_timings; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<qint32> m_timings;
};
