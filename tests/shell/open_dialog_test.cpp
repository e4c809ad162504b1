#include "shell/qt_host/qt_form_host.h"
#include "tests/support/form_driver.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Whatever filter is chosen, a typed path of an existing file opens.
TEST(OpenDialog, OpensATypedFileThatTheFilterDoesNotMatch) {
    QTemporaryDir dir;
    const QString listing = dir.filePath(u"prog.lst"_s);
    ASSERT_TRUE(QFile(listing).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile(dir.filePath(u"a.txt"_s)).open(QIODevice::WriteOnly));
    QtFormHost host;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->selectedNameFilter(), u"文本文件（*.TXT） (*.txt)"_s);
        // Typed once the folder shows, as a user types it.
        auto* files = dialog->findChild<QFileSystemModel*>();
        const QModelIndex folder = files->index(dir.path());
        EXPECT_TRUE(QTest::qWaitFor([&] { return files->rowCount(folder) > 0; }, 3000));
        retype(dialog->findChild<QLineEdit*>(u"fileNameEdit"_s), u"prog.lst"_s);
        QPushButton* open = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
        EXPECT_TRUE(QTest::qWaitFor([open] { return open->isEnabled(); }, 3000));
        click(open);
        if (dialog->isVisible()) {
            dialog->reject();  // it refused the file
        }
    });
    EXPECT_EQ(host.open_file({{}, text_file_filter(), u".txt"_s, dir.filePath(u"new.txt"_s)}),
              listing);
}

}  // namespace
