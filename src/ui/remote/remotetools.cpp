// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotetools.h"

#include "dlgremotecontrol.h"
#include "remote/remotecontrol.h"
#include "remoteindicator.h"
#include "remotelogwindow.h"

#include <QAction>
#include <QMainWindow>
#include <QStatusBar>

RemoteTools::RemoteTools(RemoteControl &remote, QMainWindow *window, QAction *dialogAction,
                         QAction *logAction)
    : QObject(window), window(window), remote(&remote)
{
    window->statusBar()->addPermanentWidget(new RemoteIndicator(remote, window));
    connect(dialogAction, &QAction::triggered, this, &RemoteTools::remoteControlAction_activated);
    connect(logAction, &QAction::triggered, this, &RemoteTools::remoteLogAction_activated);
    dialogAction->setEnabled(true);
    logAction->setEnabled(true);
}

void RemoteTools::remoteControlAction_activated()
{
    if (!remote)
        return;
    DlgRemoteControl dialog(*remote, window);
    dialog.exec();
}

void RemoteTools::remoteLogAction_activated()
{
    if (!remote)
        return;
    if (!remoteLog)
        remoteLog = new RemoteLogWindow(remote->Log(), window);
    remoteLog->show();
    remoteLog->raise();
    remoteLog->activateWindow();
}
