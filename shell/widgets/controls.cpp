#include "controls.h"

#include "look.h"

namespace {

template <typename Control>
Control* named(Control* control, const QString& name, const Twips& where) {
    control->setObjectName(name);
    place(control, where);
    return control;
}

}  // namespace

QPushButton* add_button(QWidget* parent, const QString& name, const QString& caption,
                        const Twips& place) {
    return named(new QPushButton(caption, parent), name, place);
}

QLabel* add_label(QWidget* parent, const QString& name, const QString& caption,
                  const Twips& place) {
    auto* label = named(new QLabel(caption, parent), name, place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

TextBox* add_text_box(QWidget* parent, const QString& name, const QString& text, const Twips& place,
                      const QString& accessible_name, TextBox::Lines lines,
                      TextBox::ScrollBars scroll_bars) {
    auto* box = named(new TextBox(parent, lines, scroll_bars), name, place);
    box->setText(text);
    box->setAccessibleName(accessible_name);
    box->editor()->setAccessibleName(accessible_name);
    return box;
}

ComboBox* add_combo_box(QWidget* parent, const QString& name, const QString& text,
                        const Twips& place, const QString& accessible_name) {
    auto* combo = named(new ComboBox(parent), name, place);
    combo->setText(text);
    combo->setAccessibleName(accessible_name);
    return combo;
}

QRadioButton* add_option(QWidget* parent, const QString& name, const QString& caption,
                         const Twips& place) {
    auto* option = named(new QRadioButton(caption, parent), name, place);
    option->setAccessibleName(caption);
    return option;
}

QGroupBox* add_frame(QWidget* parent, const QString& name, const QString& caption,
                     const Twips& place) {
    return named(new QGroupBox(caption, parent), name, place);
}

QGroupBox* add_title_frame(QWidget* parent, const QString& name, const QString& caption,
                           const Twips& place) {
    QGroupBox* title = add_frame(parent, name, caption, place);
    title->setFont(song_font(12));
    set_text_colour(title, rgb(0, 0, 255));
    return title;
}

QFrame* add_picture(QWidget* parent, const QString& name, const Twips& place) {
    auto* picture = named(new QFrame(parent), name, place);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return picture;
}

LineShape* add_line(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2) {
    auto* line = new LineShape(parent, x1, y1, x2, y2);
    line->setObjectName(name);
    return line;
}
