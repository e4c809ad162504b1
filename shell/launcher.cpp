#include "launcher.h"

#include "shell/widgets/form.h"

#include <algorithm>

namespace {

void set_normal(QWidget& window) {
    window.setWindowState(window.windowState() &
                          ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

}  // namespace

Launcher::Launcher(FormHost& host, std::vector<ToolWindow> tools) : m_host(host) {
    for (ToolWindow& tool : tools) {
        m_slots.push_back({std::move(tool), nullptr});
    }
}

Launcher::~Launcher() {
    for (Slot& slot : m_slots) {
        delete slot.form.data();
    }
}

Form* Launcher::loaded(Slot& slot) {
    if (!slot.form || !slot.form->is_loaded()) {
        slot.form = slot.tool.create(m_host);
        slot.form->load();
    }
    return slot.form;
}

void Launcher::launch(const QString& name, QWidget& main_window) {
    const auto chosen = std::find_if(m_slots.begin(), m_slots.end(),
                                     [&](const Slot& slot) { return slot.tool.name == name; });
    if (chosen == m_slots.end()) {
        return;
    }
    for (Slot& slot : m_slots) {
        if (slot.tool.minimizable) {
            Form* form = loaded(slot);
            // A hidden window only records the state; it is not shown by it.
            form->setWindowState(form->windowState() | Qt::WindowMinimized);
        }
    }
    set_normal(main_window);
    Form* form = loaded(*chosen);
    set_normal(*form);
    form->show();
    form->raise();
    form->activateWindow();
}

void Launcher::unload_all() {
    for (Slot& slot : m_slots) {
        if (slot.form && slot.form->is_loaded()) {
            slot.form->unload();
        }
    }
}

Form* Launcher::window(const QString& name) const {
    for (const Slot& slot : m_slots) {
        if (slot.tool.name == name && slot.form && slot.form->is_loaded()) {
            return slot.form;
        }
    }
    return nullptr;
}
