#include "tests/support/qt_printers.h"
#include "tools/ir/core/ir_frame_splitter.h"
#include "tools/ir/core/ir_key_table.h"
#include "tools/ir/core/lirc_device.h"
#include "tools/ir/core/lirc_sample_reader.h"
#include "tools/ir/core/timing_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using Kind = IrSample::Kind;

const IrSample kPulse9000{Kind::kPulse, 9000};
const IrSample kSpace4500{Kind::kSpace, 4500};

TEST(TimingFile, ReadsBothFormsAndNamesTheFirstBadLine) {
    const struct {
        QString text;
        std::vector<IrSample> samples;
        int bad_line;  // 0: none
    } rows[] = {
        {u"pulse 9000\nspace 4500\n"_s, {kPulse9000, kSpace4500}, 0},
        {u"+9000 -4500\r\n"_s, {kPulse9000, kSpace4500}, 0},
        {u"# a remote\n\n  +9000\t-4500  # leader\n\ntimeout 125000\n"_s,
         {kPulse9000, kSpace4500, {Kind::kTimeout, 125000}},
         0},
        {u"carrier 38000\npulse 9000 space 4500\n"_s, {kPulse9000, kSpace4500}, 0},
        {u"+16777215"_s, {{Kind::kPulse, 0xffffff}}, 0},
        {u"pulse 9000\nspace\n"_s, {}, 2},
        {u"+9000\n-4500\n9000\n"_s, {}, 3},
        {u"+9000 -45x0"_s, {}, 1},
        {u"+16777216"_s, {}, 1},
        {u"\n\npluse 9000"_s, {}, 3},
        {u"+-9000"_s, {}, 1},
        {u"+ 9000"_s, {}, 1},
        {u"脉冲 9000"_s, {}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        const TimingFile file = parse_timing_text(row.text);
        EXPECT_EQ(file.error.has_value(), row.bad_line != 0);
        if (file.error) {
            EXPECT_EQ(file.error->line, row.bad_line);
            EXPECT_EQ(timing_error_text(*file.error),
                      u"第 %1 行不是脉冲或间隔的时长：%2"_s.arg(row.bad_line)
                          .arg(row.text.split(u'\n')[row.bad_line - 1]));
        } else {
            EXPECT_EQ(file.samples, row.samples);
        }
    }
}

// Long spaces and timeouts end frames; the clock runs over everything received.
TEST(IrFrameSplitter, CutsFramesAtLongSpacesAndTimeouts) {
    IrFrameSplitter splitter;
    splitter.add({{Kind::kSpace, 100000},
                  {Kind::kPulse, 560},
                  {Kind::kSpace, 5000},
                  {Kind::kPulse, 560},
                  {Kind::kSpace, 6000},
                  {Kind::kPulse, 700},
                  {Kind::kTimeout, 30000},
                  {Kind::kPulse, 50},
                  {Kind::kSpace, 20000},
                  {Kind::kPulse, 900}});
    std::vector<IrFrame> frames = splitter.take_frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].timings, (std::vector<qint32>{560, -5000, 560}));
    EXPECT_EQ(frames[0].start_us, 100000);
    EXPECT_EQ(frames[0].end_us, 106120);
    EXPECT_EQ(frames[1].timings, std::vector<qint32>{700});
    EXPECT_EQ(frames[1].start_us, 112120);
    // The lone 50 µs pulse was noise; the last frame ends with the stream.
    EXPECT_TRUE(splitter.take_frames().empty());
    splitter.finish();
    frames = splitter.take_frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].timings, std::vector<qint32>{900});
    EXPECT_EQ(frames[0].start_us, 112820 + 30000 + 50 + 20000);
}

TEST(IrFrameSplitter, EndsAFrameThatNeverFallsSilent) {
    IrFrameSplitter splitter;
    for (int i = 0; i < 1000; ++i) {
        splitter.add({Kind::kPulse, 300});
        splitter.add({Kind::kSpace, 300});
    }
    const std::vector<IrFrame> frames = splitter.take_frames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].timings.size(), IrFrameSplitter::kLongestFrame);
}

