#pragma once

#include <QAccessibleWidget>

class ByteLogView;

// What a screen reader, or any tool that works through accessibility, reads of the data window:
// a read-only text, one value a line, served a part at a time from the log as it is asked for.
class ByteLogAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ByteLogAccessible(ByteLogView* view);

    // Lets accessibility find this interface for every data window.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    QString text(int start, int end) const override;
    int characterCount() const override;
    void selection(int index, int* start, int* end) const override;
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
    const ByteLogView* view() const;
};
