// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckgateway.h"

#include "remotelog.h"

DeckGateway::DeckGateway(ControlCore &core, const ControlTarget &target, RemoteLog &log,
                         QObject *parent)
    : QObject(parent), core(core), target(target), log(log)
{
    connect(&server, &DeckServer::Connected, this, &DeckGateway::Admit);
    connect(&server, &DeckServer::Refused, this,
            [this](const QString &address, const QString &why) {
                this->log.Add(QStringLiteral("deck %1 %2").arg(address, why));
            });
}

bool DeckGateway::Listen(const QHostAddress &address, quint16 port, const PeerFilter &peers,
                         QString &error)
{
    server.SetPeers(peers);
    return server.Listen(address, port, error);
}

void DeckGateway::Close()
{
    server.Close();
}

void DeckGateway::SetSetup(const DeckSetup &changed)
{
    setup = changed;
    for (DeckSession *session : server.findChildren<DeckSession *>())
        session->SetSetup(setup);
}

void DeckGateway::Admit(DeckConnection *connection)
{
    const QString address = connection->Address();
    log.Add(QStringLiteral("deck %1 connected").arg(address));
    connect(connection, &DeckConnection::Closed, this, [this, address](const QString &reason) {
        log.Add(QStringLiteral("deck %1 left: %2").arg(address, reason));
    });
    auto *session = new DeckSession(*connection, core, target, setup);
    session->Start();
}
