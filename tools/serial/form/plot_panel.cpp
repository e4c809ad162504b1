#include "plot_panel.h"

#include "shell/host/form_host.h"
#include "shell/widgets/layout_kit.h"
#include "shell/widgets/plot_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

PlotPanel::PlotPanel(FormHost& host, QWidget* parent) : QWidget(parent), m_host(host) {
    setObjectName(QStringLiteral("plot_panel"));
    m_box = new PlotBox(host, m_store, QStringLiteral("波形"));
    m_binary_frames =
        new_check_box(QStringLiteral("binary_frames_check"), QStringLiteral("二进制浮点帧"));
    m_binary_frames->setToolTip(
        QStringLiteral("小端 32 位浮点数，每帧以 00 00 80 7F 结尾；不选时按文本行读数"));
    m_box->controls_row()->insertWidget(0, m_binary_frames);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_box);

    connect(m_binary_frames, &QCheckBox::toggled, this, [this](bool on) {
        m_parser.set_binary_frames(on);
        emit choices_changed();
    });
    connect(m_box->axis_box(), &QComboBox::currentIndexChanged, this, &PlotPanel::choices_changed);
}

PlotChoices PlotPanel::choices() const {
    return {m_binary_frames->isChecked(),
            static_cast<PlotAxis>(m_box->axis_box()->currentData().toInt())};
}

void PlotPanel::set_choices(const PlotChoices& choices) {
    m_binary_frames->setChecked(choices.binary_frames);
    select_value(m_box->axis_box(), static_cast<int>(choices.axis));
}

void PlotPanel::add_bytes(const QByteArray& bytes) {
    const std::vector<NamedValues> records = m_parser.push(bytes);
    if (records.empty()) {
        return;
    }
    const double seconds = m_host.steady_ms() / 1000.0;
    for (const NamedValues& record : records) {
        m_store.add(seconds, record);
    }
    m_box->data_changed();
}
