// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class ConnectMenu;
class QListWidget;
class QPushButton;

// "Remove XR": lists the networked recorders that may be removed (never the
// current one, never a serial port) by address, sorted. OK removes the
// chosen one from the device list and the main window's "&Connect" menu; the
// dialog stays open for further removals. xr.cfg follows at exit.
class RemoveXR : public QDialog
{
    Q_OBJECT

public:
    // menu: the main window's "&Connect" menu, or null to leave menus alone.
    explicit RemoveXR(ConnectMenu *menu, QWidget *parent = nullptr);

    QListWidget *lbListXR;
    QPushButton *pbOK;
    QPushButton *pbCancel;

public slots:
    void pbOK_clicked();

private:
    ConnectMenu *menu;
};
