#pragma once

#include "shell/widgets/form.h"
#include "tools/ir/core/ir_frame_splitter.h"
#include "tools/ir/core/ir_key_table.h"
#include "tools/ir/core/ir_settings.h"
#include "tools/ir/core/lirc_device.h"

#include <vector>

class PulseView;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// 红外读码器: reads an infrared receiver (or a pipe of its raw samples, or a recorded file),
// shows each key's protocol, address, command and scancode with its repeats folded, draws the
// last frame, and exports the keys the user names.
class IrForm : public Form {
    Q_OBJECT
public:
    explicit IrForm(FormHost& host);
    ~IrForm() override;

    bool is_reading() const { return m_device.is_open(); }

    // The table's columns.
    enum Column { kTime, kProtocol, kAddress, kCommand, kScancode, kRepeat, kKeyName, kColumns };

private:
    void build_controls();
    void refresh_devices();
    void on_start_clicked();
    void start_reading();
    void stop_reading(const QString& status);
    void on_samples(const std::vector<IrSample>& samples);
    void on_ended();
    void on_failed();
    void on_open_recording();
    void on_export();
    void on_key_named(int row, int column);
    void show_frames();
    void set_reading(bool reading);
    void save_settings();

    IrSettings m_settings;
    LircDevice m_device;
    IrFrameSplitter m_splitter;
    IrKeyTable m_table;
    bool m_filling = false;  // the table is being filled by the program, not edited

    QComboBox* m_device_box = nullptr;
    QPushButton* m_start_button = nullptr;
    QPushButton* m_open_button = nullptr;
    QPushButton* m_clear_button = nullptr;
    QTableWidget* m_frame_table = nullptr;
    PulseView* m_pulse_view = nullptr;
    QComboBox* m_format_box = nullptr;
    QPushButton* m_export_button = nullptr;
    QLabel* m_status = nullptr;
};
