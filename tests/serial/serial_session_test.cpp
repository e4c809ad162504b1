#include "tools/serial/core/serial_session.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/recording_form_host.h"
#include "tests/support/small_tmpfs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using State = SerialSession::State;

class SessionTest : public ::testing::Test {
protected:
    SessionTest() {
        m_host.make_serial_device = [this](const QString& path) {
            EXPECT_EQ(path, m_path);
            auto device = std::make_unique<FakeSerialDevice>();
            device->opens = std::exchange(m_next_opens, true);
            device->why_not = m_why_not;
            m_device = device.get();
            ++m_devices;
            return device;
        };
        plug(true);
    }

    // The device file comes and goes as an adapter is plugged in and pulled out.
    void plug(bool in) {
        in ? void(QFile(m_path).open(QIODevice::WriteOnly)) : void(QFile::remove(m_path));
    }
    // Runs what the event loop holds: sends reported, devices deleted.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(u"ttyUSB0"_s);
    RecordingFormHost m_host;
    SerialSession m_session{m_host};
    FakeSerialDevice* m_device = nullptr;
    int m_devices = 0;
    bool m_next_opens = true;
    SerialFailure m_why_not = SerialFailure::kBusy;
};

// Steps: open, close, fail (the device goes), unplug, plug, tick (of the reconnect timer), auto
// and manual (自动重连 on and off), busy and absent (the next device does not open, and why).
// %1 is the device.
struct StateRow {
    const char* steps;
    State state;
    QString status;
    int devices;
    int messages = 0;
};

const QString kOpened = u"%1 115200 8N1"_s;
const QString kAway = u"%1 已断开"_s;
const QString kWaiting = u"%1 已断开，设备回来时自动重连"_s;
const QString kClosed = u"%1 已关闭"_s;
const QString kBusy = u"无法打开 %1：端口正被另一个程序占用。请先关闭那个程序。"_s;
const QString kAbsent = u"无法打开 %1：没有这个设备。请检查设备是否已插好，端口名是否正确。"_s;

const StateRow kStateRows[] = {
    {"open", State::kOpen, kOpened, 1},
    {"open close", State::kClosed, kClosed, 1},
    {"open fail", State::kVanished, kAway, 1},
    {"open fail auto", State::kReconnecting, kWaiting, 1},
    {"auto open unplug fail tick tick", State::kReconnecting, kWaiting, 1},  // no device, no try
    {"auto open unplug fail tick plug tick", State::kOpen, kOpened, 2},
    {"auto open fail busy tick tick", State::kOpen, kOpened, 3},  // a failed try is quiet
    {"auto open fail manual tick", State::kVanished, kAway, 1},
    {"auto open fail close tick", State::kClosed, kClosed, 1},
    {"busy open", State::kFailed, kBusy, 1, 1},
    {"absent open", State::kFailed, kAbsent, 1, 1},
};

TEST_F(SessionTest, MovesBetweenItsStates) {
    for (const StateRow& row : kStateRows) {
        SCOPED_TRACE(row.steps);
        SerialSession session(m_host);
        m_devices = 0;
        m_host.messages.clear();
        plug(true);
        for (const QByteArray& step : QByteArray(row.steps).split(' ')) {
            if (step == "open") {
                session.open(m_path);
            } else if (step == "close") {
                session.close();
            } else if (step == "fail") {
                m_device->fail();
            } else if (step == "unplug" || step == "plug") {
                plug(step == "plug");
            } else if (step == "tick") {
                session.reconnect_tick();
            } else if (step == "auto" || step == "manual") {
                session.set_auto_reconnect(step == "auto");
            } else if (step == "busy" || step == "absent") {
                m_next_opens = false;
                m_why_not = step == "busy" ? SerialFailure::kBusy : SerialFailure::kNoDevice;
            }
            settle();
        }
        EXPECT_EQ(session.state(), row.state);
        EXPECT_EQ(session.status_text(), row.status.arg(m_path));
        EXPECT_EQ(m_devices, row.devices);
        EXPECT_EQ(m_host.messages, std::vector<QString>(row.messages, session.status_text()));
    }
}

