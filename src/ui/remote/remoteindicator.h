// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

class RemoteControl;

// The status bar's word on remote control: "Remote control off", or where it
// listens and how many clients it serves ("Remote control on 127.0.0.1:9180,
// 2 clients"). Follows the remote control as it changes.
class RemoteIndicator : public QLabel
{
    Q_OBJECT

public:
    RemoteIndicator(RemoteControl &remote, QWidget *parent);

    void Refresh();

private:
    RemoteControl &remote;
};

// The indicator's text for a listening state and a number of clients.
QString RemoteStatusText(bool listening, const QString &where, int clients);
