#include "launcher.h"

#include "shell/widgets/form.h"

namespace {

void set_normal(QWidget& window) {
    window.setWindowState(window.windowState() &
                          ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

}  // namespace

Launcher::Launcher(FormHost& host, ToolCatalog catalog)
    : m_host(host), m_catalog(std::move(catalog)), m_windows(m_catalog.size()) {}

Launcher::~Launcher() {
    for (const QPointer<Form>& form : m_windows) {
        delete form.data();
    }
}

Form* Launcher::loaded(std::size_t tool) {
    QPointer<Form>& form = m_windows[tool];
    if (!form || !form->is_loaded()) {
        form = m_catalog[tool].create(m_host);
        form->load();
    }
    return form;
}

void Launcher::launch(const QString& window, QWidget& main_window) {
    std::size_t chosen = 0;
    while (chosen < m_catalog.size() && m_catalog[chosen].window != window) {
        ++chosen;
    }
    if (chosen == m_catalog.size() || !m_catalog[chosen].create) {
        return;
    }
    for (std::size_t tool = 0; tool < m_catalog.size(); ++tool) {
        if (m_catalog[tool].create && m_catalog[tool].minimizable) {
            Form* form = loaded(tool);
            // A hidden window only records the state; it is not shown by it.
            form->setWindowState(form->windowState() | Qt::WindowMinimized);
        }
    }
    set_normal(main_window);
    Form* form = loaded(chosen);
    set_normal(*form);
    form->show();
    form->raise();
    form->activateWindow();
}

void Launcher::unload_all() {
    for (const QPointer<Form>& form : m_windows) {
        if (form && form->is_loaded()) {
            form->unload();
        }
    }
}

Form* Launcher::window(const QString& name) const {
    for (std::size_t tool = 0; tool < m_catalog.size(); ++tool) {
        const QPointer<Form>& form = m_windows[tool];
        if (m_catalog[tool].window == name && form && form->is_loaded()) {
            return form;
        }
    }
    return nullptr;
}
