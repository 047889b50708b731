// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckconnection.h"

#include <QTcpSocket>

namespace {

constexpr qint64 kReadChunk = 4096;

} // namespace

DeckConnection::DeckConnection(QTcpSocket *socket, const Limits &limits, QObject *parent)
    : QObject(parent), socket(socket), limits(limits)
{
    socket->setParent(this);
    socket->setReadBufferSize(limits.readBufferBytes);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    address =
        socket->peerAddress().toString() + QLatin1Char(':') + QString::number(socket->peerPort());
    connect(socket, &QTcpSocket::readyRead, this, &DeckConnection::Fill);
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        Finish(closeReason.isEmpty() ? QStringLiteral("client left") : closeReason);
    });
}

DeckConnection::~DeckConnection()
{
    socket->disconnect(this);
}

bool DeckConnection::NextLine(DeckLineReader::Line &line)
{
    if (closed || !reader.NextLine(line))
        return false;
    if (!reader.HasLine())
        Fill();
    return true;
}

void DeckConnection::Fill()
{
    if (closed)
        return;
    const bool hadLines = reader.HasLine();
    while (!reader.HasLine() && socket->bytesAvailable() > 0)
        reader.Append(socket->read(kReadChunk));
    if (!hadLines && reader.HasLine())
        emit LinesReady();
}

void DeckConnection::Send(const QByteArray &bytes)
{
    if (closed)
        return;
    if (socket->bytesToWrite() + bytes.size() > limits.maxUnsentBytes) {
        Drop(QStringLiteral("dropped: it does not read what it is sent"));
        return;
    }
    socket->write(bytes);
    // Out now, not when the event loop next turns: a notification made in
    // the middle of a polling tick would wait for the tick's end.
    socket->flush();
}

void DeckConnection::Close(const QString &reason)
{
    if (closed)
        return;
    closeReason = reason;
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        Finish(reason);
}

void DeckConnection::Drop(const QString &reason)
{
    if (closed)
        return;
    closeReason = reason;
    socket->abort();
    Finish(reason);
}

void DeckConnection::Finish(const QString &reason)
{
    if (closed)
        return;
    closed = true;
    emit Closed(reason);
}