IrFrame frame_at(IrProtocol protocol, quint32 scancode, qint64 start_ms, int toggle = -1,
                 bool repeat = false) {
    IrFrame frame;
    frame.protocol = protocol;
    frame.scancode = scancode;
    frame.toggle = toggle;
    frame.repeat = repeat;
    frame.start_us = start_ms * 1000;
    frame.end_us = frame.start_us + 60000;
    return frame;
}

// A held key's frames fold into one row with a count; a new press, another key or a long pause
// starts a row.
TEST(IrKeyTable, FoldsTheFramesOfAHeldKey) {
    IrKeyTable table;
    const struct {
        IrFrame frame;
        bool folds;
        std::size_t rows;
        QString repeat;  // the last row's 重复/翻转
    } steps[] = {
        {frame_at(IrProtocol::kNec, 0x45, 0, -1, true), false, 1, u"重复"_s},
        {frame_at(IrProtocol::kNec, 0x45, 1000), false, 2, u""_s},
        {frame_at(IrProtocol::kNec, 0, 1100, -1, true), true, 2, u"重复 1 次"_s},
        {frame_at(IrProtocol::kNec, 0, 1200, -1, true), true, 2, u"重复 2 次"_s},
        {frame_at(IrProtocol::kNec, 0x45, 1300), true, 2, u"重复 3 次"_s},
        {frame_at(IrProtocol::kNec, 0x46, 1400), false, 3, u""_s},
        {frame_at(IrProtocol::kNec, 0x46, 1700), false, 4, u""_s},
        {frame_at(IrProtocol::kRc5, 0x535, 2000, 0), false, 5, u"翻转 0"_s},
        {frame_at(IrProtocol::kRc5, 0x535, 2100, 0), true, 5, u"翻转 0，重复 1 次"_s},
        {frame_at(IrProtocol::kRc5, 0x535, 2200, 1), false, 6, u"翻转 1"_s},
        {frame_at(IrProtocol::kNec, 0, 2300, -1, true), false, 7, u"重复"_s},
        {frame_at(IrProtocol::kUnknown, 0, 3000), false, 8, u""_s},
        {frame_at(IrProtocol::kUnknown, 0, 3100), false, 9, u""_s},
        {frame_at(IrProtocol::kSony12, 0x10015, 4000), false, 10, u""_s},
        {frame_at(IrProtocol::kSony15, 0x10015, 4045), false, 11, u""_s},
        {frame_at(IrProtocol::kSony15, 0x10015, 4090), true, 11, u"重复 1 次"_s},
        // A new stream starts its clock afresh: its first frame never folds.
        {frame_at(IrProtocol::kSony15, 0x10015, 0), false, 12, u""_s},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.frame.start_us);
        if (step.frame.start_us == 0 && !table.rows().empty()) {
            table.end_stream();
        }
        EXPECT_EQ(table.add(step.frame), step.folds);
        ASSERT_EQ(table.rows().size(), step.rows);
        EXPECT_EQ(repeat_text(table.rows().back()), step.repeat);
    }
}

// The raw values of a LIRC device through a named pipe: pulses, spaces, timeouts and the
// carrier, a value split across two writes, and the writer closing.
class LircPipe : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(u"lirc"_s);
        ASSERT_EQ(::mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
        QObject::connect(&m_device, &LircDevice::samples_arrived,
                         [this](const std::vector<IrSample>& samples) {
                             m_samples.insert(m_samples.end(), samples.begin(), samples.end());
                         });
        QObject::connect(&m_device, &LircDevice::ended, [this] { m_ended = true; });
    }
    void TearDown() override {
        if (m_writer >= 0) {
            ::close(m_writer);
        }
    }
    void write_bytes(const QByteArray& bytes) {
        ASSERT_EQ(::write(m_writer, bytes.constData(), bytes.size()), bytes.size());
    }
    // Runs the event loop until `done` or a second has passed.
    bool wait_for(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return done();
    }

    QTemporaryDir m_dir;
    QString m_path;
    LircDevice m_device;
    int m_writer = -1;
    std::vector<IrSample> m_samples;
    bool m_ended = false;
};

