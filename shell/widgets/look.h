#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;
class QApplication;

// Colours and fonts as the windows give them: (red, green, blue) and face, points, style.
QColor rgb(int red, int green, int blue);

// The window's own colours, which a painted control or swatch may take.
QColor window_text_colour();
QColor menu_colour();
QColor menu_text_colour();
QColor button_face_colour();

// Fills the widget's background (form, label, picture box, option button).
void set_background(QWidget* widget, const QColor& colour);
// The face of a command button: painted flat in exactly this colour.
void set_face(QWidget* button, const QColor& colour);
// Text colour of a label, box or button.
void set_text_colour(QWidget* widget, const QColor& colour);

enum FontStyle { kPlain = 0, kBold = 1, kItalic = 2 };
// "宋体", and its fixed-pitch face "新宋体", in points; both are mapped to an installed CJK face
// at start.
QFont song_font(double points, int style = kPlain);
QFont fixed_pitch_song_font(double points, int style = kPlain);

// Style, default font and CJK face substitutions; called once, before any window is built.
void prepare_application(QApplication& app);
