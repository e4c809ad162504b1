#pragma once

#include "base/sample_store.h"
#include "tools/serial/core/number_line_parser.h"
#include "tools/serial/core/terminal_settings.h"

#include <QWidget>

class FormHost;
class PlotBox;
class QCheckBox;

// 波形: the numbers the board prints, as curves. Received bytes come in through add_bytes, in
// pieces cut anywhere; each text line (or, with 二进制浮点帧, each binary frame) with numbers is a
// record, timed by the host's steady clock when it completes.
class PlotPanel : public QWidget {
    Q_OBJECT
public:
    explicit PlotPanel(FormHost& host, QWidget* parent = nullptr);

    const SampleStore& store() const { return m_store; }
    PlotBox* plot_box() const { return m_box; }

    // 二进制浮点帧 and 横轴, as shown; the terminal remembers them.
    PlotChoices choices() const;
    void set_choices(const PlotChoices& choices);

public slots:
    void add_bytes(const QByteArray& bytes);

signals:
    // A choice changed, by the user or by set_choices.
    void choices_changed();

private:
    FormHost& m_host;
    SampleStore m_store;
    NumberLineParser m_parser;
    PlotBox* m_box;
    QCheckBox* m_binary_frames;
};
