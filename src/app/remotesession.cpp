// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotesession.h"

#include "remote/remotecontrol.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/mainwindowremote.h"
#include "ui/panel/speedtables.h"

RemoteSession::RemoteSession() = default;

RemoteSession::~RemoteSession()
{
    Close();
}

void RemoteSession::Open(MainWindow &window)
{
    control = std::make_unique<WindowControl>(window);
    remote = std::make_unique<RemoteControl>(*control);
    remote->Gateways().SetShuttleTable(ShuttleSpeed);
    window.AttachRemote(*remote);
}

bool RemoteSession::Start(const RemoteSettings *commandLine, QString &error)
{
    if (!remote)
        return false;
    return commandLine ? remote->Apply(*commandLine, false, error) : remote->ApplyStored(error);
}

bool RemoteSession::StartGateways(std::optional<quint16> deckPort, std::optional<quint16> oscPort,
                                  QString &error)
{
    if (!remote)
        return false;
    RemoteGateways &gateways = remote->Gateways();
    if (!deckPort && !oscPort)
        return gateways.ApplyStored(error);
    GatewaySettings settings = LoadGatewaySettings(*SettingsStore());
    if (deckPort) {
        settings.deckEnabled = true;
        settings.deckPort = *deckPort;
        settings.deckListen.clear();
    }
    if (oscPort) {
        settings.oscEnabled = true;
        settings.oscPort = *oscPort;
        settings.oscListen.clear();
    }
    return gateways.Apply(settings, false, error);
}

void RemoteSession::Close()
{
    remote.reset();
    control.reset();
}
