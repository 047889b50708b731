// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decksession.h"
#include "gateways/deckserver.h"

#include <QObject>

// The deck-protocol gateway: the text protocol that production switchers and
// control surfaces speak to a disk recorder on TCP port 9993, spoken on
// behalf of the recorder the window controls. Each client is a DeckSession
// on the remote control core; connections, departures and refusals go to
// the remote control's log with the source "deck".
class DeckGateway : public QObject
{
    Q_OBJECT

public:
    DeckGateway(ControlCore &core, const ControlTarget &target, RemoteLog &log,
                QObject *parent = nullptr);

    bool Listen(const QHostAddress &address, quint16 port, const PeerFilter &peers, QString &error);
    void Close();
    bool Listening() const { return server.Listening(); }
    QHostAddress Address() const { return server.Address(); }
    quint16 Port() const { return server.Port(); }
    int Clients() const { return server.Clients(); }

    // Whether deck clients may command, and the shuttle table; the clients
    // attached take it at once.
    void SetSetup(const DeckSetup &setup);

    DeckServer &Server() { return server; }

private:
    void Admit(DeckConnection *connection);

    ControlCore &core;
    const ControlTarget &target;
    RemoteLog &log;
    DeckSetup setup;
    DeckServer server;
};
