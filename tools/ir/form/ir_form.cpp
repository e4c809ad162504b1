#include "ir_form.h"

#include "base/text_file.h"
#include "pulse_view.h"
#include "shell/host/form_host.h"
#include "shell/widgets/layout_kit.h"
#include "shell/widgets/look.h"
#include "tools/ir/core/ir_encoder.h"
#include "tools/ir/core/key_export.h"
#include "tools/ir/core/timing_file.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QColor kBackground = rgb(255, 255, 192);
const QColor kStartFace = rgb(0, 255, 0);
const QColor kStopFace = rgb(255, 0, 0);
const QColor kButtonFace = rgb(128, 255, 128);
const QString kRecordingFilter =
    QStringLiteral("录制文件（*.txt;*.ir;*.mode2）|*.txt;*.ir;*.mode2|所有文件（*.*）|*.*");

QTableWidgetItem* fixed_item(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// The seconds from the start of the stream, as the 时间 column shows them.
QString time_text(qint64 us) {
    return QString::number(double(us) / 1e6, 'f', 3);
}

}  // namespace

IrForm::IrForm(FormHost& host)
    : Form(host, QStringLiteral("红外读码器"), QStringLiteral("红外读码器"), 11000, 8400,
           kBackground) {
    if (auto settings = host.settings()) {
        m_settings.load(*settings);
    }
    build_controls();
    refresh_devices();
    select_value(m_format_box, export_key(m_settings.format));

    connect(m_start_button, &QPushButton::clicked, this, &IrForm::on_start_clicked);
    connect(m_open_button, &QPushButton::clicked, this, &IrForm::on_open_recording);
    connect(m_clear_button, &QPushButton::clicked, this, [this] {
        m_table.clear();
        m_frame_table->setRowCount(0);
        m_pulse_view->set_timings({});
    });
    connect(m_export_button, &QPushButton::clicked, this, &IrForm::on_export);
    connect(m_format_box, &QComboBox::currentIndexChanged, this, [this] {
        m_settings.format =
            export_from_key(m_format_box->currentData().toString()).value_or(m_settings.format);
    });
    connect(m_frame_table, &QTableWidget::cellChanged, this, &IrForm::on_key_named);
    // The drawing shows the row the user picks, and the newest frame otherwise.
    connect(m_frame_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && static_cast<std::size_t>(row) < m_table.rows().size()) {
            m_pulse_view->set_timings(m_table.rows()[static_cast<std::size_t>(row)].frame.timings);
        }
    });
    connect(&m_device, &LircDevice::samples_arrived, this, &IrForm::on_samples);
    connect(&m_device, &LircDevice::ended, this, &IrForm::on_ended);
    connect(&m_device, &LircDevice::failed, this, &IrForm::on_failed);
    set_reading(false);
    m_status->setText(QStringLiteral("未开始"));
}

// Also when the program deletes the window without closing it.
IrForm::~IrForm() {
    save_settings();
}

