#pragma once

#include "base/sample_store.h"
#include "tools/serial/core/number_line_parser.h"

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

public slots:
    void add_bytes(const QByteArray& bytes);

private:
    FormHost& m_host;
    SampleStore m_store;
    NumberLineParser m_parser;
    PlotBox* m_box;
    QCheckBox* m_binary_frames;
};