// What arrives is logged, counted, recorded and kept for 保存接收. 清除接收 empties the view and
// what 保存接收 saves, not the recording nor the counts. Bytes waiting when the device fails are
// still read. The board's control lines keep what the user chose when the port opens again.
TEST_F(SessionTest, ReceivesSendsClearsAndKeepsTheLastBytesBeforeAFailure) {
    const QString record = m_dir.filePath(u"record.bin"_s);
    const QString saved = m_dir.filePath(u"saved.bin"_s);
    EXPECT_FALSE(m_session.send("x"));
    EXPECT_EQ(m_host.messages, std::vector<QString>{u"串口未打开，请先打开串口"_s});
    m_session.set_dtr(false);
    ASSERT_TRUE(m_session.open(m_path));
    m_session.set_rts(false);
    EXPECT_EQ(m_device->control_lines, (QStringList{u"DTR 0"_s, u"RTS 0"_s}));
    ASSERT_TRUE(m_session.start_recording(record));
    m_device->feed("before the clear came\n");  // longer than all after it: no tail may stay
    EXPECT_TRUE(m_session.send("AT\r\n"));
    EXPECT_TRUE(m_session.send_line(u"你好"_s));  // GBK, no line end
    EXPECT_EQ(m_session.sent_count(), 0);         // queued, not yet gone
    settle();
    EXPECT_EQ(m_device->written, "AT\r\n\xC4\xE3\xBA\xC3");
    m_session.clear_received();
    m_device->feed("after\n");
    m_device->feed("last words\n", false);  // waiting in the driver when the device goes
    m_device->fail();
    EXPECT_EQ(m_session.log().text(), u"after\nlast words"_s);
    EXPECT_EQ(m_session.received_count(), 39);
    EXPECT_EQ(m_session.sent_count(), 8);
    EXPECT_FALSE(m_session.is_recording());  // recording ends with the port
    EXPECT_EQ(file_bytes(record), "before the clear came\nafter\nlast words\n");
    ASSERT_TRUE(m_session.save_received(saved));
    EXPECT_EQ(file_bytes(saved), "after\nlast words\n");

    ASSERT_TRUE(m_session.open(m_path));
    m_session.set_dtr(true);
    EXPECT_TRUE(m_session.send_break());
    m_session.end_break();
    EXPECT_EQ(m_device->control_lines,
              (QStringList{u"DTR 0"_s, u"RTS 0"_s, u"DTR 1"_s, u"break 1"_s, u"break 0"_s}));
    m_device->controls_work = false;
    m_session.set_rts(true);
    EXPECT_TRUE(m_session.status_text().endsWith(u"（设备不接受 RTS）"_s));
    m_session.close();
    EXPECT_FALSE(m_session.send_break());
}

TEST_F(SessionTest, AFullDiskStopsRecordingWithAMessageAndSavesNothingOverTheOldFile) {
    SmallTmpfs disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << "no full disk to test: " << disk.why_not().toStdString();
    }
    const QString old = disk.add_file(u"old.bin"_s, "the old file");
    ASSERT_TRUE(m_session.open(m_path));
    ASSERT_TRUE(m_session.start_recording(disk.path(u"record.bin"_s)));
    QByteArray sent;
    for (int i = 0; i < 12; ++i) {
        const QByteArray piece(10 * 1024, static_cast<char>('a' + i));
        sent += piece;
        m_device->feed(piece);
    }
    EXPECT_FALSE(m_session.is_recording());
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_TRUE(m_host.messages[0].startsWith(u"记录文件写入失败，记录已停止："_s))
        << m_host.messages[0].toStdString();
    EXPECT_TRUE(sent.startsWith(file_bytes(disk.path(u"record.bin"_s))));
    // Every byte is still there for 保存接收, though not on the full disk.
    ASSERT_TRUE(m_session.save_received(m_dir.filePath(u"all.bin"_s)));
    EXPECT_EQ(file_bytes(m_dir.filePath(u"all.bin"_s)), sent);
    EXPECT_FALSE(m_session.save_received(old));
    m_session.clear_received();
    m_device->feed("new");  // few enough to wait in a buffer until the file is put in place
    EXPECT_FALSE(m_session.save_received(old));
    EXPECT_TRUE(
        m_host.messages.back().startsWith(u"无法保存文件："_s + QDir::toNativeSeparators(old)))
        << m_host.messages.back().toStdString();
    EXPECT_EQ(file_bytes(old), "the old file");
}

