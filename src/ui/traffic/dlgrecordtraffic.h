// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Record traffic to file": where the session recording goes and at what
// size it starts a new part. A name ending in ".pcapng" records the UDP
// datagrams for Wireshark; any other name the text lines.
class DlgRecordTraffic : public QDialog
{
    Q_OBJECT

public:
    explicit DlgRecordTraffic(QWidget *parent = nullptr);

    QLabel *textLabelFile;
    QLineEdit *leFile;
    QPushButton *pbBrowse;
    QLabel *textLabelRotate;
    QSpinBox *sbRotate; // megabytes; 0 never starts a new part
    QDialogButtonBox *buttons;

    QString Path() const;
    qint64 RotateBytes() const;

public slots:
    void pbBrowse_clicked();

private:
    void FollowFile();
};
