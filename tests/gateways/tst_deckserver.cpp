// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckserver.h"

#include <QTcpSocket>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const QHostAddress kListen(QStringLiteral("127.0.121.1"));
constexpr quint16 kPort = 32896;

// Answers every line with it, as a gateway would answer each request, and
// "flood" with 64 kB, as notifications might pile up.
class Echo : public QObject
{
public:
    explicit Echo(DeckServer &server)
    {
        connect(&server, &DeckServer::Connected, this, [this](DeckConnection *connection) {
            connect(connection, &DeckConnection::LinesReady, this, [this, connection] {
                DeckLineReader::Line line;
                while (connection->NextLine(line)) {
                    ++lines;
                    if (line.text == QLatin1String("flood"))
                        connection->Send(QByteArray(64 * 1024, 'f'));
                    else
                        connection->Send(
                            (line.tooLong ? QByteArray("too long") : line.text.toUtf8()) + "\r\n");
                }
            });
            connect(connection, &DeckConnection::Closed, this,
                    [this](const QString &reason) { reasons << reason; });
        });
    }

    int lines = 0;
    QStringList reasons;
};

std::unique_ptr<QTcpSocket> Connect()
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(kListen, kPort);
    socket->waitForConnected(2000);
    return socket;
}

// The next line the client received; empty after two seconds without one.
QByteArray ReadLine(QTcpSocket &socket)
{
    QDeadlineTimer deadline(2000);
    while (!socket.canReadLine() && !deadline.hasExpired())
        QTest::qWait(5);
    return socket.readLine();
}

} // namespace

class TestDeckServer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void ClientsAreServedSideBySide();
    void ClientsBeyondTheBoundAreRejected();
    void AClientThatNeverReadsIsDropped();
    void AClientSendingWithoutEndIsBounded();
    void AThousandClientsComeAndGo();
    void PeersBeyondLoopbackNeedAllowing();

private:
    std::unique_ptr<DeckServer> server;
    std::unique_ptr<Echo> echo;
};

void TestDeckServer::init()
{
    server = std::make_unique<DeckServer>();
    echo = std::make_unique<Echo>(*server);
    QString error;
    QVERIFY2(server->Listen(kListen, kPort, error), qPrintable(error));
}

void TestDeckServer::cleanup()
{
    echo.reset();
    server.reset();
}

void TestDeckServer::ClientsAreServedSideBySide()
{
    auto first = Connect();
    auto second = Connect();
    first->write("ping\r\n");
    second->write("transport info\n");
    QCOMPARE(ReadLine(*second), QByteArray("transport info\r\n"));
    QCOMPARE(ReadLine(*first), QByteArray("ping\r\n"));
    QTRY_COMPARE(server->Clients(), 2);
    first->disconnectFromHost();
    QTRY_COMPARE(server->Clients(), 1);
    QCOMPARE(echo->reasons, QStringList{QStringLiteral("client left")});
}

void TestDeckServer::ClientsBeyondTheBoundAreRejected()
{
    server->SetMaxClients(2);
    QStringList refused;
    connect(server.get(), &DeckServer::Refused, this,
            [&refused](const QString &, const QString &reason) { refused << reason; });
    auto first = Connect();
    auto second = Connect();
    QTRY_COMPARE(server->Clients(), 2);
    auto third = Connect();
    QCOMPARE(ReadLine(*third), QByteArray("120 connection rejected\r\n"));
    QTRY_COMPARE(third->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(refused.size(), 1);
    QCOMPARE(server->Clients(), 2);
}

void TestDeckServer::AClientThatNeverReadsIsDropped()
{
    DeckConnection::Limits limits;
    limits.maxUnsentBytes = 64 * 1024;
    server->SetLimits(limits);
    auto reader = Connect();
    reader->setReadBufferSize(1); // this client never takes what it is sent
    QTRY_COMPARE(server->Clients(), 1);
    for (int i = 0; i < 1000 && server->Clients() == 1; ++i) {
        reader->write("flood\n");
        reader->flush();
        QTest::qWait(0);
    }
    QTRY_COMPARE(server->Clients(), 0);
    QVERIFY(echo->reasons.value(0).contains(QStringLiteral("does not read")));
}

void TestDeckServer::AClientSendingWithoutEndIsBounded()
{
    auto client = Connect();
    const QByteArray chunk(64 * 1024, 'z');
    for (int i = 0; i < 16; ++i) // a line of a megabyte
        client->write(chunk);
    client->write("\nping\n");
    QCOMPARE(ReadLine(*client), QByteArray("too long\r\n"));
    QCOMPARE(ReadLine(*client), QByteArray("ping\r\n"));
    QCOMPARE(echo->lines, 2);
}

void TestDeckServer::AThousandClientsComeAndGo()
{
    constexpr int kAtOnce = 20;
    for (int round = 0; round < 1000 / kAtOnce; ++round) {
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        for (int i = 0; i < kAtOnce; ++i) {
            clients.push_back(std::make_unique<QTcpSocket>());
            clients.back()->connectToHost(kListen, kPort);
        }
        QTRY_COMPARE(server->Clients(), kAtOnce);
        for (int i = 0; i < kAtOnce; ++i) { // half leave at once, half politely
            if (i % 2)
                clients[i]->abort();
            else
                clients[i]->disconnectFromHost();
        }
        QTRY_COMPARE(server->Clients(), 0);
    }
    auto last = Connect();
    last->write("ping\n");
    QCOMPARE(ReadLine(*last), QByteArray("ping\r\n"));
}

void TestDeckServer::PeersBeyondLoopbackNeedAllowing()
{
    PeerFilter filter;
    QString fault;
    QVERIFY(filter.Allows(QHostAddress(QStringLiteral("127.0.5.9"))));
    QVERIFY(filter.Allows(QHostAddress(QStringLiteral("::ffff:127.0.0.1"))));
    QVERIFY(!filter.Allows(QHostAddress(QStringLiteral("192.168.1.20"))));
    QVERIFY(filter.SetAllowed({QStringLiteral("192.168.1.20"), QStringLiteral(" 10.0.0.0/24 ")},
                              fault));
    QVERIFY(filter.Allows(QHostAddress(QStringLiteral("192.168.1.20"))));
    QVERIFY(filter.Allows(QHostAddress(QStringLiteral("::ffff:10.0.0.77"))));
    QVERIFY(!filter.Allows(QHostAddress(QStringLiteral("10.0.1.1"))));
    QVERIFY(!filter.SetAllowed({QStringLiteral("deck.example")}, fault));
    QVERIFY(fault.contains(QStringLiteral("deck.example")));
    QVERIFY2(filter.Allows(QHostAddress(QStringLiteral("192.168.1.20"))),
             "a refused list leaves the previous one");

    QVERIFY(ListenFault(QString(), {}).isEmpty());
    QVERIFY(ListenFault(QStringLiteral("127.0.0.1"), {}).isEmpty());
    QVERIFY(!ListenFault(QStringLiteral("0.0.0.0"), {}).isEmpty());
    QVERIFY(ListenFault(QStringLiteral("0.0.0.0"), {QStringLiteral("192.168.1.0/24")}).isEmpty());
    QVERIFY(!ListenFault(QStringLiteral("no address"), {}).isEmpty());
}

QTEST_GUILESS_MAIN(TestDeckServer)
#include "tst_deckserver.moc"
