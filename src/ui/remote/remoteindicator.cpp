// SPDX-License-Identifier: GPL-3.0-or-later
#include "remoteindicator.h"

#include "remote/remotecontrol.h"
#include "ui/common/widgetfactory.h"

RemoteIndicator::RemoteIndicator(RemoteControl &remote, QWidget *parent)
    : QLabel(parent), remote(remote)
{
    setObjectName(QStringLiteral("remoteIndicator"));
    Describe(this, "Remote control");
    connect(&remote, &RemoteControl::StatusChanged, this, &RemoteIndicator::Refresh);
    Refresh();
}

void RemoteIndicator::Refresh()
{
    setText(RemoteStatusText(remote.Listening(), remote.ListenText(), remote.Clients()));
}

QString RemoteStatusText(bool listening, const QString &where, int clients)
{
    if (!listening)
        return QStringLiteral("Remote control off");
    return QStringLiteral("Remote control on %1, %2 %3")
        .arg(where)
        .arg(clients)
        .arg(clients == 1 ? QStringLiteral("client") : QStringLiteral("clients"));
}