// 发送文件 counts only the file's own bytes: a line queued before it, and lines typed and timed
// while it goes, neither end it early nor hold it back. It ends when cancelled or the port goes;
// 定时发送 then waits for the port.
TEST_F(SessionTest, AFileGoesAmongLinesSentMeanwhileUntilCancelledOrThePortGoes) {
    QByteArray letters(5000, Qt::Uninitialized);
    QRandomGenerator random(3);
    std::generate(letters.begin(), letters.end(), [&] { return char('a' + random.bounded(26)); });
    const QString path = m_dir.filePath(u"firmware.bin"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(letters) == 5000);
    file.close();
    ASSERT_TRUE(m_session.open(m_path));
    m_device->sends_by_hand = true;
    EXPECT_FALSE(m_session.send_file(m_dir.filePath(u"none.bin"_s)));
    EXPECT_TRUE(m_host.messages.back().startsWith(u"无法打开文件："_s));
    m_session.set_line({1200, 'N', 8, 1, SerialFlow::kNone});
    m_session.set_send_options(false, LineEnd::kCrLf);
    ASSERT_TRUE(m_session.send(QByteArray(500, 'L')));  // a long line, still queued
    ASSERT_TRUE(m_session.send_file(path));
    m_session.start_timed_send(u"T"_s);
    for (int step = 0; m_session.is_sending_file(); ++step) {
        ASSERT_LT(step, 10000);
        if (step % 3 == 0) {
            m_session.timed_send_tick();
        }
        if (step % 7 == 0) {
            m_session.send_line(u"TYPED"_s);
        }
        m_device->take_sent(37);
    }
    m_session.stop_timed_send();
    EXPECT_EQ(m_session.file_sent(), 5000);
    // Lines go between blocks, whole.
    QByteArray lines = m_device->written;
    EXPECT_EQ(lines.replace("TYPED\r\n", "").replace("T\r\n", ""), QByteArray(500, 'L') + letters);

    m_device->take_sent(1 << 20);
    const qsizetype before = m_device->written.size();
    ASSERT_TRUE(m_session.send_file(path));
    m_device->take_sent(40);
    m_session.cancel_file_send();
    EXPECT_FALSE(m_session.is_sending_file());
    // One block of 64 bytes (a quarter second at 1200 baud is less), its last 24 thrown away.
    EXPECT_EQ(m_device->written.size(), before + 64);
    EXPECT_EQ(m_device->discarded.size(), 24);
    m_session.set_auto_reconnect(true);
    m_session.start_timed_send(u"T"_s);
    ASSERT_TRUE(m_session.send_file(path));
    m_device->take_sent(30);
    m_device->fail();
    EXPECT_FALSE(m_session.is_sending_file());
    EXPECT_EQ(m_host.messages.back(), u"发送文件未完成：已发送 30 / 5000 字节"_s);

    // 定时发送 idles while the port is away, sends again once it is back, and stops on a line
    // it cannot send.
    m_session.timed_send_tick();
    EXPECT_TRUE(m_session.is_timed_sending());
    m_session.reconnect_tick();
    m_session.timed_send_tick();
    EXPECT_EQ(m_device->written, "T\r\n");
    m_session.set_send_options(true, LineEnd::kNone);
    m_session.timed_send_tick();
    EXPECT_FALSE(m_session.is_timed_sending());
    EXPECT_EQ(m_host.messages.size(), 3u);
}

}  // namespace
