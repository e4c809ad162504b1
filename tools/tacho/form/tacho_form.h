#pragma once

#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"
#include "tools/tacho/core/serial_comm.h"
#include "tools/tacho/core/speed.h"

#include <array>

class ByteLogView;

// 转速表: receives revolution-time frames on serial port 1 and shows the time per revolution,
// the instantaneous and average speed, the received bytes and a 22-segment bar graph.
class TachoForm : public Form {
    Q_OBJECT
public:
    explicit TachoForm(FormHost& host);

    void Command66_Click();
    void Command67_Click();
    void Command23_Click();
    void MSComm1_OnComm();

    SerialComm* port() const { return MSComm1; }

private:
    void port_failed();
    void show_bar(int lit);

    SpeedAverage m_average;
    int m_lit = -1;  // segments lit now; -1 before the first valid frame

    QGroupBox* Frame5;
    LineShape* Line6;
    QLabel* Label2;
    TextBox* 文本框1;
    QLabel* Label3;
    QLabel* 即时转速;
    TextBox* 文本框7;
    QLabel* Label45;
    QLabel* 平均转速;
    TextBox* 文本框6;
    QLabel* Label1;
    QLabel* Label4;
    TextBox* Text2;
    QLabel* Label5;
    TextBox* Text3;
    QLabel* Label6;
    ByteLogView* Text1;
    QFrame* Picture1;
    std::array<QPushButton*, 22> m_segments;  // Command22 (segment 1, bottom) to Command1
    QPushButton* Command66;
    QPushButton* Command67;
    QPushButton* Command23;
    LineShape* Line7;
    SerialComm* MSComm1;
};
