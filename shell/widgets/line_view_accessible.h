#pragma once

#include <QAccessibleWidget>

class LineSource;
class LineView;
struct LinePoint;

// What a screen reader, or any tool that works through accessibility, reads of a line view:
// a read-only text, one line a line, served a part at a time from the view's source, with the
// view's selection and caret.
class LineViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LineViewAccessible(LineView* view);

    // Lets accessibility find this interface for every line view.
    static void install();
    // Tells accessibility the view's selection and caret, when anyone listens.
    static void tell_selection(LineView* view);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    QString text(int start, int end) const override;
    int characterCount() const override;
    void selection(int index, int* start, int* end) const override;
    int selectionCount() const override;
    void addSelection(int start, int end) override;
    void removeSelection(int index) override;
    void setSelection(int index, int start, int end) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int start, int end) override;
    QString attributes(int offset, int* start, int* end) const override;
    // A character, word, sentence or line about `offset`, read from the lines about it: a screen
    // reader asks at every move of the caret, and a long log is never made whole for it.
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                             int* end) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                         int* end) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                            int* end) const override;

private:
    enum class Side { kBefore, kAt, kAfter };
    QString text_about(int offset, QAccessible::TextBoundaryType boundary, Side side, int* start,
                       int* end) const;
    LineView* view() const;
    const LineSource& source() const;
    int offset_of(LinePoint point) const;
    LinePoint point_of(int offset) const;
};
