// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of remote control: its menu entries and indicator
// (RemoteTools), and the state published while and after each poll.

#include "mainwindow.h"

#include "remote/remotecontrol.h"
#include "ui/remote/remotetools.h"

// The menu entries and the indicator are the window's children.
void MainWindow::AttachRemote(RemoteControl &control)
{
    new RemoteTools(control, this, menus.remoteControlAction, menus.remoteLogAction);
    connect(this, &MainWindow::TimeRead, &control, &RemoteControl::TimeRead);
    connect(this, &MainWindow::StatusRead, &control, &RemoteControl::StatusRead);
    connect(this, &MainWindow::Polled, &control, &RemoteControl::Polled);
}
