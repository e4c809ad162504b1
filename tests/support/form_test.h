#pragma once

#include "form_driver.h"
#include "recording_form_host.h"

#include <QPointer>

// A test of one kind of window on a recording host: the window is loaded and shown before each
// test and gone after it; reopen() starts again with a fresh one.
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

    RecordingFormHost m_host;
    QPointer<Window> m_form;
};
