#pragma once

#include <QColor>
#include <QWidget>

class FormHost;

// A window of the program. It is built hidden, loaded once (on_load runs), shown modeless and
// unloaded by closing it, from the title bar or by the program; an unloaded form deletes
// itself. Controls carry their names as object names.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(FormHost& host, const QString& name, const QString& caption, int width_twips,
         int height_twips, const QColor& background);

    // Runs on_load the first time; later calls do nothing.
    void load();
    // Closes the window; the same as its title-bar close button.
    void unload();
    bool is_loaded() const { return m_loaded && !m_unloaded; }

    FormHost& host() const { return m_host; }

signals:
    // The window has been unloaded; it goes away when control returns to the event loop.
    void unloaded();

protected:
    virtual void on_load() {}

    // A fixed-size window without minimise and maximise buttons.
    void fix_size();

    void closeEvent(QCloseEvent* event) override;

private:
    void release();

    FormHost& m_host;
    bool m_loaded = false;
    bool m_unloaded = false;
};