QByteArray values(std::initializer_list<quint32> list) {
    QByteArray bytes;
    for (const quint32 value : list) {
        bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    return bytes;
}

TEST_F(LircPipe, ReadsPulsesSpacesAndTimeoutsAcrossAPartialRead) {
    ASSERT_TRUE(m_device.open(m_path)) << m_device.failure_text().toStdString();
    m_writer = ::open(QFile::encodeName(m_path).constData(), O_WRONLY);
    ASSERT_GE(m_writer, 0);
    const QByteArray bytes =
        values({kLircPulse | 9000, kLircSpace | 4500, kLircFrequency | 38000, kLircPulse | 560,
                kLircTimeout | 125000, kLircOverflow, kLircSpace | 0xffffff});
    write_bytes(bytes.left(10));  // two values and half of the third
    ASSERT_TRUE(wait_for([&] { return m_samples.size() == 2; }));
    EXPECT_EQ(m_samples, (std::vector<IrSample>{kPulse9000, kSpace4500}));
    write_bytes(bytes.mid(10));
    ASSERT_TRUE(wait_for([&] { return m_samples.size() == 6; }));
    EXPECT_EQ(m_samples, (std::vector<IrSample>{kPulse9000,
                                                kSpace4500,
                                                {Kind::kPulse, 560},
                                                {Kind::kTimeout, 125000},
                                                {Kind::kTimeout, 0},
                                                {Kind::kSpace, 0xffffff}}));
    EXPECT_FALSE(m_ended);
    ::close(m_writer);
    m_writer = -1;
    EXPECT_TRUE(wait_for([&] { return m_ended; }));
    EXPECT_FALSE(m_device.is_open());
}

TEST(LircSampleReader, KeepsThePartOfAValueForTheNextRead) {
    LircSampleReader reader;
    const quint32 pulse = kLircPulse | 560;
    const QByteArray bytes(reinterpret_cast<const char*>(&pulse), 4);
    for (int split = 0; split <= 4; ++split) {
        SCOPED_TRACE(split);
        std::vector<IrSample> samples = reader.read(bytes.left(split));
        EXPECT_EQ(reader.pending(), split % 4);
        const std::vector<IrSample> rest = reader.read(bytes.mid(split));
        samples.insert(samples.end(), rest.begin(), rest.end());
        EXPECT_EQ(samples, (std::vector<IrSample>{{Kind::kPulse, 560}}));
        EXPECT_EQ(reader.pending(), 0);
        EXPECT_EQ(lirc_value(samples[0]), pulse);
    }
}

// What the user reads when a receiver cannot be opened.
TEST(LircDevice, SaysWhyAReceiverDidNotOpen) {
    QTemporaryDir dir;
    const struct {
        QString path;
        LircFailure failure;
        QString text;
    } rows[] = {
        {dir.filePath(u"lirc9"_s), LircFailure::kNoDevice,
         u"无法打开 %1：没有这个设备。请检查红外接收器是否已插好，驱动是否已加载（ls /dev/lirc*），"
         "设备名是否正确。"_s.arg(dir.filePath(u"lirc9"_s))},
        // A character device that is no receiver.
        {u"/dev/null"_s, LircFailure::kNoRawMode,
         u"无法读取 /dev/null：它不提供原始脉冲（mode2）。这个接收器只报告解码后的扫描码，"
         "请换用能收原始脉冲的接收器，或选 /dev/lirc 下的另一个设备。"_s},
        {dir.path(), LircFailure::kOther, u"无法打开 %1：Is a directory"_s.arg(dir.path())},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        LircDevice device;
        EXPECT_FALSE(device.open(row.path));
        EXPECT_FALSE(device.is_open());
        EXPECT_EQ(device.failure(), row.failure);
        EXPECT_EQ(device.failure_text(), row.text);
    }
    EXPECT_EQ(lirc_failure_text(u"/dev/lirc0"_s, LircFailure::kNoPermission, u"video"_s, {}),
              u"无法打开 /dev/lirc0：没有权限。请把当前用户加入 video 组"
              "（sudo usermod -aG video $USER），然后重新登录。"_s);
}

}  // namespace
