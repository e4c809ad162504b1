#include "plot_box.h"

#include "layout_kit.h"
#include "look.h"
#include "plot_view.h"
#include "shell/host/form_host.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace {

const QColor kButtonFace = rgb(128, 255, 128);

}  // namespace

PlotBox::PlotBox(FormHost& host, const SampleStore& store, const QString& file_stem,
                 QWidget* parent)
    : QWidget(parent), m_host(host), m_store(store), m_file_stem(file_stem) {
    setObjectName(QStringLiteral("plot_box"));
    m_plot = new PlotView;
    m_plot->set_store(&store);
    m_axis = new_choice_box(QStringLiteral("axis_choice"), QStringLiteral("横轴"),
                            {{QStringLiteral("时间(秒)"), int(PlotAxis::kSeconds)},
                             {QStringLiteral("序号"), int(PlotAxis::kIndex)}});
    m_pause = new_check_box(QStringLiteral("pause_check"), QStringLiteral("暂停"));
    m_export_button =
        new_button(QStringLiteral("export_csv_button"), QStringLiteral("导出 CSV"), kButtonFace);
    m_picture_button =
        new_button(QStringLiteral("save_picture_button"), QStringLiteral("保存图片"), kButtonFace);

    m_controls = new QHBoxLayout;
    add_labelled(m_controls, QStringLiteral("横轴"), m_axis);
    m_controls->addWidget(m_pause);
    m_controls->addStretch(1);
    m_controls->addWidget(m_export_button);
    m_controls->addWidget(m_picture_button);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(m_controls);
    column->addWidget(m_plot, 1);

    connect(m_axis, &QComboBox::currentIndexChanged, this,
            [this] { m_plot->set_axis(static_cast<PlotAxis>(m_axis->currentData().toInt())); });
    connect(m_pause, &QCheckBox::toggled, m_plot, &PlotView::set_paused);
    connect(m_export_button, &QPushButton::clicked, this, &PlotBox::export_csv);
    connect(m_picture_button, &QPushButton::clicked, this, &PlotBox::save_picture);
}

void PlotBox::data_changed() {
    m_plot->data_changed();
}

bool PlotBox::export_csv() {
    const auto path = m_host.save_file(
        {QStringLiteral("导出 CSV"), QStringLiteral("CSV 文件（*.csv）|*.csv|所有文件（*.*）|*.*"),
         QStringLiteral(".csv"), m_file_stem + QStringLiteral(".csv")});
    return path && save_text_file(m_host, *path, csv_text(m_store));
}

bool PlotBox::save_picture() {
    const auto path = m_host.save_file(
        {QStringLiteral("保存图片"), QStringLiteral("PNG 图片（*.png）|*.png|所有文件（*.*）|*.*"),
         QStringLiteral(".png"), m_file_stem + QStringLiteral(".png")});
    if (!path) {
        return false;
    }
    // Made whole in memory first: the PNG writer does not report a device that fills up.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    m_plot->grab().toImage().save(&buffer, "PNG");
    // Written aside and put in place whole: a failed write leaves an old picture as it was.
    QSaveFile file(*path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.commit()) {
        return true;
    }
    const QString reason =
        file.errorString().isEmpty() ? QStringLiteral("写入失败") : file.errorString();
    file.cancelWriting();
    m_host.message(
        QStringLiteral("无法保存文件：%1\r%2").arg(QDir::toNativeSeparators(*path), reason));
    return false;
}
