#pragma once

#include <QAccessibleWidget>

class LineSource;
class LineView;

// What a screen reader, or any tool that works through accessibility, reads of a line view:
// a read-only text, one line a line, served a part at a time from the view's source.
class LineViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LineViewAccessible(LineView* view);

    // Lets accessibility find this interface for every line view.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    QString text(int start, int end) const override;
    int characterCount() const override;
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override;

private:
    const LineSource& source() const;
};
