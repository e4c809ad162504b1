#include "tools/serial/form/plot_panel.h"
#include "base/text_file.h"
#include "shell/widgets/plot_box.h"
#include "shell/widgets/plot_view.h"
#include "tests/support/form_driver.h"
#include "tests/support/recording_form_host.h"
#include "tests/support/small_tmpfs.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// The panel fed as the terminal feeds it, each read at a time of the host's steady clock.
class PlotPanelTest : public ::testing::Test {
protected:
    PlotPanelTest() {
        m_panel.resize(640, 400);
        m_panel.show();
    }
    void board_writes(const QByteArray& bytes, qint64 ms) {
        m_host.steady = ms;
        m_panel.add_bytes(bytes);
    }

    RecordingFormHost m_host;
    PlotPanel m_panel{m_host};
};

TEST_F(PlotPanelTest, NumbersTheBoardPrintsBecomeChannelsThatExportAsSent) {
    board_writes("adc=512 temp=24.5\r\nadc=513 te", 1000);
    board_writes("mp=24.6\r\nhello\r\n", 1500);  // a line without numbers
    board_writes("adc:514,temp:-1e-2,volt:3.3\r\n", 2250);
    board_writes("adc=600\n", 3250);
    EXPECT_EQ(m_panel.plot_box()->plot()->ranges().right, 2.25);

    // The export holds every record as it came, the time in seconds from the first.
    QTemporaryDir dir;
    m_host.answer_dialog(dir.filePath(u"波形.csv"_s));
    click(control<QPushButton>(&m_panel, u"导出 CSV"_s));
    EXPECT_EQ(file_bytes(dir.filePath(u"波形.csv"_s)),
              encode_text(u"时间(s),adc,temp,volt\r\n0,512,24.5,\r\n0.5,513,24.6,\r\n"
                          u"1.25,514,-0.01,3.3\r\n2.25,600,,\r\n"_s));
    EXPECT_TRUE(m_host.messages.empty());

    // Binary frames: the floats of each frame are the channels 1, 2, ...
    click(control<QCheckBox>(&m_panel, u"二进制浮点帧"_s));
    board_writes(QByteArray::fromHex("0000807F 0000803F 000020C0 0000807F"), 4000);
    EXPECT_EQ(m_panel.store().channel(u"2"_s)->at(0).value, -2.5);
}

// A full disk: the export says so and an older file of the name stays whole.
TEST_F(PlotPanelTest, AnExportThatDoesNotFitLeavesTheOldFileWhole) {
    SmallTmpfs disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << "no full disk to test: " << disk.why_not().toStdString();
    }
    const QString path = disk.add_file(u"old.csv"_s, "old");
    disk.fill();
    for (int i = 0; i < 2000; ++i) {
        board_writes("a=" + QByteArray::number(i) + " b=" + QByteArray::number(i * 1.5) + "\n", i);
    }
    m_host.answer_dialog(path);
    EXPECT_FALSE(m_panel.plot_box()->export_csv());
    m_host.answer_dialog(path);
    EXPECT_FALSE(m_panel.plot_box()->save_picture());
    EXPECT_EQ(file_bytes(path), "old");
    ASSERT_EQ(m_host.messages.size(), 2u);
    EXPECT_TRUE(m_host.messages[0].startsWith(u"无法保存文件："_s))
        << m_host.messages[0].toStdString();
}

}  // namespace
