#include "shell/qt_host/qt_form_host.h"
#include "shell/qt_host/qt_serial_device.h"
#include "shell/qt_host/serial_port_name.h"
#include "tests/support/form_driver.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

TEST(QtFormHost, PromptLinesJoinedByCarriageReturnsShowAsLines) {
    EXPECT_EQ(displayed_prompt(u"1：a\r2：b\r\n3：c\r"_s), u"1：a\n2：b\n3：c\n"_s);
}

TEST(QtFormHost, FiltersBecomeNameFilters) {
    EXPECT_EQ(name_filters(u"文本文件（*.TXT）|*.txt|所有文件（*.*）|*.*"_s),
              QStringList({u"文本文件（*.TXT） (*.txt)"_s, u"所有文件（*.*） (*)"_s}));
}

TEST(QtFormHost, SerialPortOneIsTheFirstPortOfTheMachine) {
#ifdef Q_OS_WIN
    EXPECT_EQ(serial_port_name(1), u"COM1"_s);
#else
    EXPECT_EQ(serial_port_name(1), u"/dev/ttyS0"_s);
    EXPECT_EQ(serial_port_name(2), u"/dev/ttyS1"_s);
#endif
}

QStringList g_warnings;

// The window says only "串口通信无效"; the device and the system's reason go to standard error.
TEST(QtSerialDevice, APortThatDoesNotOpenIsReportedWithItsDeviceAndReason) {
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { g_warnings << text; });
    QtSerialDevice port(u"/nonexistent/ttyUSB9"_s);
    EXPECT_FALSE(port.open(SerialLine{}));
    qInstallMessageHandler(previous);
    ASSERT_EQ(g_warnings.size(), 1);
    EXPECT_TRUE(g_warnings[0].contains(u"/nonexistent/ttyUSB9"_s)) << g_warnings[0].toStdString();
    EXPECT_TRUE(g_warnings[0].contains(u"No such file or directory"_s))
        << g_warnings[0].toStdString();
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

TEST(QtFormHost, MessageBoxHasTheTitleNoIconAndOneOkButton) {
    QtFormHost host;
    bool seen = false;
    when_modal_opens<QMessageBox>([&](QMessageBox* box) {
        seen = true;
        EXPECT_EQ(box->windowTitle(), u"Brevik"_s);
        EXPECT_EQ(box->text(), u"你没选择码型\n第二行"_s);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->accept();
    });
    host.message(u"你没选择码型\r第二行"_s);
    EXPECT_TRUE(seen);
}

TEST(QtFormHost, SaveDialogOffersTheNameAndCancelReturnsNothing) {
    QtFormHost host;
    bool seen = false;
    when_modal_opens<QFileDialog>([&](QFileDialog* dialog) {
        seen = true;
        EXPECT_EQ(dialog->windowTitle(), u"保存文件"_s);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->defaultSuffix(), u"txt"_s);
        EXPECT_EQ(dialog->nameFilters().size(), 2);
        ASSERT_EQ(dialog->selectedFiles().size(), 1);
        EXPECT_TRUE(dialog->selectedFiles()[0].endsWith(u"/七段码查询.txt"_s))
            << dialog->selectedFiles()[0].toStdString();
        dialog->reject();
    });
    const auto chosen =
        host.save_file({u"保存文件"_s, u"文本文件（*.TXT）|*.txt|所有文件（*.*）|*.*"_s, u".txt"_s,
                        u"七段码查询"_s});
    EXPECT_TRUE(seen);
    EXPECT_FALSE(chosen);
}

}  // namespace
