#pragma once

#include "tool_entry.h"

#include <QPointer>

#include <vector>

class QWidget;

// The tool windows of the main window: each exists once, loaded on first use and kept until it
// is unloaded.
class Launcher {
public:
    Launcher(FormHost& host, ToolCatalog catalog);
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    const ToolCatalog& catalog() const { return m_catalog; }

    // Minimizes every minimizable tool window (loading, hidden, those not loaded yet), brings
    // `main_window` to normal size, then shows `window` in normal size, modeless.
    void launch(const QString& window, QWidget& main_window);

    // Unloads every loaded tool window, in catalogue order.
    void unload_all();

    // The loaded tool window of that name, or null.
    Form* window(const QString& name) const;

private:
    Form* loaded(std::size_t tool);

    FormHost& m_host;
    ToolCatalog m_catalog;
    std::vector<QPointer<Form>> m_windows;  // one for each catalogue entry
};
