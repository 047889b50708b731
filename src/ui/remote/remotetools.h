// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
class RemoteControl;
class RemoteLogWindow;

// Remote control as the main window shows it: the "&Device" menu's
// "Remote control..." entry opens its dialog, "Remote log" its log window
// (one, shown again when it was closed), and the status bar's indicator says
// whether it listens and how many clients it serves. Made when the remote
// control joins the window, which may outlive it.
class RemoteTools : public QObject
{
    Q_OBJECT

public:
    RemoteTools(RemoteControl &remote, QMainWindow *window, QAction *dialogAction,
                QAction *logAction);

public slots:
    void remoteControlAction_activated();
    void remoteLogAction_activated();

private:
    QMainWindow *window;
    QPointer<RemoteControl> remote;
    RemoteLogWindow *remoteLog = nullptr;
};
