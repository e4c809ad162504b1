#pragma once

#include "form_driver.h"
#include "recording_form_host.h"
#include "shell/widgets/controls.h"

#include <QPointer>

// A test of one kind of window on a recording host: the window is loaded and shown before each
// test and gone after it; reopen() starts again with a fresh one. Controls are named by their
// caption, accessible name or, lacking both, their object name.
template <typename Window>
class FormTest : public ::testing::Test {
protected:
    void SetUp() override { reopen(); }
    void TearDown() override { delete m_form.data(); }

    void reopen() {
        delete m_form.data();
        m_form = new Window(m_host);
        m_form->load();
        m_form->show();
    }

    QAbstractButton* button(const QString& name) { return control<QAbstractButton>(m_form, name); }
    TextBox* box(const QString& name) { return control<TextBox>(m_form, name); }
    QString text(const QString& name) { return box(name)->text(); }
    void press(const QString& name, int times = 1) {
        for (int i = 0; i < times; ++i) {
            click(button(name));
        }
    }
    // Opens the list of the combo box and clicks `item`.
    void choose(const QString& name, const QString& item) { choose_item(m_form, name, item); }

    RecordingFormHost m_host;
    QPointer<Window> m_form;
};
