#pragma once

#include "tool_window.h"

#include <QPointer>

#include <vector>

class QWidget;

// The tool windows of the main window: each exists once, loaded on first use and kept until it
// is unloaded.
class Launcher {
public:
    // `tools` in the order "退出" unloads them.
    Launcher(FormHost& host, std::vector<ToolWindow> tools);
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // Minimizes every minimizable tool window (loading, hidden, those not loaded yet), brings
    // `main_window` to normal size, then shows tool `name` in normal size, modeless.
    void launch(const QString& name, QWidget& main_window);

    // Unloads every loaded tool window, in catalogue order.
    void unload_all();

    // The loaded window of tool `name`, or null.
    Form* window(const QString& name) const;

private:
    struct Slot {
        ToolWindow tool;
        QPointer<Form> form;
    };

    Form* loaded(Slot& slot);

    FormHost& m_host;
    std::vector<Slot> m_slots;
};
