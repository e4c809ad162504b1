#include "unit_converter_form.h"

#include "base/number_text.h"
#include "shell/host/form_host.h"
#include "shell/widgets/look.h"
#include "tools/units/core/unit_conversion.h"

namespace {

// Top of each category and how far right its half of the window starts.
struct Slot {
    int top;
    int shift;
};
constexpr Slot kSlots[kUnitCategoryCount] = {{120, 0},  {1680, 0},   {3240, 0},    {4800, 0},
                                             {6360, 0}, {120, 4920}, {1680, 4920}, {3240, 4920}};

template <typename Control>
Control* indexed(Control* control, int index) {
    control->setProperty("index", index);
    return control;
}

// On Linux a combo box reads as its current text, and this window shows no label beside its
// unit boxes: a label that is never shown says which box it is.
ComboBox* labelled(ComboBox* units) {
    auto* label = new QLabel(units->accessibleName(), units->parentWidget());
    label->hide();
    label->setBuddy(units);
    return units;
}

}  // namespace

UnitConverterForm::UnitConverterForm(FormHost& host)
    : Form(host, QStringLiteral("单位换算"), QStringLiteral("单位换算"), 9795, 8145,
           rgb(255, 255, 192)) {
    for (int i = 0; i < kUnitCategoryCount; ++i) {
        const UnitCategory& category = unit_categories()[i];
        const int top = kSlots[i].top;
        const int x = kSlots[i].shift;

        QLabel* title =
            indexed(add_label(this, "Label1", category.title, {2400 + x, top, 495, 255}), i);
        title->setFont(song_font(12));
        set_text_colour(title, rgb(255, 0, 0));

        QLabel* input =
            indexed(add_label(this, "Label2", "输入", {120 + x, top + 360, 855, 255}), i);
        input->setFont(song_font(12));
        set_text_colour(input, rgb(0, 255, 255));

        // The top-left "=" stands level with its boxes; the others a little lower.
        const int equals_top = i == 0 ? top + 360 : top + 480;
        QLabel* equals =
            indexed(add_label(this, "Label3", "=", {2640 + x, equals_top, 255, 255}), i);
        equals->setFont(song_font(14.25));
        set_text_colour(equals, rgb(0, 0, 255));

        m_first_values[i] =
            indexed(add_text_box(this, "Text1", "0", {1080 + x, top + 360, 1455, 375},
                                 category.title + QStringLiteral(" 第一个值")),
                    i);
        m_second_values[i] =
            indexed(add_text_box(this, "Text2", "0", {3000 + x, top + 360, 1335, 375},
                                 category.title + QStringLiteral(" 第二个值")),
                    i);
        QPushButton* convert =
            indexed(add_button(this, "Command2", "转换", {120 + x, top + 840, 495, 375}), i);
        convert->setAccessibleName(category.title + QStringLiteral(" 转换"));
        set_face(convert, rgb(0, 255, 0));
        m_first_units[i] =
            indexed(labelled(add_combo_box(this, "Combo1", category.default_unit,
                                           {1080 + x, top + 840, 1455, 300},
                                           category.title + QStringLiteral(" 第一个单位"))),
                    i);
        m_second_units[i] =
            indexed(labelled(add_combo_box(this, "Combo2", category.default_unit,
                                           {3000 + x, top + 840, 1335, 300},
                                           category.title + QStringLiteral(" 第二个单位"))),
                    i);

        connect(convert, &QPushButton::clicked, this, [this, i] { on_convert_clicked(i); });
        for (TextBox* box : {m_first_values[i], m_second_values[i]}) {
            connect(box, &TextBox::changed, this, [this, box] { on_value_changed(box); });
        }
    }

    add_line(this, "Line1", 0, 1560, 9795, 1560);
    const int heights[] = {3000, 4560, 6120, 7680};
    for (int i = 0; i < 4; ++i) {
        indexed(add_line(this, "Line2", 0, heights[i], 9795, heights[i]), i);
    }
    add_line(this, "Line3", 4800, 0, 4800, 7680);
}

void UnitConverterForm::on_load() {
    for (int i = 0; i < kUnitCategoryCount; ++i) {
        const UnitCategory& category = unit_categories()[i];
        for (ComboBox* units : {m_first_units[i], m_second_units[i]}) {
            units->addItems(category.unit_names());
            // The default is a list item, so the open list and the arrow keys start from it.
            units->setCurrentIndex(units->findText(category.default_unit));
        }
    }
}

void UnitConverterForm::on_convert_clicked(int category) {
    const Conversion conversion =
        convert(unit_categories()[category], m_first_units[category]->text(),
                m_second_units[category]->text(), text_to_number(m_first_values[category]->text()));
    if (!conversion.error.isEmpty()) {
        host().message(conversion.error);
        return;
    }
    m_second_values[category]->setText(number_to_text(conversion.value));
}

void UnitConverterForm::on_value_changed(TextBox* box) {
    if (!is_numeric(box->text())) {
        host().message(QStringLiteral("输入错误"));
        box->setText(QStringLiteral("0"));
    }
}
