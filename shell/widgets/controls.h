#pragma once

#include "combo_box.h"
#include "line_shape.h"
#include "text_box.h"
#include "twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

// Builds a form's controls: each gets its name as object name, its place in twips and, for the
// controls that take input, an accessible name (the caption of its label or its role).

QPushButton* add_button(QWidget* parent, const QString& name, const QString& caption,
                        const Twips& place);
QLabel* add_label(QWidget* parent, const QString& name, const QString& caption, const Twips& place);
TextBox* add_text_box(QWidget* parent, const QString& name, const QString& text, const Twips& place,
                      const QString& accessible_name,
                      TextBox::Lines lines = TextBox::Lines::kSingle,
                      TextBox::ScrollBars scroll_bars = TextBox::ScrollBars::kNone);
ComboBox* add_combo_box(QWidget* parent, const QString& name, const QString& text,
                        const Twips& place, const QString& accessible_name);
QRadioButton* add_option(QWidget* parent, const QString& name, const QString& caption,
                         const Twips& place);
// A frame that only shows its caption, used as a window's title.
QGroupBox* add_frame(QWidget* parent, const QString& name, const QString& caption,
                     const Twips& place);
// A window's heading: a frame whose caption is blue, 宋体 12 points.
QGroupBox* add_title_frame(QWidget* parent, const QString& name, const QString& caption,
                           const Twips& place);
// A sunken box that holds other controls or a drawing.
QFrame* add_picture(QWidget* parent, const QString& name, const Twips& place);
LineShape* add_line(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2);
