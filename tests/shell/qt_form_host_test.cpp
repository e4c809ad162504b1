#include "shell/qt_host/qt_form_host.h"
#include "shell/qt_host/qt_serial_device.h"
#include "shell/qt_host/serial_port_name.h"
#include "tests/support/form_driver.h"
#include "tests/support/pseudo_terminal.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QStringList g_warnings;

// Filters and port names become Qt's. The device named on the command line is serial port 1. The
// window says only "串口通信无效" when it does not open; the device and the system's reason go to
// standard error.
TEST(QtFormHost, NamesFiltersAndPortsAndReportsAPortThatDoesNotOpen) {
    EXPECT_EQ(name_filters(u"文本文件（*.TXT）|*.txt|所有文件（*.*）|*.*"_s),
              QStringList({u"文本文件（*.TXT） (*.txt)"_s, u"所有文件（*.*） (*)"_s}));
#ifndef Q_OS_WIN
    EXPECT_EQ(serial_port_name(2), u"/dev/ttyS1"_s);
#endif

    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { g_warnings << text; });
    QtFormHost host(u"/nonexistent/ttyUSB9"_s);
    EXPECT_FALSE(host.serial_device(host.serial_port_device(1))->open(SerialLine{}));
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_warnings,
              QStringList(u"serial port /nonexistent/ttyUSB9: No such file or directory"_s));
}

// Runs `inspect` on the modal window once it is up.
template <typename Modal, typename Inspect>
void when_modal_opens(Inspect inspect) {
    QTimer::singleShot(0, [inspect] {
        auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
        ASSERT_NE(modal, nullptr);
        inspect(modal);
    });
}

// A message has the toolbox's title, no icon and one button. Whatever filter an open dialog shows,
// a typed path of an existing file opens.
TEST(QtFormHost, ShowsMessagesAndFileDialogs) {
    QtFormHost host;
    when_modal_opens<QMessageBox>([&](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle() + box->text(), u"Brevik你没选择码型\n第二行"_s);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->buttons().size(), 1);
        box->accept();
    });
    host.message(u"你没选择码型\r第二行"_s);
    when_modal_opens<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), u"保存文件"_s);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->defaultSuffix(), u"txt"_s);
        EXPECT_TRUE(dialog->selectedFiles().value(0).endsWith(u"/七段码查询.txt"_s));
        dialog->reject();
    });
    EXPECT_FALSE(host.save_file({u"保存文件"_s, text_file_filter(), u".txt"_s, u"七段码查询"_s}));

    QTemporaryDir dir;
    ASSERT_TRUE(QFile(dir.filePath(u"prog.lst"_s)).open(QIODevice::WriteOnly));
    when_modal_opens<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->selectedNameFilter(), u"文本文件（*.TXT） (*.txt)"_s);
        // Typed once the folder shows, as a user types it.
        auto* files = dialog->findChild<QFileSystemModel*>();
        EXPECT_TRUE(QTest::qWaitFor([&] { return files->rowCount(files->index(dir.path())) > 0; }));
        retype(dialog->findChild<QLineEdit*>(u"fileNameEdit"_s), u"prog.lst"_s);
        QPushButton* open = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
        EXPECT_TRUE(QTest::qWaitFor([open] { return open->isEnabled(); }));
        click(open);
        if (dialog->isVisible()) {
            dialog->reject();  // it refused the file
        }
    });
    EXPECT_EQ(host.open_file({{}, text_file_filter(), u".txt"_s, dir.filePath(u"new.txt"_s)}),
              dir.filePath(u"prog.lst"_s));
}

// The line a port is opened with is the line the device is set to: a board on the wrong parity or
// stop bits reads garbage. The master end of a pseudo-terminal reads back its slave's settings, all
// but the parity enable and the character size, which its driver forces to none and 8 bits.
TEST(QtSerialDevice, OpensTheDeviceWithTheLineAsked) {
    constexpr tcflag_t kControl = PARODD | CMSPAR | CSTOPB | CRTSCTS;
    struct Row {
        SerialLine line;
        speed_t speed;
        tcflag_t control;  // which parity once enabled, stop bits and RTS/CTS
        bool xon_xoff;
    };
    const Row rows[] = {
        {{9600, 'N', 8, 1, SerialFlow::kNone}, B9600, 0, false},
        {{115200, 'E', 7, 2, SerialFlow::kHardware}, B115200, CSTOPB | CRTSCTS, false},
        {{4800, 'o', 8, 1, SerialFlow::kSoftware}, B4800, PARODD, true},
        {{9600, 'M', 8, 1, SerialFlow::kNone}, B9600, PARODD | CMSPAR, false},
        {{9600, 'S', 8, 1, SerialFlow::kNone}, B9600, CMSPAR, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
        const auto pair = open_pseudo_terminal();
        ASSERT_TRUE(pair.has_value());
        QtSerialDevice port(pair->device);
        ASSERT_TRUE(port.open_read_write(row.line));
        termios set{};
        ASSERT_EQ(tcgetattr(pair->master, &set), 0);
        EXPECT_EQ(set.c_cflag & kControl, row.control);
        EXPECT_EQ((set.c_iflag & (IXON | IXOFF)) != 0, row.xon_xoff);
        EXPECT_EQ(cfgetospeed(&set), row.speed);
        ::close(pair->master);
    }
}

}  // namespace
