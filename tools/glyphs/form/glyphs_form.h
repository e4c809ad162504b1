#pragma once

#include "shell/widgets/form.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/core/glyph_text.h"

#include <QImage>

#include <optional>

class GlyphPreview;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// 字模: characters or a picture drawn into cells of dots, shown enlarged for touching up, and
// written as byte tables for firmware.
class GlyphsForm : public Form {
    Q_OBJECT
public:
    explicit GlyphsForm(FormHost& host);
    ~GlyphsForm() override;

    GlyphPreview* preview() const { return m_preview; }

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void on_drawing_changed(bool redraw);
    void on_preset_chosen();
    void on_layout_changed();
    void on_text_edited();
    void on_open_picture_clicked();
    void on_generate_clicked();
    void on_copy_clicked();
    void on_save_clicked();

private:
    QWidget* build_source_panel();
    QWidget* build_output_panel();

    void draw();
    // What stops a table: no text, a cell of 0, a picture too large; nothing when all is well.
    std::optional<QString> problem() const;
    // problem(), or an array name C would refuse.
    std::optional<QString> table_problem() const;
    PackOptions pack_options() const;
    // The 预设 item that names the options shown: the one chosen while it still matches.
    void show_matching_preset();
    // 数组名 and 每字一个数组 are for C only.
    void show_array_choices();
    // The table of the glyphs as the preview shows them, or nothing after a message.
    std::optional<QString> generate();
    void restore_choices();
    void remember_choices() const;

    QLineEdit* m_text = nullptr;
    QComboBox* m_font = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
    QCheckBox* m_bold = nullptr;
    QSpinBox* m_shift_x = nullptr;
    QSpinBox* m_shift_y = nullptr;
    QLabel* m_picture_name = nullptr;
    QCheckBox* m_scale = nullptr;
    QSpinBox* m_threshold = nullptr;
    QCheckBox* m_invert = nullptr;
    GlyphPreview* m_preview = nullptr;
    QComboBox* m_preset = nullptr;
    QRadioButton* m_positive = nullptr;
    QRadioButton* m_negative = nullptr;
    QComboBox* m_scan = nullptr;
    QComboBox* m_order = nullptr;
    QComboBox* m_dialect = nullptr;
    QLineEdit* m_array_name = nullptr;
    QCheckBox* m_per_glyph = nullptr;
    QPlainTextEdit* m_output = nullptr;

    // The picture that stands in for the text since it was opened, until the text is edited.
    QImage m_picture;
    QString m_picture_path;
    bool m_restoring = false;
    bool m_setting_preset = false;
};