void IrForm::build_controls() {
    m_device_box = new QComboBox;
    m_device_box->setObjectName(QStringLiteral("device"));
    m_device_box->setAccessibleDescription(
        QStringLiteral("红外接收器的设备，或送来原始脉冲的管道"));
    m_device_box->setEditable(true);
    m_device_box->setInsertPolicy(QComboBox::NoInsert);
    m_device_box->setMinimumContentsLength(18);
    m_start_button = new_button(QStringLiteral("start_button"), QStringLiteral("开始"), kStartFace);
    m_open_button =
        new_button(QStringLiteral("open_button"), QStringLiteral("打开录制文件"), kButtonFace);
    m_clear_button =
        new_button(QStringLiteral("clear_button"), QStringLiteral("清除"), kButtonFace);
    auto* device_row = new QHBoxLayout;
    add_labelled(device_row, QStringLiteral("设备"), m_device_box, 1);
    device_row->addWidget(m_start_button);
    device_row->addWidget(m_open_button);
    device_row->addWidget(m_clear_button);

    m_frame_table = new QTableWidget(0, kColumns);
    m_frame_table->setObjectName(QStringLiteral("frame_table"));
    m_frame_table->setAccessibleName(QStringLiteral("按键表"));
    m_frame_table->setHorizontalHeaderLabels({QStringLiteral("时间"), QStringLiteral("协议"),
                                              QStringLiteral("地址"), QStringLiteral("命令"),
                                              QStringLiteral("扫描码"), QStringLiteral("重复/翻转"),
                                              QStringLiteral("键名")});
    m_frame_table->horizontalHeaderItem(kTime)->setToolTip(
        QStringLiteral("从开始读取或文件开头算起的秒数"));
    m_frame_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_frame_table->horizontalHeader()->setSectionResizeMode(kKeyName, QHeaderView::Stretch);
    m_frame_table->verticalHeader()->setVisible(false);
    m_frame_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_frame_table->setEditTriggers(QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
    m_frame_table->setMinimumHeight(160);

    m_pulse_view = new PulseView;
    m_pulse_view->set_timings({});

    m_format_box = new QComboBox;
    m_format_box->setObjectName(QStringLiteral("export_format"));
    m_format_box->setAccessibleDescription(QStringLiteral("导出的格式"));
    for (const ExportFormat format : export_formats()) {
        m_format_box->addItem(export_caption(format), export_key(format));
    }
    m_export_button =
        new_button(QStringLiteral("export_button"), QStringLiteral("导出"), kButtonFace);
    m_status = new_value_label(QStringLiteral("status"), QStringLiteral("状态"));
    auto* export_row = new QHBoxLayout;
    add_labelled(export_row, QStringLiteral("导出格式"), m_format_box);
    export_row->addWidget(m_export_button);
    export_row->addWidget(m_status, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(device_row);
    layout->addWidget(m_frame_table, 3);
    layout->addWidget(
        new_buddy_label(QStringLiteral("波形（最后一帧，或选中的行）"), m_pulse_view));
    layout->addWidget(m_pulse_view, 1);
    layout->addLayout(export_row);
}

void IrForm::refresh_devices() {
    const QString typed = m_device_box->currentText().trimmed();
    const QString wanted = typed.isEmpty() ? m_settings.device : typed;
    m_device_box->clear();
    m_device_box->addItems(lirc_devices());
    m_device_box->setEditText(wanted);
}

void IrForm::on_start_clicked() {
    if (m_device.is_open()) {
        stop_reading(QStringLiteral("%1 已停止").arg(m_device.path()));
    } else {
        start_reading();
    }
}

void IrForm::start_reading() {
    const QString path = m_device_box->currentText().trimmed();
    if (path.isEmpty()) {
        host().message(QStringLiteral("请先选择或输入设备，如 /dev/lirc0"));
        return;
    }
    if (!m_device.open(path)) {
        const QString reason = m_device.failure_text();
        m_status->setText(reason);
        host().message(reason);
        return;
    }
    m_settings.device = path;
    save_settings();
    m_splitter.clear();
    m_table.end_stream();
    set_reading(true);
    m_status->setText(QStringLiteral("正在读取 %1，请对着接收器按遥控器的键").arg(path));
}

void IrForm::stop_reading(const QString& status) {
    m_device.close();
    // A frame the receiver had not yet closed with a silence is complete now.
    m_splitter.finish();
    show_frames();
    set_reading(false);
    m_status->setText(status);
}

void IrForm::on_samples(const std::vector<IrSample>& samples) {
    m_splitter.add(samples);
    show_frames();
}

void IrForm::on_ended() {
    stop_reading(QStringLiteral("%1 已读完（写入的一端已关闭）").arg(m_device.path()));
}

void IrForm::on_failed() {
    const QString reason = QStringLiteral("%1 已断开：%2").arg(m_device.path(), m_device.detail());
    stop_reading(reason);
    host().message(reason);
}

void IrForm::on_open_recording() {
    const auto path =
        host().open_file({QStringLiteral("打开录制文件"), kRecordingFilter, {}, m_settings.folder});
    if (!path) {
        return;
    }
    QString text;
    if (const auto error = read_text_file(*path, text)) {
        host().message(QStringLiteral("无法读取文件：%1\r%2")
                           .arg(QDir::toNativeSeparators(*path), error->reason));
        return;
    }
    const TimingFile file = parse_timing_text(text);
    if (file.error) {
        host().message(QStringLiteral("无法读取录制文件 %1：\r%2")
                           .arg(QDir::toNativeSeparators(*path), timing_error_text(*file.error)));
        return;
    }
    m_settings.folder = QFileInfo(*path).absolutePath();
    // A recording has its own clock; reading the receiver goes on apart from it.
    IrFrameSplitter splitter;
    splitter.add(file.samples);
    splitter.finish();
    m_table.end_stream();
    const std::size_t before = m_table.rows().size();
    std::vector<IrFrame> frames = splitter.take_frames();
    const std::size_t count = frames.size();
    m_filling = true;
    for (IrFrame& frame : frames) {
        m_table.add(frame);
    }
    m_filling = false;
    m_table.end_stream();
    show_frames();
    if (count > 0) {
        m_pulse_view->set_timings(frames.back().timings);
    }
    m_status->setText(QStringLiteral("%1：%2 帧，%3 个按键")
                          .arg(QFileInfo(*path).fileName())
                          .arg(count)
                          .arg(m_table.rows().size() - before));
}

// Brings the table up to the key table: new rows appended, the last row's count refreshed.
void IrForm::show_frames() {
    std::vector<IrFrame> frames = m_splitter.take_frames();
    for (const IrFrame& frame : frames) {
        m_table.add(frame);
    }
    if (!frames.empty()) {
        m_pulse_view->set_timings(frames.back().timings);
    }
    const auto& rows = m_table.rows();
    const int shown = m_frame_table->rowCount();
    const int total = static_cast<int>(rows.size());
    m_filling = true;
    m_frame_table->setRowCount(total);
    // The last row shown may have folded more frames in.
    for (int row = std::max(shown - 1, 0); row < total; ++row) {
        const IrKeyRow& key = rows[static_cast<std::size_t>(row)];
        const IrFrame& frame = key.frame;
        const bool coded = frame.protocol != IrProtocol::kUnknown && !frame.repeat;
        QString protocol = protocol_caption(frame.protocol);
        if (frame.protocol == IrProtocol::kUnknown) {
            protocol += QStringLiteral("（%1 个脉冲）").arg(frame.pulses);
        }
        m_frame_table->setItem(row, kTime, fixed_item(time_text(frame.start_us)));
        m_frame_table->setItem(row, kProtocol, fixed_item(protocol));
        m_frame_table->setItem(
            row, kAddress,
            fixed_item(coded ? hex_value(frame.address, address_digits(frame.protocol))
                             : QString()));
        m_frame_table->setItem(row, kCommand,
                               fixed_item(coded ? hex_value(frame.command, 2) : QString()));
        m_frame_table->setItem(
            row, kScancode,
            fixed_item(coded ? hex_value(frame.scancode, scancode_digits(frame.protocol))
                             : QString()));
        m_frame_table->setItem(row, kRepeat, fixed_item(repeat_text(key)));
        if (!m_frame_table->item(row, kKeyName)) {
            m_frame_table->setItem(row, kKeyName, new QTableWidgetItem(key.key_name));
        }
        if (frame.protocol == IrProtocol::kUnknown) {
            m_frame_table->item(row, kProtocol)->setToolTip(timings_text(frame.timings));
        }
    }
    m_filling = false;
    if (total > shown) {
        m_frame_table->scrollToBottom();
    }
}

void IrForm::on_key_named(int row, int column) {
    if (m_filling || column != kKeyName) {
        return;
    }
    m_table.set_key_name(static_cast<std::size_t>(row), m_frame_table->item(row, column)->text());
}

void IrForm::on_export() {
    const ExportFormat format =
        export_from_key(m_format_box->currentData().toString()).value_or(ExportFormat::kCDefine);
    const KeyExport result = export_keys(m_table.rows(), format);
    if (!result.error.isEmpty()) {
        host().message(result.error);
        return;
    }
    const QString name = format == ExportFormat::kKeymap
                             ? QStringLiteral("remote.toml")
                             : QStringLiteral("ir_keys") + export_extension(format);
    const auto path =
        host().save_file({QStringLiteral("导出"), export_filter(format), export_extension(format),
                          QDir(m_settings.folder).filePath(name)});
    if (!path) {
        return;
    }
    if (save_text_file(host(), *path, result.text)) {
        m_settings.folder = QFileInfo(*path).absolutePath();
        m_status->setText(QStringLiteral("已导出到 %1").arg(QDir::toNativeSeparators(*path)));
    } else {
        m_status->setText(QStringLiteral("导出失败，文件未写入"));
    }
}

void IrForm::set_reading(bool reading) {
    const QString caption = reading ? QStringLiteral("停止") : QStringLiteral("开始");
    m_start_button->setText(caption);
    m_start_button->setAccessibleName(caption);
    set_face(m_start_button, reading ? kStopFace : kStartFace);
    m_device_box->setEnabled(!reading);
    if (!reading) {
        refresh_devices();
    }
}

void IrForm::save_settings() {
    if (auto settings = host().settings()) {
        m_settings.save(*settings);
    }
}
