#include "tools/serial/form/plot_panel.h"
#include "base/text_file.h"
#include "shell/qt_host/qt_serial_device.h"
#include "shell/widgets/plot_box.h"
#include "shell/widgets/plot_view.h"
#include "tests/support/form_driver.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/recording_form_host.h"
#include "tools/serial/form/serial_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The panel fed as the terminal feeds it: a board writes into a pseudo-terminal, a serial port
// on its other end hands what it reads to add_bytes.
class PlotPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::optional<PseudoTerminal> pair = open_pseudo_terminal();
        ASSERT_TRUE(pair);
        m_master = pair->master;
        m_port = std::make_unique<QtSerialDevice>(pair->device);
        ASSERT_TRUE(m_port->open({115200, 'N', 8, 1}));
        m_panel = std::make_unique<PlotPanel>(m_host);
        QObject::connect(m_port.get(), &SerialDevice::bytes_arrived, m_panel.get(),
                         [this] { m_panel->add_bytes(m_port->read(m_port->bytes_waiting())); });
        m_panel->resize(640, 400);
        m_panel->show();
    }
    void TearDown() override {
        m_panel.reset();
        m_port.reset();
        ::close(m_master);
    }

    // The board prints `bytes` at `ms` on the host's clock; true once the panel holds `records`.
    bool board_writes(const QByteArray& bytes, qint64 ms, qint64 records) {
        m_host.steady = ms;
        EXPECT_EQ(::write(m_master, bytes.constData(), bytes.size()), bytes.size());
        return QTest::qWaitFor([&] { return m_panel->store().record_count() == records; }, 3000);
    }
    QStringList names() const {
        QStringList result;
        for (const auto& channel : m_panel->store().channels()) {
            result << channel->name();
        }
        return result;
    }
    QList<double> values(const QString& name) const {
        QList<double> result;
        const SampleChannel* channel = m_panel->store().channel(name);
        for (qsizetype i = 0; channel && i < channel->size(); ++i) {
            result << channel->at(i).value;
        }
        return result;
    }
    PlotView* plot() const { return m_panel->plot_box()->plot(); }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, plot()->mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(plot(), &event);
    }

    RecordingFormHost m_host;
    int m_master = -1;
    std::unique_ptr<QtSerialDevice> m_port;
    std::unique_ptr<PlotPanel> m_panel;
};

TEST_F(PlotPanelTest, NumbersTheBoardPrintsBecomeChannelsThatExportAsSent) {
    ASSERT_TRUE(board_writes("adc=512 temp=24.5\r\nadc=513 te", 1000, 1));
    ASSERT_TRUE(board_writes("mp=24.6\r\nhello\r\n", 1500, 2));  // a line without numbers
    ASSERT_TRUE(board_writes("adc:514,temp:-1e-2,volt:3.3\r\n", 2250, 3));
    EXPECT_EQ(names(), QStringList({u"adc"_s, u"temp"_s, u"volt"_s}));
    EXPECT_EQ(values(u"adc"_s), QList<double>({512, 513, 514}));
    EXPECT_EQ(values(u"temp"_s), QList<double>({24.5, 24.6, -0.01}));
    EXPECT_EQ(values(u"volt"_s), QList<double>({3.3}));  // starts where it first came

    // A click on the legend hides a line and another shows it.
    QWidget* temp = find_control(m_panel.get(), u"temp"_s, QPushButton::staticMetaObject);
    click(temp);
    EXPECT_FALSE(plot()->channel_shown(u"temp"_s));
    EXPECT_TRUE(plot()->channel_shown(u"adc"_s));
    click(temp);
    EXPECT_TRUE(plot()->channel_shown(u"temp"_s));

    // Paused, the picture stands while the records are kept.
    click(control<QCheckBox>(m_panel.get(), u"暂停"_s));
    const PlotView::Ranges frozen = plot()->ranges();
    EXPECT_EQ(frozen.right, 1.25);
    ASSERT_TRUE(board_writes("adc=600\n", 3250, 4));
    EXPECT_EQ(plot()->ranges().right, 1.25);
    EXPECT_EQ(plot()->ranges().top, frozen.top);
    click(control<QCheckBox>(m_panel.get(), u"暂停"_s));
    EXPECT_EQ(plot()->ranges().right, 2.25);
    EXPECT_GT(plot()->ranges().top, 600);

    // A drag zooms to its rectangle, the wheel zooms the time, a double click follows again.
    const QRect area = plot()->rect();
    mouse(QEvent::MouseButtonPress, area.center() - QPoint(60, 40), Qt::LeftButton);
    mouse(QEvent::MouseMove, area.center(), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, area.center(), Qt::NoButton);
    EXPECT_FALSE(plot()->follows_data());
    const PlotView::Ranges zoomed = plot()->ranges();
    EXPECT_LT(zoomed.right - zoomed.left, 2.25 / 3);
    QWheelEvent wheel(QPointF(area.center()), plot()->mapToGlobal(QPointF(area.center())), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(plot(), &wheel);
    EXPECT_NEAR(plot()->ranges().right - plot()->ranges().left, (zoomed.right - zoomed.left) * 0.8,
                1e-9);
    QTest::mouseDClick(plot(), Qt::LeftButton, Qt::NoModifier, area.center());
    EXPECT_TRUE(plot()->follows_data());
    EXPECT_EQ(plot()->ranges().right, 2.25);

    // The export holds every record as it came, the time in seconds from the first.
    QTemporaryDir dir;
    const QString csv = dir.filePath(u"波形.csv"_s);
    m_host.answer_dialog(csv);
    click(control<QPushButton>(m_panel.get(), u"导出 CSV"_s));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), encode_text(u"时间(s),adc,temp,volt\r\n0,512,24.5,\r\n"
                                          u"0.5,513,24.6,\r\n1.25,514,-0.01,3.3\r\n"
                                          u"2.25,600,,\r\n"_s));
    EXPECT_EQ(m_host.dialogs.back().options.default_extension, u".csv"_s);

    const QString png = dir.filePath(u"波形.png"_s);
    m_host.answer_dialog(png);
    click(control<QPushButton>(m_panel.get(), u"保存图片"_s));
    EXPECT_EQ(QImage(png).size(), plot()->size() * plot()->devicePixelRatio());
    m_host.answer_dialog(std::nullopt);  // cancelled: nothing written, nothing said
    click(control<QPushButton>(m_panel.get(), u"保存图片"_s));
    EXPECT_TRUE(m_host.messages.empty());

    // Binary frames: the floats of each frame are the channels 1, 2, ...
    click(control<QCheckBox>(m_panel.get(), u"二进制浮点帧"_s));
    ASSERT_TRUE(board_writes(QByteArray::fromHex("0000807F 0000803F 000020C0 0000807F"), 4000, 5));
    EXPECT_EQ(values(u"1"_s), QList<double>({1}));
    EXPECT_EQ(values(u"2"_s), QList<double>({-2.5}));
}

