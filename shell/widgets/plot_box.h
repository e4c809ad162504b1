#pragma once

#include "base/sample_store.h"

#include <QWidget>

class FormHost;
class PlotView;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QPushButton;

// A plot and the choices every plot of the toolbox offers: 横轴 (seconds or record number), 暂停,
// 导出 CSV (every kept sample, through the host's save dialog) and 保存图片 (a PNG of the plot).
// A tool adds its own choices to controls_row().
class PlotBox : public QWidget {
    Q_OBJECT
public:
    // `store` stays the caller's and must outlive the box; `file_stem` names the proposed files.
    PlotBox(FormHost& host, const SampleStore& store, const QString& file_stem,
            QWidget* parent = nullptr);

    PlotView* plot() const { return m_plot; }
    QHBoxLayout* controls_row() const { return m_controls; }
    // 横轴: seconds or record number, as the user chose.
    QComboBox* axis_box() const { return m_axis; }
    // The store has changed.
    void data_changed();

    // What 导出 CSV and 保存图片 do; false when cancelled or when the file could not be written
    // (which a message says, leaving an old file whole).
    bool export_csv();
    bool save_picture();

private:
    FormHost& m_host;
    const SampleStore& m_store;
    QString m_file_stem;
    PlotView* m_plot;
    QHBoxLayout* m_controls;
    QComboBox* m_axis;
    QCheckBox* m_pause;
    QPushButton* m_export_button;
    QPushButton* m_picture_button;
};
