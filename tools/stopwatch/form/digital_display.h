#pragma once

#include <QLCDNumber>

// A seven-segment read-out of the text it is given, which it also gives to screen readers as
// its text.
class DigitalDisplay : public QLCDNumber {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE set_text)
public:
    explicit DigitalDisplay(QWidget* parent);

    QString text() const { return m_text; }
    void set_text(const QString& text);

private:
    QString m_text;
};
