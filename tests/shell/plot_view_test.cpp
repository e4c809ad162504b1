#include "shell/widgets/plot_view.h"
#include "shell/widgets/plot_box.h"
#include "tests/support/form_driver.h"
#include "tests/support/paint_counter.h"
#include "tests/support/recording_form_host.h"

#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;

namespace {

// The rows of the picture at `ratio` pixels a point holding a pixel of `colour` outside the
// legend, with the number of such pixels in each.
std::map<int, int> rows_in(PlotView& view, qreal ratio, const QColor& colour) {
    QPixmap pixmap(view.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    view.render(&pixmap);
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    QRegion legend;
    for (const QPushButton* button : view.findChildren<QPushButton*>()) {
        legend += QRect(button->geometry().topLeft() * ratio, button->size() * ratio);
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

// The lines are written into the plot's own image in the pixels painted on, at any density:
// each shown channel in its colour at the height of its values, a hidden one not at all.
TEST(PlotView, PaintsEachShownChannelInItsColourAtItsValues) {
    SampleStore store;
    for (int i = 0; i < 5000; ++i) {
        store.add(i * 0.001, {{u"low"_s, 1}, {u"high"_s, 3}});
    }
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        PlotView view;
        view.set_store(&store);
        view.resize(400, 300);
        const std::map<int, int> low = rows_in(view, ratio, PlotView::channel_colour(0));
        const std::map<int, int> high = rows_in(view, ratio, PlotView::channel_colour(1));
        // A steady value is one row of pixels across the plot's width (64 + 12 points of
        // margins).
        ASSERT_EQ(low.size(), 1u);
        ASSERT_EQ(high.size(), 1u);
        EXPECT_EQ(low.begin()->second, (400 - 64 - 12) * ratio);
        EXPECT_EQ(high.begin()->second, (400 - 64 - 12) * ratio);
        EXPECT_LT(high.begin()->first, low.begin()->first);

        view.set_channel_shown(u"low"_s, false);
        EXPECT_TRUE(rows_in(view, ratio, PlotView::channel_colour(0)).empty());
        EXPECT_EQ(rows_in(view, ratio, PlotView::channel_colour(1)).size(), 1u);
    }
}

// A drag zooms to its rectangle, the wheel zooms the time about the pointer, a double click
// follows the data again; 保存图片 saves the picture as shown.
TEST(PlotView, ZoomsByDragAndWheelFollowsOnADoubleClickAndSavesItsPicture) {
    SampleStore store;
    for (int i = 0; i <= 100; ++i) {
        store.add(i * 0.1, {{u"a"_s, double(i % 7)}});
    }
    RecordingFormHost host;
    PlotBox box(host, store, u"波形"_s);
    box.resize(500, 400);
    box.show();
    PlotView* view = box.plot();
    const auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, buttons, {});
        QCoreApplication::sendEvent(view, &event);
    };
    const PlotView::Ranges whole = view->ranges();
    const QPoint centre = view->rect().center();
    mouse(QEvent::MouseButtonPress, centre - QPoint(60, 40), Qt::LeftButton);
    mouse(QEvent::MouseMove, centre, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, centre, Qt::NoButton);
    EXPECT_FALSE(view->follows_data());
    const PlotView::Ranges zoomed = view->ranges();
    EXPECT_GT(zoomed.left, whole.left);
    EXPECT_LT(zoomed.right - zoomed.left, (whole.right - whole.left) / 3);
    EXPECT_LT(zoomed.top - zoomed.bottom, (whole.top - whole.bottom) / 3);
    QWheelEvent wheel(QPointF(centre), view->mapToGlobal(QPointF(centre)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    EXPECT_NEAR(view->ranges().right - view->ranges().left, (zoomed.right - zoomed.left) * 0.8,
                1e-9);
    QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_TRUE(view->follows_data());
    EXPECT_EQ(view->ranges().right, whole.right);

    QTemporaryDir dir;
    host.answer_dialog(dir.filePath(u"波形.png"_s));
    click(control<QPushButton>(&box, u"保存图片"_s));
    const QImage saved(dir.filePath(u"波形.png"_s));
    EXPECT_EQ(saved.size(), view->size() * view->devicePixelRatio());
    EXPECT_EQ(saved, view->grab().toImage().convertToFormat(saved.format()));
    EXPECT_TRUE(host.messages.empty());
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
