// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deckgateway.h"
#include "gatewaysettings.h"
#include "osccontrol.h"

#include <QObject>

// The deck-protocol gateway and OSC as the program runs them, on the remote
// control's core and log, each listening as the operator's settings say.
//
//   gateways.Apply(settings, true, error); // listens, or stops, and stores them
class RemoteGateways : public QObject
{
    Q_OBJECT

public:
    RemoteGateways(ControlCore &core, const ControlTarget &target, RemoteLog &log,
                   QObject *parent = nullptr);

    const GatewaySettings &Settings() const { return settings; }
    // Starts, restarts or stops each as the settings say; with `store` they
    // are kept for the next run. False, with the reasons, when they are
    // faulty (both are then off) or a port cannot be taken (that one is off).
    bool Apply(const GatewaySettings &settings, bool store, QString &error);
    bool ApplyStored(QString &error);
    // The panel's shuttle table, by which deck speeds become dial positions.
    void SetShuttleTable(ShuttleTable table);

    DeckGateway &Deck() { return deck; }
    OscControl &Osc() { return osc; }
    // "deck 127.0.0.1:9993, OSC 127.0.0.1:9181"; empty when neither listens.
    QString ListenText() const;

signals:
    void StatusChanged();

private:
    bool ListenDeck(const PeerFilter &peers, QString &error);
    bool ListenOsc(const PeerFilter &peers, QString &error);

    RemoteLog &log;
    GatewaySettings settings;
    DeckSetup setup;
    DeckGateway deck;
    OscControl osc;
};
