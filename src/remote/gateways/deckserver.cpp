// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckserver.h"

#include "deckreply.h"

#include <QTcpSocket>

DeckServer::DeckServer(QObject *parent) : QObject(parent)
{
    connect(&server, &QTcpServer::newConnection, this, &DeckServer::OnNewConnection);
}

bool DeckServer::Listen(const QHostAddress &address, quint16 port, QString &error)
{
    Close();
    if (server.listen(address, port))
        return true;
    error = server.errorString();
    return false;
}

void DeckServer::Close()
{
    server.close();
    const QSet<DeckConnection *> open = connections;
    for (DeckConnection *connection : open)
        connection->Drop(QStringLiteral("the gateway closed"));
}

void DeckServer::OnNewConnection()
{
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        if (!peers.Allows(socket->peerAddress())) {
            Reject(socket, QStringLiteral("refused: its address is not allowed"));
            continue;
        }
        if (connections.size() >= maxClients) {
            Reject(socket, QStringLiteral("refused: the gateway serves as many clients as it may"));
            continue;
        }
        auto *connection = new DeckConnection(socket, limits, this);
        connections.insert(connection);
        connect(connection, &DeckConnection::Closed, this, [this, connection] {
            connections.remove(connection);
            connection->deleteLater();
        });
        emit Connected(connection);
    }
}

void DeckServer::Reject(QTcpSocket *socket, const QString &reason)
{
    emit Refused(socket->peerAddress().toString() + QLatin1Char(':') +
                     QString::number(socket->peerPort()),
                 reason);
    socket->write(DeckReply(DeckCode::ConnectionRejected).Encode());
    socket->disconnectFromHost();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}
