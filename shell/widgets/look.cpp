#include "look.h"

#include "flat_face_style.h"
#include "text_box.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

QColor rgb(int red, int green, int blue) {
    return QColor(red, green, blue);
}

QColor window_text_colour() {
    return QApplication::palette().color(QPalette::WindowText);
}
QColor menu_colour() {
    return QApplication::palette().color(QPalette::Window);
}
QColor menu_text_colour() {
    return QApplication::palette().color(QPalette::WindowText);
}
QColor button_face_colour() {
    return QApplication::palette().color(QPalette::Button);
}

void set_background(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    // Only a box that takes text paints its editing area in the colour; on a window or
    // container it would leak into every text box inside.
    if (qobject_cast<TextBox*>(widget) || qobject_cast<QComboBox*>(widget)) {
        palette.setColor(QPalette::Base, colour);
    }
    widget->setPalette(palette);
    // Buttons fill from their Button role; an option button's background is its Window colour.
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

void set_face(QWidget* button, const QColor& colour) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colour);
    button->setPalette(palette);
    FlatFaceStyle::mark_painted(button);
}

void set_text_colour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

namespace {

QFont styled(const QString& family, double points, int style) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(style & kBold);
    font.setItalic(style & kItalic);
    return font;
}

// 宋体 and 新宋体 draw Latin letters and spaces half as wide as Chinese characters, and the
// windows' captions are spaced for that (band numbers over stripes, hints split by spaces), so
// a face with the same metrics comes first; any CJK face beats none.
void substitute_song_faces() {
    const QStringList installed = QFontDatabase::families();
    QStringList faces;
    for (const char* candidate :
         {"Noto Sans Mono CJK SC", "Noto Serif CJK SC", "Noto Sans CJK SC", "AR PL UMing CN",
          "WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "Droid Sans Fallback"}) {
        if (installed.contains(QString::fromLatin1(candidate))) {
            faces.append(QString::fromLatin1(candidate));
        }
    }
    if (faces.isEmpty()) {
        return;
    }
    for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("新宋体"),
                                QStringLiteral("SimSun"), QStringLiteral("NSimSun")}) {
        QFont::insertSubstitutions(name, faces);
    }
}

}  // namespace

QFont song_font(double points, int style) {
    return styled(QStringLiteral("宋体"), points, style);
}

QFont fixed_pitch_song_font(double points, int style) {
    return styled(QStringLiteral("新宋体"), points, style);
}

void prepare_application(QApplication& app) {
    // One style everywhere, so painted button faces look the same on every desktop.
    app.setStyle(new FlatFaceStyle);
    substitute_song_faces();
    app.setFont(song_font(9));
}
