#pragma once

#include <QAccessibleWidget>

class ReceiveView;

// What accessibility reads of the 接收区: a read-only text, the lines on screen.
class ReceiveViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReceiveViewAccessible(ReceiveView* view);

    // Lets accessibility find this interface for every receive view.
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
    QString all_text() const;
};
