#include "shell/goodbye_window.h"
#include "tests/support/form_test.h"

#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

using GoodbyeWindowTest = FormTest<GoodbyeWindow>;

TEST_F(GoodbyeWindowTest, IsShapedLikeItsWords) {
    const QRegion letters = m_form->letter_region();
    EXPECT_EQ(m_form->mask(), letters);
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
    auto* timer = m_form->findChild<QTimer*>(u"Timer1"_s);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    m_form->on_tick();
    m_form->on_tick();
    EXPECT_TRUE(m_form->is_loaded());
    EXPECT_TRUE(m_form->isVisible());
    m_form->on_tick();
    EXPECT_FALSE(m_form->is_loaded());
    EXPECT_FALSE(m_form->isVisible());
    flush_deletes();
    EXPECT_TRUE(m_form.isNull());
}

TEST_F(GoodbyeWindowTest, DraggingALetterMovesTheWindow) {
    const QRect first = *m_form->letter_region().begin();
    const QPoint on_letter = first.center();
    ASSERT_TRUE(m_form->mask().contains(on_letter));
    const QPoint before = m_form->pos();
    QTest::mousePress(m_form, Qt::LeftButton, {}, on_letter);
    QTest::mouseMove(m_form, on_letter + QPoint(30, 40));
    QTest::mouseRelease(m_form, Qt::LeftButton, {}, on_letter + QPoint(30, 40));
    EXPECT_EQ(m_form->pos(), before + QPoint(30, 40));
}

}  // namespace
