// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QStringList>
#include <QTcpSocket>
#include <QTest>

// A deck-protocol client for tests: it sends request lines and reads
// replies and notifications whole, a single line for a failure or "200 ok",
// else up to the blank line. Notifications that come between a request and
// its reply wait for Notification, as a client sorts them by their code.
//
//   DeckClient deck;
//   QVERIFY(deck.Open("127.0.124.1", 9993));
//   QCOMPARE(deck.Notification().first(), "500 connection info:");
//   QCOMPARE(deck.Ask("play"), QStringList{"200 ok"});
class DeckClient
{
public:
    static constexpr int kWaitMs = 5000;

    bool Open(const char *address, quint16 port)
    {
        socket.connectToHost(QHostAddress(QLatin1String(address)), port);
        return socket.waitForConnected(kWaitMs);
    }

    void Write(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }

    // The reply to one request line.
    QStringList Ask(const QByteArray &line)
    {
        Write(line + "\r\n");
        return Reply();
    }

    // The next reply to a request; notifications met on the way are kept
    // for Notification. Empty when none came in time.
    QStringList Reply(int waitMs = kWaitMs)
    {
        for (;;) {
            const QStringList block = Block(waitMs);
            if (block.isEmpty() || !block.first().startsWith(QLatin1Char('5')))
                return block;
            notifications << block;
        }
    }

    // The next banner or notification (500 and up); empty when none came.
    QStringList Notification(int waitMs = kWaitMs)
    {
        if (!notifications.isEmpty())
            return notifications.takeFirst();
        return Block(waitMs);
    }

    // Nothing arrives within `ms`, and nothing was kept.
    bool Quiet(int ms)
    {
        QTest::qWait(ms);
        return socket.bytesAvailable() == 0 && notifications.isEmpty();
    }


    // The value of `key` among the lines of a reply.
    static QString Value(const QStringList &reply, const QString &key)
    {
        for (const QString &line : reply) {
            if (line.startsWith(key + QLatin1String(": ")))
                return line.mid(key.size() + 2);
        }
        return QString();
    }

    QTcpSocket socket;

private:
    // The next block of lines: a single line, or up to the blank line.
    QStringList Block(int waitMs)
    {
        QElapsedTimer clock;
        clock.start();
        QStringList lines;
        for (;;) {
            while (socket.canReadLine()) {
                const QString line = QString::fromUtf8(socket.readLine()).chopped(2);
                if (lines.isEmpty() && line.isEmpty())
                    continue;
                if (!lines.isEmpty() && line.isEmpty())
                    return lines;
                lines << line;
                if (lines.size() == 1 && !line.endsWith(QLatin1Char(':')))
                    return lines;
            }
            if (clock.elapsed() > waitMs)
                return {};
            QTest::qWait(1);
        }
    }

    QList<QStringList> notifications;
};
