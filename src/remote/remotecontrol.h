// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controlcore.h"
#include "remotegateways.h"
#include "remotelog.h"
#include "remotesettings.h"
#include "websocketapi.h"

#include <QObject>
#include <QString>

class ControlTarget;

// Remote control as the program runs it: the core over the window, the
// WebSocket API, the deck-protocol gateway and OSC in front of it, the log,
// and the operator's settings, which decide whether and where each listens.
// Each is off until the settings enable it.
//
//   RemoteControl remote(target);       // loads the stored settings
//   remote.Apply(settings, true, error) // listens, or stops, and stores them
//   connect(window, &MainWindow::TimeRead, &remote, &RemoteControl::TimeRead);
//   connect(window, &MainWindow::StatusRead, &remote, &RemoteControl::StatusRead);
//   connect(window, &MainWindow::Polled, &remote, &RemoteControl::Polled);
class RemoteControl : public QObject
{
    Q_OBJECT

public:
    explicit RemoteControl(ControlTarget &target, QObject *parent = nullptr);
    ~RemoteControl() override;

    const RemoteSettings &Settings() const { return settings; }
    // Starts, restarts or stops listening as the settings say; with `store`
    // they are kept for the next run (the command line's are not). False,
    // with the reason, when they are faulty or the port cannot be taken;
    // remote control is then off.
    bool Apply(const RemoteSettings &settings, bool store, QString &error);
    // The stored settings, applied at start-up.
    bool ApplyStored(QString &error);

    // The WebSocket API, the deck gateway or OSC listens.
    bool Listening() const;
    // "127.0.0.1:9180", then "deck 127.0.0.1:9993" and "OSC 127.0.0.1:9181"
    // for those that listen.
    QString ListenText() const;
    int Clients() const { return core.ClientCount(); }

    RemoteLog &Log() { return log; }
    // The deck-protocol gateway and OSC on the same core, log and guards.
    RemoteGateways &Gateways() { return gateways; }
    ControlCore &Core() { return core; }
    WebSocketApi &Api() { return api; }

public slots:
    // The window read the recorder's time, or its status: it goes out at
    // once, not after the tick's other exchanges with the recorder.
    void TimeRead() { core.PublishRead(Topic::Time); }
    void StatusRead() { core.PublishRead(Topic::Transport); }
    // The window polled the recorder: the changed state goes out.
    void Polled() { core.Publish(); }

signals:
    // Listening started or stopped, or the number of clients changed.
    void StatusChanged();

private:
    RemoteSettings settings;
    RemoteLog log;
    ControlCore core;
    WebSocketApi api;
    RemoteGateways gateways;
};
