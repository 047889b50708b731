// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deckrequest.h"

#include <QObject>
#include <QString>

class QTcpSocket;

// One client of the deck gateway on its TCP connection. What the client sends
// is read only as fast as its lines are taken (NextLine), so a client that
// sends faster than it is answered is held back by TCP itself rather than
// by a growing buffer here. What is sent to it may wait unsent up to a bound;
// a client that reads slower than that is dropped.
class DeckConnection : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        qint64 maxUnsentBytes = 256 * 1024;
        qint64 readBufferBytes = 16 * 1024;
    };

    // Takes the socket over.
    DeckConnection(QTcpSocket *socket, const Limits &limits, QObject *parent = nullptr);
    ~DeckConnection() override;

    // "127.0.0.1:53012"
    QString Address() const { return address; }
    bool Open() const { return !closed; }

    bool NextLine(DeckLineReader::Line &line);
    void Send(const QByteArray &bytes);
    // Closes once what was sent has gone.
    void Close(const QString &reason);
    // Closes at once, unsent bytes lost.
    void Drop(const QString &reason);

signals:
    // Lines wait to be taken.
    void LinesReady();
    // Once, when the connection ended, with why.
    void Closed(const QString &reason);

private:
    void Fill();
    void Finish(const QString &reason);

    QTcpSocket *socket;
    Limits limits;
    QString address;
    DeckLineReader reader;
    QString closeReason;
    bool closed = false;
};
