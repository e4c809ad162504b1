#include "shell/goodbye_window.h"
#include "tests/support/form_driver.h"
#include "tests/support/recording_form_host.h"

#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

class GoodbyeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window = new GoodbyeWindow(m_host);
        m_window->load();
        m_window->show();
    }
    void TearDown() override { delete m_window.data(); }

    RecordingFormHost m_host;
    QPointer<GoodbyeWindow> m_window;
};

TEST_F(GoodbyeWindowTest, IsARedMaximizedWindowShapedLikeItsWords) {
    EXPECT_EQ(m_window->windowTitle(), u"送客"_s);
    EXPECT_EQ(m_window->objectName(), u"Form2"_s);
    EXPECT_TRUE(m_window->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(m_window->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(m_window->font().pointSize(), 100);
    EXPECT_TRUE(m_window->font().bold());
    EXPECT_TRUE(m_window->font().italic());

    const QRegion letters = m_window->letter_region();
    EXPECT_EQ(m_window->mask(), letters);
    ASSERT_FALSE(letters.isEmpty());
    // The pieces start at x = 110 and y = 200: nothing above or left of them belongs to the
    // window, so clicks there fall through.
    EXPECT_GE(letters.boundingRect().left(), 100);
    EXPECT_GE(letters.boundingRect().top(), 200);
    EXPECT_FALSE(letters.contains(QPoint(50, 50)));
    EXPECT_FALSE(letters.contains(QPoint(105, 300)));
    // Five pieces of letters, not one block: the region is far from its bounding box.
    const QRect box = letters.boundingRect();
    qint64 area = 0;
    for (const QRect& r : letters) {
        area += qint64(r.width()) * r.height();
    }
    EXPECT_LT(area, qint64(box.width()) * box.height() * 3 / 4);
}

TEST_F(GoodbyeWindowTest, ClosesItselfOnTheThirdTick) {
    auto* timer = m_window->findChild<QTimer*>(u"Timer1"_s);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    m_window->Timer1_Timer();
    m_window->Timer1_Timer();
    EXPECT_TRUE(m_window->is_loaded());
    EXPECT_TRUE(m_window->isVisible());
    m_window->Timer1_Timer();
    EXPECT_FALSE(m_window->is_loaded());
    EXPECT_FALSE(m_window->isVisible());
    flush_deletes();
    EXPECT_TRUE(m_window.isNull());
}

TEST_F(GoodbyeWindowTest, IsGoneAboutThreeSecondsAfterLoading) {
    QTest::qWait(2500);
    ASSERT_FALSE(m_window.isNull());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_window.isNull(); }, 2000));
}

TEST_F(GoodbyeWindowTest, DraggingALetterMovesTheWindow) {
    const QRect first = *m_window->letter_region().begin();
    const QPoint on_letter = first.center();
    ASSERT_TRUE(m_window->mask().contains(on_letter));
    const QPoint before = m_window->pos();
    QTest::mousePress(m_window, Qt::LeftButton, {}, on_letter);
    QTest::mouseMove(m_window, on_letter + QPoint(30, 40));
    QTest::mouseRelease(m_window, Qt::LeftButton, {}, on_letter + QPoint(30, 40));
    EXPECT_EQ(m_window->pos(), before + QPoint(30, 40));
}

}  // namespace
