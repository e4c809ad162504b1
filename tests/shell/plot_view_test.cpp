#include "shell/widgets/plot_view.h"
#include "tests/support/paint_counter.h"

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;

namespace {

// The rows of the picture holding a pixel of `colour` outside the legend, with the number of such
// pixels in each.
std::map<int, int> rows_in(PlotView& view, const QColor& colour) {
    const QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QRegion legend;
    for (const QPushButton* button : view.findChildren<QPushButton*>()) {
        legend += button->geometry();
    }
    std::map<int, int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour.rgb() && !legend.contains(QPoint(x, y))) {
                ++rows[y];
            }
        }
    }
    return rows;
}

// The lines are written into the plot's own image: each shown channel in its colour at the
// height of its values, a hidden one not at all.
TEST(PlotView, PaintsEachShownChannelInItsColourAtItsValues) {
    SampleStore store;
    for (int i = 0; i < 5000; ++i) {
        store.add(i * 0.001, {{u"low"_s, 1}, {u"high"_s, 3}});
    }
    PlotView view;
    view.set_store(&store);
    view.resize(400, 300);
    const std::map<int, int> low = rows_in(view, PlotView::channel_colour(0));
    const std::map<int, int> high = rows_in(view, PlotView::channel_colour(1));
    // A steady value is one row across the plot's width (64 + 12 pixels of margins).
    ASSERT_EQ(low.size(), 1u);
    ASSERT_EQ(high.size(), 1u);
    EXPECT_EQ(low.begin()->second, 400 - 64 - 12);
    EXPECT_EQ(high.begin()->second, 400 - 64 - 12);
    EXPECT_LT(high.begin()->first, low.begin()->first);

    view.set_channel_shown(u"low"_s, false);
    EXPECT_TRUE(rows_in(view, PlotView::channel_colour(0)).empty());
    EXPECT_EQ(rows_in(view, PlotView::channel_colour(1)).size(), 1u);
}

// New data shows at the next refresh, not while the window is minimised; restored, the plot
// catches up.
TEST(PlotView, DrawsNewDataAtItsRefreshButNotWhileMinimised) {
    SampleStore store;
    QWidget window;
    auto* view = new PlotView;
    (new QVBoxLayout(&window))->addWidget(view);
    view->set_store(&store);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    PaintCounter counter;
    view->installEventFilter(&counter);
    const auto legend = [&] { return view->findChildren<QPushButton*>().size(); };
    QTest::qWait(2 * view->refresh_interval_ms());  // past the first pictures
    counter.pictures = 0;
    store.add(0, {{u"a"_s, 1}});
    view->data_changed();
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.pictures > 0; }, 5000));
    EXPECT_EQ(legend(), 1);

    window.setWindowState(Qt::WindowMinimized);
    QTest::qWait(2 * view->refresh_interval_ms());
    counter.pictures = 0;
    store.add(1, {{u"a"_s, 2}, {u"b"_s, 3}});
    view->data_changed();
    QTest::qWait(3 * view->refresh_interval_ms());
    EXPECT_EQ(counter.pictures, 0);
    EXPECT_EQ(legend(), 1);
    window.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.pictures > 0; }, 5000));
    EXPECT_EQ(legend(), 2);
}

}  // namespace
