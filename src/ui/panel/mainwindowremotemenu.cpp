// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of remote control: its "&Device" menu entries, its
// indicator in the status bar, and the state published after each poll.

#include "mainwindow.h"

#include "remote/remotecontrol.h"
#include "ui/remote/dlgremotecontrol.h"
#include "ui/remote/remoteindicator.h"
#include "ui/remote/remotelogwindow.h"

#include <QAction>
#include <QStatusBar>

void MainWindow::AttachRemote(RemoteControl &control)
{
    remote = &control;
    remoteIndicator = new RemoteIndicator(control, this);
    statusBar()->addPermanentWidget(remoteIndicator);
    connect(this, &MainWindow::TimeRead, &control, &RemoteControl::TimeRead);
    connect(this, &MainWindow::StatusRead, &control, &RemoteControl::StatusRead);
    connect(this, &MainWindow::Polled, &control, &RemoteControl::Polled);
    connect(menus.remoteControlAction, &QAction::triggered, this,
            &MainWindow::remoteControlAction_activated);
    connect(menus.remoteLogAction, &QAction::triggered, this,
            &MainWindow::remoteLogAction_activated);
    menus.remoteControlAction->setEnabled(true);
    menus.remoteLogAction->setEnabled(true);
}

void MainWindow::remoteControlAction_activated()
{
    if (!remote)
        return;
    DlgRemoteControl dialog(*remote, this);
    dialog.exec();
}

// One log window, shown again when it was closed.
void MainWindow::remoteLogAction_activated()
{
    if (!remote)
        return;
    if (!remoteLog)
        remoteLog = new RemoteLogWindow(remote->Log(), this);
    remoteLog->show();
    remoteLog->raise();
    remoteLog->activateWindow();
}
