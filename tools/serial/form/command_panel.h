#pragma once

#include "tools/serial/core/saved_command_list.h"
#include "tools/serial/core/saved_command_loop.h"

#include <QByteArray>
#include <QWidget>

#include <functional>

class FormHost;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

// 多条发送: the saved commands as a table with a 发送 button per row, an editor for the chosen
// row, 循环发送 of the ticked rows, and 导入/导出 of the list. It sends through the function it
// was given, so it works with whatever session the terminal holds; the list is remembered.
class CommandPanel : public QWidget {
    Q_OBJECT
public:
    // Sends bytes; false when they did not go (the port closed), which stops 循环发送.
    using Send = std::function<bool(const QByteArray&)>;

    CommandPanel(FormHost& host, Send send, QWidget* parent = nullptr);
    ~CommandPanel() override;

    // The encoding of text commands, the terminal's: "GBK" or "UTF-8".
    void set_encoding(const QString& encoding) { m_encoding = encoding; }

    // The check box 多条发送 that shows and hides the panel, ticked as last time; the caller puts
    // it in its window, which then owns it. Unticking it also stops 循环发送.
    QCheckBox* new_toggle();

    const SavedCommandList& list() const { return m_list; }
    bool looping() const { return m_loop.running(); }

private:
    void build_controls();
    void fill_table();
    void select_row(int row);
    int selected_row() const;
    void on_row_chosen();
    void show_enable_states();
    SavedCommand edited_command() const;
    void save_list();

    void on_add();
    void on_edit();
    void on_remove();
    void on_move(int step);
    void on_loop_ticked(int row, bool looped);
    bool send_command(int row);

    void on_loop_toggled(bool on);
    void on_loop_timer();
    void arm_loop_timer();
    void stop_loop(const QString& why);

    void on_import();
    void on_export();

    FormHost& m_host;
    Send m_send;
    QString m_encoding = QStringLiteral("GBK");
    SavedCommandList m_list;
    SavedCommandLoop m_loop;
    int m_loop_sent = 0;
    bool m_filling = false;  // the table is being rebuilt: its changes are not the user's

    QTableWidget* m_table = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_text = nullptr;
    QCheckBox* m_hex = nullptr;
    QComboBox* m_line_end = nullptr;
    QComboBox* m_checksum = nullptr;
    QSpinBox* m_delay = nullptr;
    QCheckBox* m_looped = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QCheckBox* m_loop_box = nullptr;
    QLabel* m_loop_status = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QTimer* m_loop_timer = nullptr;
};
