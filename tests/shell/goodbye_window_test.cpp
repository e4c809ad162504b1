#include "shell/goodbye_window.h"
#include "tests/support/form_test.h"

#include <QTest>

namespace {

using GoodbyeWindowTest = FormTest<GoodbyeWindow>;

// The window is the five pieces of letters, not one block: clicks beside them fall through,
// and a letter drags the window.
TEST_F(GoodbyeWindowTest, IsShapedLikeItsWordsAndDraggedByThem) {
    const QRegion letters = m_form->letter_region();
    EXPECT_EQ(m_form->mask(), letters);
    // The pieces start at x = 110 and y = 200.
    EXPECT_GE(letters.boundingRect().left(), 100);
    EXPECT_GE(letters.boundingRect().top(), 200);
    EXPECT_FALSE(letters.contains(QPoint(105, 300)));
    qint64 area = 0;
    for (const QRect& r : letters) {
        area += qint64(r.width()) * r.height();
    }
    const QRect box = letters.boundingRect();
    EXPECT_LT(area, qint64(box.width()) * box.height() * 3 / 4);

    const QPoint on_letter = letters.begin()->center();
    const QPoint before = m_form->pos();
    QTest::mousePress(m_form, Qt::LeftButton, {}, on_letter);
    QTest::mouseMove(m_form, on_letter + QPoint(30, 40));
    QTest::mouseRelease(m_form, Qt::LeftButton, {}, on_letter + QPoint(30, 40));
    EXPECT_EQ(m_form->pos(), before + QPoint(30, 40));
}

}  // namespace
