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
            device->sends_by_hand = m_sends_by_hand;
            m_device = device.get();
            ++m_devices;
            return device;
        };
        plug(true);
    }

    // The device file comes and goes as an adapter is plugged in and pulled out.
    void plug(bool in) {
        if (in) {
            QFile file(m_path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        } else {
            QFile::remove(m_path);
        }
    }
    // Runs what the event loop holds: sends reported, devices deleted.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
    }
    // A file of `size` lowercase letters.
    QString letters_file(qsizetype size) {
        QByteArray bytes(size, Qt::Uninitialized);
        QRandomGenerator random(3);
        std::generate(bytes.begin(), bytes.end(), [&] { return char('a' + random.bounded(26)); });
        const QString path = m_dir.filePath(u"firmware.bin"_s);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == size);
        return path;
    }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(u"ttyUSB0"_s);
    RecordingFormHost m_host;
    SerialSession m_session{m_host};
    FakeSerialDevice* m_device = nullptr;
    int m_devices = 0;
    bool m_next_opens = true;
    SerialFailure m_why_not = SerialFailure::kBusy;
    bool m_sends_by_hand = false;
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
        EXPECT_EQ(session.is_open(), row.state == State::kOpen);
        EXPECT_EQ(session.status_text(), row.status.arg(m_path));
        EXPECT_EQ(m_devices, row.devices);
        EXPECT_EQ(m_host.messages.size(), static_cast<std::size_t>(row.messages));
        if (row.messages > 0) {
            EXPECT_EQ(m_host.messages.back(), session.status_text());
        }
    }
}

// What arrives is logged, counted, recorded and kept for 保存接收. 清除接收 empties the view and
// what 保存接收 saves, not the recording nor the counts. Bytes waiting when the device fails are
// still read.
TEST_F(SessionTest, ReceivesSendsClearsAndKeepsTheLastBytesBeforeAFailure) {
    const QString record = m_dir.filePath(u"record.bin"_s);
    const QString saved = m_dir.filePath(u"saved.bin"_s);
    EXPECT_FALSE(m_session.send("x"));
    EXPECT_EQ(m_host.messages, std::vector<QString>{u"串口未打开，请先打开串口"_s});
    ASSERT_TRUE(m_session.open(m_path));
    ASSERT_TRUE(m_session.start_recording(record));
    QList<QByteArray> heard;
    QObject::connect(&m_session, &SerialSession::bytes_received, [&](const QByteArray& bytes) {
        heard << bytes;
        EXPECT_TRUE(m_session.log().text().endsWith(QString::fromLatin1(bytes).trimmed()));
    });
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
    EXPECT_EQ(heard, (QList<QByteArray>{"before the clear came\n", "after\n", "last words\n"}));
    EXPECT_EQ(m_session.log().text(), u"after\nlast words"_s);
    EXPECT_EQ(m_session.received_count(), 39);
    EXPECT_EQ(m_session.sent_count(), 8);
    EXPECT_FALSE(m_session.is_recording());  // recording ends with the port
    EXPECT_EQ(contents(record), "before the clear came\nafter\nlast words\n");
    ASSERT_TRUE(m_session.save_received(saved));
    EXPECT_EQ(contents(saved), "after\nlast words\n");
}

TEST_F(SessionTest, AFullDiskStopsRecordingWithAMessageAndSavesNothingOverTheOldFile) {
    SmallTmpfs disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << "no full disk to test: " << disk.why_not().toStdString();
    }
    ASSERT_TRUE(m_session.open(m_path));
    ASSERT_TRUE(m_session.start_recording(disk.path(u"record.bin"_s)));
    bool recording = true;
    QObject::connect(&m_session, &SerialSession::recording_changed,
                     [&](bool on) { recording = on; });
    QByteArray sent;
    for (int i = 0; i < 12; ++i) {
        const QByteArray piece(10 * 1024, static_cast<char>('a' + i));
        sent += piece;
        m_device->feed(piece);
    }
    EXPECT_FALSE(recording);
    EXPECT_FALSE(m_session.is_recording());
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_TRUE(m_host.messages[0].startsWith(u"记录文件写入失败，记录已停止："_s))
        << m_host.messages[0].toStdString();
    EXPECT_TRUE(sent.startsWith(contents(disk.path(u"record.bin"_s))));
    // Every byte is still there for 保存接收.
    ASSERT_TRUE(m_session.save_received(m_dir.filePath(u"all.bin"_s)));
    EXPECT_EQ(contents(m_dir.filePath(u"all.bin"_s)), sent);

    QFile::remove(disk.path(u"record.bin"_s));
    const QString old = disk.path(u"old.bin"_s);
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("the old file") == 12);
    file.close();
    disk.fill();
    EXPECT_FALSE(m_session.save_received(old));
    EXPECT_TRUE(
        m_host.messages.back().startsWith(u"无法保存文件："_s + QDir::toNativeSeparators(old)))
        << m_host.messages.back().toStdString();
    EXPECT_EQ(contents(old), "the old file");
}

