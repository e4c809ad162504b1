#include "shell/widgets/line_view.h"
#include "shell/widgets/line_source.h"
#include "tests/support/form_driver.h"

#include <QAccessible>
#include <QScrollBar>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

class ListSource : public LineSource {
public:
    QStringList lines;

    qint64 line_count() const override { return lines.size(); }
    QString line(qint64 index) const override { return lines[index]; }
    qint64 text_size() const override { return lines.join(u'\n').size(); }
    QString text(qint64 from, qint64 to) const override {
        return lines.join(u'\n').mid(from, to - from);
    }
};

// The view follows the newest line until the user scrolls away, and catches up when they come
// back to the end; accessibility reads its text read-only.
TEST(LineView, FollowsTheNewestLineUntilScrolledAwayAndReadsAsText) {
    ListSource source;
    LineView view(source, nullptr);
    view.resize(200, 120);
    view.show();
    QScrollBar* bar = view.verticalScrollBar();
    const auto add = [&](int count) {
        for (int i = 0; i < count; ++i) {
            source.lines.append(QString::number(source.lines.size()));
        }
        view.refresh();
    };
    add(100);
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->setValue(3);
    add(10);
    EXPECT_EQ(bar->value(), 3);
    bar->setValue(bar->maximum());
    add(10);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(bar->maximum(), 120 - bar->pageStep());

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(accessible->textInterface(), nullptr);
    EXPECT_TRUE(accessible->state().readOnly);
    EXPECT_EQ(accessible->textInterface()->text(2, 7), u"1\n2\n3"_s);
    EXPECT_EQ(accessible->textInterface()->characterCount(), source.text_size());
}

}  // namespace
