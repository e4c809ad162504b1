#include "goodbye_window.h"

#include "shell/widgets/look.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

namespace {

struct Piece {
    const char* text;
    int x;
    int y;
};

// Each piece's top left corner, in client pixels.
constexpr Piece kPieces[] = {
    {"GA", 110, 200}, {"ME", 250, 200}, {"OV", 400, 200}, {"ER", 550, 200}, {"!", 700, 200}};

}  // namespace

GoodbyeWindow::GoodbyeWindow(FormHost& host)
    : Form(host, QStringLiteral("Form2"), QStringLiteral("送客"), 9600, 7200, rgb(255, 0, 0)) {
    setWindowFlag(Qt::FramelessWindowHint);  // the letters are the whole window
    // Without a title bar the letters are all it shows, so they are what it reads as.
    setAccessibleName(QStringLiteral("GAME OVER!"));
    setAccessibleDescription(QStringLiteral("送客"));
    setFont(song_font(9, kBold | kItalic));
    m_close_timer = new QTimer(this);
    m_close_timer->setObjectName(QStringLiteral("Timer1"));
    m_close_timer->setInterval(1000);
    connect(m_close_timer, &QTimer::timeout, this, &GoodbyeWindow::on_tick);
}

void GoodbyeWindow::on_load() {
    m_ticks = 0;
    QFont outline = font();
    outline.setPointSize(100);
    setFont(outline);
    setWindowState(Qt::WindowMaximized);
    setMask(letter_region());
    update();
    m_close_timer->start();
}

QRegion GoodbyeWindow::letter_region() const {
    QPainterPath path;
    const int ascent = QFontMetrics(font()).ascent();
    for (const Piece& piece : kPieces) {
        path.addText(piece.x, piece.y + ascent, font(), QString::fromLatin1(piece.text));
    }
    path.setFillRule(Qt::WindingFill);
    const QRect bounds = path.boundingRect().toAlignedRect();
    QBitmap letters(bounds.right() + 1, bounds.bottom() + 1);
    letters.fill(Qt::color0);
    QPainter painter(&letters);
    painter.fillPath(path, Qt::color1);
    painter.end();
    return QRegion(letters);
}

void GoodbyeWindow::on_tick() {
    ++m_ticks;
    if (m_ticks > 2) {
        m_close_timer->stop();
        unload();
    }
}

// The window system moves the window when it can; without a window manager we move it.
void GoodbyeWindow::mousePressEvent(QMouseEvent* event) {
    if (windowHandle() && windowHandle()->startSystemMove()) {
        return;
    }
    m_dragging = true;
    m_grab = event->globalPosition().toPoint() - pos();
}

void GoodbyeWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        move(event->globalPosition().toPoint() - m_grab);
    }
}

void GoodbyeWindow::mouseReleaseEvent(QMouseEvent*) {
    m_dragging = false;
}