// 发送文件 counts only the file's own bytes: a line queued before it, and lines typed and timed
// while it goes, neither end it early nor hold it back.
TEST_F(SessionTest, AFileGoesWholeAmongLinesSentMeanwhile) {
    m_sends_by_hand = true;
    const QString path = letters_file(3000);
    ASSERT_TRUE(m_session.open(m_path));
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
        QByteArray gone = m_device->written.left(m_session.sent_count());
        const qsizetype file_bytes =
            gone.removeIf([](char c) { return c < 'a' || c > 'z'; }).size();
        EXPECT_EQ(m_session.file_sent(), file_bytes);
        EXPECT_EQ(m_session.is_sending_file(), file_bytes < 3000);
    }
    EXPECT_EQ(m_session.file_sent(), 3000);
    QByteArray file_part = m_device->written;
    file_part.removeIf([](char c) { return c < 'a' || c > 'z'; });
    EXPECT_EQ(file_part, contents(path));
    EXPECT_TRUE(m_device->written.startsWith(QByteArray(500, 'L')));
    // Lines go between blocks, whole.
    QByteArray lines = m_device->written.mid(500);
    lines.replace("TYPED\r\n", "").replace("T\r\n", "");
    EXPECT_EQ(lines, file_part);
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(SessionTest, AFileSendEndsWhenCancelledUnreadableOrThePortGoes) {
    m_sends_by_hand = true;
    const QString path = letters_file(5000);
    ASSERT_TRUE(m_session.open(m_path));
    EXPECT_FALSE(m_session.send_file(m_dir.filePath(u"none.bin"_s)));
    EXPECT_TRUE(m_host.messages.back().startsWith(u"无法打开文件："_s));
    m_session.set_line({1200, 'N', 8, 1, SerialFlow::kNone});
    ASSERT_TRUE(m_session.send_file(path));
    m_device->take_sent(40);
    m_session.cancel_file_send();
    EXPECT_FALSE(m_session.is_sending_file());
    // One block of 64 bytes (a quarter second at 1200 baud is less), its last 24 thrown away.
    EXPECT_EQ(m_device->written.size(), 64);
    EXPECT_EQ(m_device->discarded.size(), 24);
    m_device->take_sent(100);
    EXPECT_EQ(m_device->written.size(), 64);

    ASSERT_TRUE(m_session.send_file(path));
    m_device->take_sent(30);
    m_device->fail();
    EXPECT_FALSE(m_session.is_sending_file());
    EXPECT_EQ(m_host.messages.back(), u"发送文件未完成：已发送 30 / 5000 字节"_s);
}

TEST_F(SessionTest, TimedSendRepeatsTheLineIdlesWhileThePortIsAwayAndStopsOnABadLine) {
    ASSERT_TRUE(m_session.open(m_path));
    m_session.set_auto_reconnect(true);
    m_session.set_interval(50);
    m_session.start_timed_send(u"x"_s);
    EXPECT_TRUE(m_session.is_timed_sending());
    for (int i = 0; i < 3; ++i) {
        m_session.timed_send_tick();
    }
    EXPECT_EQ(m_device->written, "xxx");
    m_device->fail();
    m_session.timed_send_tick();  // nowhere to send: it waits
    EXPECT_TRUE(m_session.is_timed_sending());
    m_session.reconnect_tick();
    ASSERT_TRUE(m_session.is_open());
    m_session.timed_send_tick();
    EXPECT_EQ(m_device->written, "x");
    EXPECT_TRUE(m_host.messages.empty());

    m_session.set_send_options(true, LineEnd::kNone);
    m_session.start_timed_send(u"5G"_s);
    m_session.timed_send_tick();
    EXPECT_FALSE(m_session.is_timed_sending());
    EXPECT_EQ(m_host.messages.size(), 1u);
}

TEST_F(SessionTest, BoardLinesAreKeptAcrossReopenAndBreakLastsItsTime) {
    m_session.set_dtr(false);
    ASSERT_TRUE(m_session.open(m_path));
    m_session.set_rts(false);
    EXPECT_EQ(m_device->control_lines, (QStringList{u"DTR 0"_s, u"RTS 0"_s}));
    m_session.close();
    ASSERT_TRUE(m_session.open(m_path));
    m_session.set_dtr(true);
    EXPECT_EQ(m_device->control_lines, (QStringList{u"DTR 0"_s, u"RTS 0"_s, u"DTR 1"_s}));
    EXPECT_TRUE(m_session.send_break());
    EXPECT_EQ(m_device->control_lines.back(), u"break 1"_s);
    m_session.end_break();
    EXPECT_EQ(m_device->control_lines.back(), u"break 0"_s);

    m_device->controls_work = false;
    m_session.set_rts(true);
    EXPECT_TRUE(m_session.status_text().endsWith(u"（设备不接受 RTS）"_s));
    m_session.close();
    EXPECT_FALSE(m_session.send_break());
    EXPECT_EQ(m_host.messages, std::vector<QString>{u"串口未打开，请先打开串口"_s});
    EXPECT_FALSE(m_session.settings().dtr == false || m_session.settings().rts == false);
}

}  // namespace
