// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotesession.h"

#include "remote/remotecontrol.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/mainwindowremote.h"

RemoteSession::RemoteSession() = default;

RemoteSession::~RemoteSession()
{
    Close();
}

void RemoteSession::Open(MainWindow &window)
{
    control = std::make_unique<WindowControl>(window);
    remote = std::make_unique<RemoteControl>(*control);
    window.AttachRemote(*remote);
}

bool RemoteSession::Start(const RemoteSettings *commandLine, QString &error)
{
    if (!remote)
        return false;
    return commandLine ? remote->Apply(*commandLine, false, error) : remote->ApplyStored(error);
}

void RemoteSession::Close()
{
    remote.reset();
    control.reset();
}
