// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QSpinBox;

// "Add XR": asks for the IPv4 address of a networked recorder, one spin box
// per byte. Accepting keeps the address as zero-padded text
// ("192.168.001.020"), which the main window hands to AddEnteredAddress
// (devices/deviceregistry.h).
class Add_XR : public QDialog
{
    Q_OBJECT

public:
    explicit Add_XR(QWidget *parent = nullptr);

    // The entered address as the accepted dialog left it; empty before.
    QString AddressText() const { return addressText; }

    QLabel *textLabel1;
    QSpinBox *spinBox1;
    QSpinBox *spinBox2;
    QSpinBox *spinBox3;
    QSpinBox *spinBox4;
    QPushButton *pbAddXR;
    QPushButton *pbCancel;

public slots:
    void pbAddXR_clicked();

private:
    QString addressText;
};