// The time axis can count records instead of seconds.
TEST_F(PlotPanelTest, TheTimeAxisCanCountRecords) {
    ASSERT_TRUE(board_writes("1,2\n3,4\n5,6\n", 0, 3));
    EXPECT_EQ(plot()->ranges().right - plot()->ranges().left, 1.0);  // one instant, widened
    choose_item(m_panel.get(), u"axis_choice"_s, u"序号"_s);
    EXPECT_EQ(plot()->axis(), PlotAxis::kIndex);
    EXPECT_EQ(plot()->ranges().left, 0);
    EXPECT_EQ(plot()->ranges().right, 2);

    // In the terminal, the plot's choices are there the next time the window opens.
    for (const bool reopened : {false, true}) {
        SerialForm form(m_host);
        auto* panel = form.findChild<PlotPanel*>();
        if (!reopened) {
            form.show();
            control<QTabWidget>(&form, u"receive_tabs"_s)->setCurrentWidget(panel);
            choose_item(panel, u"axis_choice"_s, u"序号"_s);
            click(control<QCheckBox>(panel, u"二进制浮点帧"_s));
        }
        EXPECT_EQ(control<QComboBox>(panel, u"axis_choice"_s)->currentText(), u"序号"_s);
        EXPECT_TRUE(control<QCheckBox>(panel, u"二进制浮点帧"_s)->isChecked());
    }
}

// A full disk: the export says so and an older file of the name stays whole.
TEST_F(PlotPanelTest, AnExportThatDoesNotFitLeavesTheOldFileWhole) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting a small file system needs root";
    }
    QTemporaryDir dir;
    const QByteArray mount_point = dir.path().toLocal8Bit();
    if (::mount("tmpfs", mount_point.constData(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "no small file system could be mounted: " << std::strerror(errno);
    }
    const std::unique_ptr<const char, void (*)(const char*)> unmount(
        mount_point.constData(), [](const char* point) { ::umount(point); });
    const QString path = dir.filePath(u"old.csv"_s);
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QFile filler(dir.filePath(u"filler"_s));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(1024, 'x')) == 1024 && filler.flush()) {
    }  // the disk is full
    filler.close();
    QByteArray lines;
    for (int i = 0; i < 2000; ++i) {
        lines += "a=" + QByteArray::number(i) + " b=" + QByteArray::number(i * 1.5) + "\n";
    }
    m_panel->add_bytes(lines);
    m_host.answer_dialog(path);
    EXPECT_FALSE(m_panel->plot_box()->export_csv());
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_TRUE(m_host.messages[0].startsWith(u"无法保存文件："_s))
        << m_host.messages[0].toStdString();
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    old.close();
    m_host.answer_dialog(path);
    EXPECT_FALSE(m_panel->plot_box()->save_picture());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    EXPECT_EQ(m_host.messages.size(), 2u);
}

}  // namespace
