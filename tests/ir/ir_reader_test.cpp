#include "tests/support/qt_printers.h"
#include "tools/ir/core/ir_frame_splitter.h"
#include "tools/ir/core/ir_key_table.h"
#include "tools/ir/core/lirc_device.h"
#include "tools/ir/core/lirc_sample_reader.h"
#include "tools/ir/core/timing_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Kind = IrSample::Kind;

const IrSample kPulse9000{Kind::kPulse, 9000};
const IrSample kSpace4500{Kind::kSpace, 4500};
const IrSample kTimeout125000{Kind::kTimeout, 125000};

TEST(TimingFile, ReadsBothFormsAndNamesTheFirstBadLine) {
    // The text, its samples, the first bad line (0: none).
    const std::tuple<QString, std::vector<IrSample>, int> rows[] = {
        {u"pulse 9000\nspace 4500\n"_s, {kPulse9000, kSpace4500}, 0},
        {u"+9000 -4500\r\n"_s, {kPulse9000, kSpace4500}, 0},
        {u"# a\n\n  +9000\t-4500 # b\ntimeout 125000"_s,
         {kPulse9000, kSpace4500, kTimeout125000},
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
    for (const auto& [text, samples, bad_line] : rows) {
        SCOPED_TRACE(text.toStdString());
        const TimingFile file = parse_timing_text(text);
        EXPECT_EQ(file.error ? file.error->line : 0, bad_line);
        if (!file.error) {
            EXPECT_EQ(file.samples, samples);
        }
    }
}

// Long spaces and timeouts end frames; the clock runs over everything received.
TEST(IrFrameSplitter, CutsFramesAtLongSpacesTimeoutsAndTheLongestFrame) {
    IrFrameSplitter splitter;
    splitter.add(
        parse_timing_text(u"-100000 +560 -5000 +560 -6000 +700 timeout 30000 +50 -20000 +900"_s)
            .samples);
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

    // A frame that never falls silent is cut at the longest a frame can be.
    for (int i = 0; i < 1000; ++i) {
        splitter.add({{Kind::kPulse, 300}, {Kind::kSpace, 300}});
    }
    EXPECT_EQ(splitter.take_frames().front().timings.size(), IrFrameSplitter::kLongestFrame);
}

IrFrame frame_at(IrProtocol protocol, quint32 scancode, qint64 start_ms, int toggle = -1,
                 bool repeat = false) {
    IrFrame frame;
    std::tie(frame.protocol, frame.scancode, frame.toggle, frame.repeat) =
        std::tie(protocol, scancode, toggle, repeat);
    frame.start_us = start_ms * 1000;
    frame.end_us = frame.start_us + 60000;
    return frame;
}

// A held key's frames fold into one row with a count; a new press, another key or a long pause
// starts a row.
TEST(IrKeyTable, FoldsTheFramesOfAHeldKey) {
    IrKeyTable table;
    // A frame, whether it folds, the rows then and the last row's 重复/翻转.
    const std::tuple<IrFrame, bool, std::size_t, QString> steps[] = {
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
    for (const auto& [frame, folds, rows, repeat] : steps) {
        SCOPED_TRACE(frame.start_us);
        if (frame.start_us == 0 && !table.rows().empty()) {
            table.end_stream();
        }
        EXPECT_EQ(table.add(frame), folds);
        ASSERT_EQ(table.rows().size(), rows);
        EXPECT_EQ(repeat_text(table.rows().back()), repeat);
    }
}

// Every kind of value a receiver reports, the bytes cut at every point into two reads: the
// carrier is skipped, an overflow ends the frame as a timeout, and a cut value waits.
TEST(LircSampleReader, ReadsEveryKindOfValueCutAnywhere) {
    const quint32 values[] = {kLircPulse | 9000,     kLircSpace | 4500, kLircFrequency | 38000,
                              kLircTimeout | 125000, kLircOverflow,     kLircSpace | 0xffffff};
    const QByteArray bytes(reinterpret_cast<const char*>(values), sizeof values);
    const std::vector<IrSample> expected{kPulse9000, kSpace4500, kTimeout125000,
                                         IrSample{Kind::kTimeout, 0},
                                         IrSample{Kind::kSpace, 0xffffff}};
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        LircSampleReader reader;
        std::vector<IrSample> samples = reader.read(bytes.left(cut));
        EXPECT_EQ(reader.pending(), cut % 4);
        const std::vector<IrSample> rest = reader.read(bytes.mid(cut));
        samples.insert(samples.end(), rest.begin(), rest.end());
        EXPECT_EQ(samples, expected);
        EXPECT_EQ(reader.pending(), 0);
    }
}

// What the user reads when a receiver cannot be opened: why, and what to do about it.
TEST(LircDevice, SaysWhyAReceiverDidNotOpen) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"lirc9"_s);
    const std::tuple<QString, LircFailure, QString> rows[] = {
        {missing, LircFailure::kNoDevice,
         u"无法打开 %1：没有这个设备。请检查红外接收器"_s.arg(missing)},
        // A character device that is no receiver.
        {u"/dev/null"_s, LircFailure::kNoRawMode,
         u"无法读取 /dev/null：它不提供原始脉冲（mode2）"_s},
        {dir.path(), LircFailure::kOther, u"无法打开 %1：Is a directory"_s.arg(dir.path())},
    };
    for (const auto& [path, failure, text] : rows) {
        LircDevice device;
        EXPECT_FALSE(device.open(path));
        EXPECT_FALSE(device.is_open());
        EXPECT_EQ(device.failure(), failure);
        EXPECT_TRUE(device.failure_text().startsWith(text)) << device.failure_text().toStdString();
    }
    EXPECT_TRUE(
        lirc_failure_text(u"/dev/lirc0"_s, LircFailure::kNoPermission, u"video"_s, {})
            .contains(u"没有权限。请把当前用户加入 video 组（sudo usermod -aG video $USER）"_s));
}

}  // namespace
