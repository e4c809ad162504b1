#include "form.h"

#include "look.h"
#include "twips.h"

#include <QCloseEvent>

Form::Form(FormHost& host, const QString& name, const QString& caption, int width_twips,
           int height_twips, const QColor& background)
    : QWidget(nullptr), m_host(host) {
    setObjectName(name);
    setWindowTitle(caption);
    resize(to_pixels(width_twips, height_twips));
    set_background(this, background);
}

void Form::load() {
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    on_load();
}

void Form::unload() {
    close();
}

void Form::fix_size() {
    setFixedSize(size());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
}

void Form::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        release();
    }
}

void Form::release() {
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    emit unloaded();
    deleteLater();
}
