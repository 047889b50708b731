// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class ListMonitor;

// "Send sony 9Pin command": the operator types a frame as hex bytes separated
// by dots (CMD1.CMD2.data...); Send puts it on the wire to the current
// recorder with its checksum and shows both directions in the monitor list.
// The dialog stays open for further frames.
class SendSony9PCommand : public QDialog
{
    Q_OBJECT

public:
    explicit SendSony9PCommand(QWidget *parent = nullptr);
    ~SendSony9PCommand() override;

    QLabel *textLabel1;
    QLineEdit *leSony9Pcommand;
    QLabel *textLabel1_2;
    QListWidget *listBox1;
    QPushButton *pbSend;
    QPushButton *pbSend_2;
    QPushButton *pbClose;

public slots:
    void pbSend_clicked();

private:
    std::unique_ptr<ListMonitor> monitor;
};
