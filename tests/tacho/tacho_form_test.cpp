#include "tools/tacho/form/tacho_form.h"
#include "shell/widgets/look.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/form_test.h"
#include "tools/tacho/form/byte_log_view.h"

#include <QAccessible>
#include <QCoreApplication>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

using Messages = std::vector<QString>;

class TachoFormTest : public FormTest<TachoForm> {
protected:
    TachoFormTest() {
        m_host.make_serial_device = [this](const QString& path) {
            EXPECT_EQ(path, u"COM1"_s);
            auto device = std::make_unique<FakeSerialDevice>();
            device->opens = m_port_opens;
            m_device = device.get();
            return device;
        };
    }

    // Bytes arrive on the line, pieces apart; the window handles them as they come.
    void feed(const char* hex) { m_device->feed(QByteArray::fromHex(hex)); }
    ByteLogView* log() { return control<ByteLogView>(m_form, u"即时数据窗口"_s); }
    // The colour segment `k` (1 at the bottom) shows on screen, in its middle.
    QColor face(int k) {
        QAbstractButton* segment = button(u"条形图第%1段"_s.arg(k));
        return segment->grab().toImage().pixelColor(segment->rect().center());
    }
    // The messages since the last call.
    Messages told() { return std::exchange(m_host.messages, {}); }

    FakeSerialDevice* m_device = nullptr;
    bool m_port_opens = true;
};

TEST_F(TachoFormTest, FramesShowInTheLogTheReadingsAndTheBar) {
    EXPECT_EQ(face(1), menu_colour());  // until the first valid frame
    retype(box(u"上限值"_s), u"2000"_s);
    retype(box(u"下限值"_s), u"1000"_s);
    press(u"开始"_s);
    feed("1255 55AA27");
    press(u"开始"_s);  // neither sets the port up again nor drops what it received
    EXPECT_EQ(told(), (Messages{u"采集开始"_s, u"采集已开始"_s}));
    EXPECT_EQ(m_device->open_count, 1);
    const SerialLine& line = m_device->line;
    EXPECT_EQ(std::tuple(line.baud, line.parity, line.data_bits, line.stop_bits),
              std::tuple(9600, 'N', 8, 1));

    feed("10FF55AA3039FF55AA3039FE");  // a false start, a frame and a bad one
    EXPECT_EQ(log()->text(),
              u"85\r\n85\r\n170\r\n39\r\n16\r\n85\r\n170\r\n48\r\n57\r\n255\r\n"
              u"85\r\n170\r\n48\r\n57\r\n254\r\n"_s);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(log())->textInterface()->text(8, 13),
              u"170\r\n"_s);
    EXPECT_EQ(text(u"每转时间"_s), u"59.256\r\n"_s);
    EXPECT_EQ(text(u"即时转速"_s), u"1013\r\n"_s);

    feed("55AA190AFF");  // 1950 r/min: above 1000 + 21 * 45, below 1000 + 22 * 45
    const QColor colours[] = {{255, 0, 255}, {0, 0, 255},   {0, 255, 255}, {0, 255, 0},
                              {255, 255, 0}, {255, 128, 0}, {255, 0, 0}};
    for (int k = 1; k <= 22; ++k) {
        EXPECT_EQ(face(k), k <= 21 ? colours[(k - 1) / 3] : button_face_colour()) << k;
    }

    // The average comes every twelfth frame, the cycle running on over a stop and a start, which
    // drops a partial frame; the box gathers a line end for each frame between.
    feed("55AA27");
    press(u"停止"_s);
    EXPECT_TRUE(box(u"上限值"_s)->isEnabled());
    press(u"开始"_s);
    EXPECT_EQ(told(), (Messages{u"采集结束"_s, u"采集开始"_s}));
    feed("10FF");
    for (int i = 0; i < 9; ++i) {
        feed("55AA2710FF");
    }
    EXPECT_EQ(log()->text().count(u"\r\n"_s), 65);
    EXPECT_EQ(text(u"平均转速"_s), u"0000000"_s + u"\r\n"_s.repeated(11));
    feed("55AA2710FF");
    EXPECT_EQ(text(u"平均转速"_s), u"1289\r\n"_s);  // (1013 + 1950 + 10 * 1250) / 12
    feed("55AA0000FF");                             // 60000 r/min: all lit, red on top
    EXPECT_EQ(face(22), QColor(255, 0, 0));

    // Each bad limit is reset with two messages and ends acquisition at the frame that found it.
    press(u"停止"_s);
    retype(box(u"上限值"_s), u"abc"_s);
    retype(box(u"下限值"_s), u"200"_s);
    press(u"开始"_s);
    told();
    feed("55AA3039FF55AA2710FF");
    EXPECT_EQ(told(), (Messages{u"输入错误"_s, u"采集结束"_s, u"输入错误"_s, u"采集结束"_s}));
    EXPECT_EQ(QStringList({text(u"上限值"_s), text(u"下限值"_s), text(u"即时转速"_s)}),
              QStringList({u"100"_s, u"0"_s, u"1013\r\n"_s}));
    EXPECT_FALSE(box(u"上限值"_s)->isEnabled());  // halted until "停止"
    press(u"停止"_s);
    m_port_opens = false;
    press(u"开始"_s);
    EXPECT_EQ(told(), (Messages{u"采集已结束"_s, u"串口通信无效"_s}));
    EXPECT_FALSE(box(u"上限值"_s)->isEnabled());
}

// A failing device halts acquisition. A failure is told after the device's own work is done;
// by then the user may have stopped, or started again on a new device: neither hears of it.
TEST_F(TachoFormTest, AFailingDeviceHaltsOnlyItsOwnAcquisition) {
    press(u"开始"_s);
    m_device->fail();
    QCoreApplication::processEvents();
    EXPECT_EQ(told(), (Messages{u"采集开始"_s, u"串口通信无效"_s}));
    EXPECT_FALSE(m_form->is_acquiring());
    for (const QString& next : {u"停止"_s, u"开始"_s}) {
        press(u"开始"_s);
        m_device->fail();
        press(next);
        told();
        QCoreApplication::processEvents();
        EXPECT_EQ(told(), Messages{}) << next.toStdString();
    }
    EXPECT_TRUE(m_form->is_acquiring());
    FakeSerialDevice* device = m_device;
    m_form->close();  // the port goes with the window
    EXPECT_FALSE(device->is_open());
}

}  // namespace
