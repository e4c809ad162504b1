#pragma once

#include <QComboBox>

// The 端口 box: lists ports afresh each time it opens, and takes a typed device path.
class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PortComboBox(QWidget* parent = nullptr);

    void showPopup() override;

    // The device the box names: a listed port's device, or the typed text.
    QString device() const;
    // Shows `device`: as its listed entry when it is listed, else as typed text.
    void set_device(const QString& device);

signals:
    // The list is about to open; the handler fills it.
    void opening();
};
