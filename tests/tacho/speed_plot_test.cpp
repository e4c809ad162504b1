#include "base/text_file.h"
#include "shell/widgets/plot_box.h"
#include "shell/widgets/plot_view.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/form_test.h"
#include "tests/support/paint_counter.h"
#include "tools/tacho/form/speed_plot_window.h"
#include "tools/tacho/form/tacho_form.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

class SpeedPlotTest : public FormTest<TachoForm> {
protected:
    SpeedPlotTest() {
        m_host.make_serial_device = [this](const QString&) {
            auto device = std::make_unique<FakeSerialDevice>();
            m_device = device.get();
            return device;
        };
    }
    // A frame of `count` ticks of 4.8 µs arrives at `ms` on the host's clock.
    void frame_at(qint64 ms, int count) {
        m_host.steady = ms;
        m_device->feed(QByteArray::fromHex("55AA") + char(count >> 8) + char(count & 0xFF) +
                       char(0xFF));
    }
    QList<double> values(const QString& name) {
        QList<double> result;
        const SampleChannel* channel = m_form->speeds().channel(name);
        for (qsizetype i = 0; channel && i < channel->size(); ++i) {
            result << channel->at(i).value;
        }
        return result;
    }

    FakeSerialDevice* m_device = nullptr;
};

TEST_F(SpeedPlotTest, TheCurveWindowShowsTheSpeedsOverTimeAndExportsThem) {
    press(u"开始"_s);
    frame_at(1000, 10000);  // 48 ms: 1250 r/min
    press(u"曲线"_s);
    SpeedPlotWindow* window = m_form->plot_window();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), u"转速曲线"_s);
    const QSize size = window->size();
    window->resize(size + QSize(200, 100));  // it resizes, as a plot window should
    EXPECT_EQ(window->size(), size + QSize(200, 100));
    press(u"曲线"_s);  // brings the same window forward
    EXPECT_EQ(m_form->plot_window(), window);

    PlotView* plot = window->plot_box()->plot();
    EXPECT_EQ(plot->store(), &m_form->speeds());
    EXPECT_FALSE(plot->channel_shown(SpeedPlotWindow::kMsPerRevolution));  // the speeds' scale
    PaintCounter counter;
    plot->installEventFilter(&counter);
    QTest::qWait(2 * plot->refresh_interval_ms());  // past the first pictures of a new window
    counter.pictures = 0;
    for (int k = 1; k <= 11; ++k) {
        frame_at(1000 + 250 * k, k % 2 ? 12500 : 10000);  // 1000 and 1250 r/min by turns
    }
    // The plot is told of the frames and draws them: the speed's line (the second channel's
    // colour) stands below the legend, whose swatches have that colour too.
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.pictures > 0; }, 5000));
    int below_legend = 0;
    for (const QPushButton* legend : plot->findChildren<QPushButton*>()) {
        below_legend = std::max(below_legend, legend->geometry().bottom() + 1);
    }
    const QImage picture = plot->grab().toImage().convertToFormat(QImage::Format_RGB32);
    bool line_drawn = false;
    for (int y = below_legend; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            line_drawn = line_drawn || picture.pixel(x, y) == PlotView::channel_colour(1).rgb();
        }
    }
    EXPECT_TRUE(line_drawn);
    frame_at(5000, 0x1234);
    // A bad frame is no sample.
    m_device->feed(QByteArray::fromHex("55AA2710FE"));
    EXPECT_EQ(values(SpeedPlotWindow::kSpeed),
              QList<double>(
                  {1250, 1000, 1250, 1000, 1250, 1000, 1250, 1000, 1250, 1000, 1250, 1000, 2682}));
    // The average as the window shows it: none before the twelfth frame.
    EXPECT_EQ(values(SpeedPlotWindow::kAverageSpeed), QList<double>({1125, 1125}));
    EXPECT_EQ(plot->ranges().right, 4.0);
    EXPECT_GT(plot->ranges().top, 2682);

    // The legend shows the hidden line; 暂停 holds the picture while frames are kept.
    click(find_control(window, SpeedPlotWindow::kMsPerRevolution, QPushButton::staticMetaObject));
    EXPECT_TRUE(plot->channel_shown(SpeedPlotWindow::kMsPerRevolution));
    click(control<QCheckBox>(window, u"暂停"_s));
    frame_at(6000, 10000);
    EXPECT_EQ(plot->ranges().right, 4.0);
    EXPECT_EQ(values(SpeedPlotWindow::kSpeed).size(), 14);
    click(control<QCheckBox>(window, u"暂停"_s));
    EXPECT_EQ(plot->ranges().right, 5.0);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"转速.csv"_s);
    m_host.answer_dialog(path);
    click(control<QPushButton>(window, u"导出 CSV"_s));
    EXPECT_EQ(m_host.dialogs.back().options.file_name, u"转速.csv"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = decode_text(file.readAll()).split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 16);  // the header, 14 frames, and the empty end after the last CR LF
    EXPECT_EQ(lines[0], u"时间(s),每转时间(ms),即时转速(r/min),平均转速(r/min)"_s);
    EXPECT_EQ(lines[1], u"0,48,1250,"_s);
    EXPECT_EQ(lines[12], u"2.75,60,1000,1125"_s);
    EXPECT_EQ(lines[13], u"4,22.368,2682,1125"_s);  // 4660 ticks
    EXPECT_EQ(lines[14], u"5,48,1250,1125"_s);

    // The plot window goes with the tachometer.
    QPointer<SpeedPlotWindow> watched = window;
    m_form->close();
    flush_deletes();
    EXPECT_TRUE(watched.isNull());
}

}  // namespace
