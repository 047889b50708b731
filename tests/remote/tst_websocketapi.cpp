// SPDX-License-Identifier: GPL-3.0-or-later
// The WebSocket API over the control core, without a window: the shape of
// requests and answers, malformed messages, the path and the tokens, the
// loopback default, and the bounds: huge messages, clients that never read
// or never answer pings, a thousand connections that come and go. The API
// listens on 127.0.80.1.

#include "faketarget.h"
#include "wsclient.h"

#include "remote/remotecontrol.h"

#include <QJsonArray>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char kAddress[] = "127.0.80.1";
const QString kToken = QStringLiteral("control-token");
const QString kWatchToken = QStringLiteral("watch-token");

RemoteSettings Settings()
{
    RemoteSettings settings;
    settings.enabled = true;
    settings.listenAddress = QLatin1String(kAddress);
    return settings;
}

} // namespace

class WebSocketApiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void answersAndErrorsHaveTheirShape();
    void malformedMessagesAreRefused_data();
    void malformedMessagesAreRefused();
    void onlyTheVersionedPathServes();
    void tokensDecideWhoCommands();
    void guessedTokensAreRateLimited();
    void loopbackUnlessToldOtherwise();
    void hugeMessagesCloseTheConnection();
    void floodIsBoundedAndEachRequestAnsweredOnce();
    void clientThatNeverReadsIsDropped();
    void clientThatNeverAnswersPingsIsDropped();
    void thousandConnectionsComeAndGo();
    void manyClientsFollowTheTime();

private:
    bool Start(const RemoteSettings &settings);
    QStringList LogLines(const QString &containing) const;

    QTemporaryDir home;
    FakeTarget *target = nullptr;
    RemoteControl *remote = nullptr;
};

// The log file goes to a folder of the test's own.
void WebSocketApiTest::initTestCase()
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
}

void WebSocketApiTest::init()
{
    target = new FakeTarget;
    remote = new RemoteControl(*target);
}

void WebSocketApiTest::cleanup()
{
    delete remote;
    delete target;
}

bool WebSocketApiTest::Start(const RemoteSettings &settings)
{
    QString error;
    const bool started = remote->Apply(settings, false, error);
    if (!started)
        qWarning("%s", qPrintable(error));
    return started;
}

QStringList WebSocketApiTest::LogLines(const QString &containing) const
{
    return remote->Log().Lines().filter(containing);
}

void WebSocketApiTest::answersAndErrorsHaveTheirShape()
{
    QVERIFY(Start(Settings()));
    WsClient client;
    QVERIFY(client.Open(ApiUrl(kAddress)));
    client.Send({{"id", "first"}, {"method", "transport.play"}});
    QCOMPARE(client.AnswerTo(QStringLiteral("first")),
             (QJsonObject{{"id", "first"}, {"result", QJsonObject()}}));
    const QJsonObject refused = client.Request(QStringLiteral("transport.jog"));
    QCOMPARE(refused.keys(), (QStringList{"error", "id"}));
    const QJsonObject error = refused.value("error").toObject();
    QCOMPARE(error.value("code").toString(), QStringLiteral("bad-value"));
    QVERIFY(error.value("message").toString().contains(QLatin1String("frames")));
    QCOMPARE(target->done, QStringList{"play"});
}

void WebSocketApiTest::malformedMessagesAreRefused_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QJsonValue>("id");

    QTest::newRow("not JSON") << QByteArray("{\"id\": 1, \"method\"") << QJsonValue();
    QTest::newRow("an array") << QByteArray("[1, 2]") << QJsonValue();
    QTest::newRow("no method") << QByteArray("{\"id\": 5}") << QJsonValue(5);
    QTest::newRow("method a number") << QByteArray("{\"id\": 5, \"method\": 3}") << QJsonValue(5);
    QTest::newRow("params a list")
        << QByteArray("{\"id\": 6, \"method\": \"transport.play\", \"params\": []}")
        << QJsonValue(6);
}

// Each is answered and nothing runs; the connection stays usable.
void WebSocketApiTest::malformedMessagesAreRefused()
{
    QFETCH(QByteArray, message);
    QFETCH(QJsonValue, id);
    QVERIFY(Start(Settings()));
    WsClient client;
    QVERIFY(client.Open(ApiUrl(kAddress)));
    client.socket.sendTextMessage(QString::fromUtf8(message));
    const QJsonObject answer = client.NextAnswer();
    QCOMPARE(WsClient::ErrorCode(answer), QStringLiteral("bad-request"));
    QCOMPARE(answer.value("id"), id.isUndefined() ? QJsonValue(QJsonValue::Null) : id);
    client.socket.sendBinaryMessage(QByteArray("\x01\x02", 2));
    QCOMPARE(WsClient::ErrorCode(client.NextAnswer()), QStringLiteral("bad-request"));
    QCOMPARE(client.Request(QStringLiteral("transport.stop")).value("result"),
             QJsonValue(QJsonObject()));
    QCOMPARE(target->done, QStringList{"stop"});
}

void WebSocketApiTest::onlyTheVersionedPathServes()
{
    QVERIFY(Start(Settings()));
    WsClient client;
    client.Open(ApiUrl(kAddress, QStringLiteral("/v2")));
    QVERIFY(client.WaitClosed());
    QVERIFY(client.socket.closeReason().contains(QLatin1String("/v1")));
    QCOMPARE(remote->Clients(), 0);
}

// The token in the header or the query commands; the read-only token
// watches; none or a wrong one is closed with the reason and logged.
void WebSocketApiTest::tokensDecideWhoCommands()
{
    RemoteSettings settings = Settings();
    settings.token = kToken;
    settings.readOnlyAllowed = true;
    settings.readOnlyToken = kWatchToken;
    QVERIFY(Start(settings));

    WsClient none;
    none.Open(ApiUrl(kAddress));
    QVERIFY(none.WaitClosed());
    QCOMPARE(none.socket.closeReason(), QStringLiteral("wrong or missing token"));
    QCOMPARE(none.socket.closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    WsClient wrong;
    wrong.Open(ApiUrl(kAddress), "control-tokem");
    QVERIFY(wrong.WaitClosed());
    QCOMPARE(LogLines(QStringLiteral("refused: wrong or missing token")).size(), 2);

    WsClient header;
    QVERIFY(header.Open(ApiUrl(kAddress), kToken.toUtf8()));
    QCOMPARE(header.Request(QStringLiteral("transport.play")).value("result"),
             QJsonValue(QJsonObject()));
    WsClient query;
    QUrl url = ApiUrl(kAddress);
    url.setQuery(QStringLiteral("token=") + kToken);
    QVERIFY(query.Open(url));
    QCOMPARE(query.Request(QStringLiteral("transport.stop")).value("result"),
             QJsonValue(QJsonObject()));

    WsClient watcher;
    QVERIFY(watcher.Open(ApiUrl(kAddress), kWatchToken.toUtf8()));
    QCOMPARE(WsClient::ErrorCode(watcher.Request(QStringLiteral("transport.play"))),
             QStringLiteral("read-only"));
    QVERIFY(watcher.Request(QStringLiteral("subscribe"), {{"topics", QJsonArray{"time"}}})
                .contains("result"));
    QVERIFY(QTest::qWaitFor([&] { return watcher.pushes.size() == 1; }, 1000));
    QCOMPARE(target->done, (QStringList{"play", "stop"}));
    QCOMPARE(remote->Clients(), 3);
}

void WebSocketApiTest::guessedTokensAreRateLimited()
{
    RemoteSettings settings = Settings();
    settings.token = kToken;
    QVERIFY(Start(settings));
    for (int i = 0; i < AuthGate::kFailuresAllowed; ++i) {
        WsClient guess;
        guess.Open(ApiUrl(kAddress), QByteArray("guess") + QByteArray::number(i));
        QVERIFY(guess.WaitClosed());
    }
    WsClient right;
    right.Open(ApiUrl(kAddress), kToken.toUtf8());
    QVERIFY(right.WaitClosed());
    QCOMPARE(right.socket.closeReason(), QStringLiteral("too many wrong tokens; wait a minute"));
    QCOMPARE(remote->Clients(), 0);
}

// Settings that would open the program beyond loopback without a token are
// refused and leave it closed; without an address it listens on loopback.
void WebSocketApiTest::loopbackUnlessToldOtherwise()
{
    RemoteSettings settings;
    settings.enabled = true;
    QVERIFY(Start(settings));
    QCOMPARE(remote->Api().Address(), QHostAddress(QHostAddress::LocalHost));
    QCOMPARE(remote->Api().Port(), quint16(9180));

    settings.listenAddress = QStringLiteral("0.0.0.0");
    QString error;
    QVERIFY(!remote->Apply(settings, false, error));
    QVERIFY(error.contains(QLatin1String("token")));
    QVERIFY(!remote->Listening());

    settings.enabled = false;
    QVERIFY(remote->Apply(settings, false, error));
    QVERIFY(!remote->Listening());
}

void WebSocketApiTest::hugeMessagesCloseTheConnection()
{
    QVERIFY(Start(Settings()));
    WsClient big;
    QVERIFY(big.Open(ApiUrl(kAddress)));
    big.socket.sendTextMessage(QString(200 * 1024, QLatin1Char('x')));
    QVERIFY(big.WaitClosed());
    QCOMPARE(big.socket.closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
    QVERIFY(QTest::qWaitFor([&] { return remote->Clients() == 0; }, 1000));
    WsClient next;
    QVERIFY(next.Open(ApiUrl(kAddress)));
    QVERIFY(next.Request(QStringLiteral("status")).contains("result"));
}

// Requests sent faster than they run: those beyond the queue are refused
// "busy" unrun, the others run once each, and every request has one answer.
void WebSocketApiTest::floodIsBoundedAndEachRequestAnsweredOnce()
{
    QVERIFY(Start(Settings()));
    WsClient flood;
    QVERIFY(flood.Open(ApiUrl(kAddress)));
    constexpr int kRequests = 50;
    for (int i = 0; i < kRequests; ++i)
        flood.Send(
            {{"id", i}, {"method", "transport.jog"}, {"params", QJsonObject{{"frames", i}}}});
    QVERIFY(QTest::qWaitFor([&] { return flood.answers.size() == kRequests; }, 3000));
    QTest::qWait(50);
    QCOMPARE(flood.answers.size(), kRequests);
    QSet<int> ids;
    int busy = 0;
    for (const QJsonObject &answer : flood.answers) {
        ids.insert(answer.value("id").toInt());
        busy += WsClient::ErrorCode(answer) == QLatin1String("busy");
    }
    QCOMPARE(ids.size(), kRequests);
    QVERIFY(busy > 0);
    QCOMPARE(target->done.size(), kRequests - busy);
    QCOMPARE(target->done.first(), QStringLiteral("jog 0"));
}

// What a client leaves unread stays bounded: it is dropped with the reason,
// while a client that reads goes on receiving.
void WebSocketApiTest::clientThatNeverReadsIsDropped()
{
    remote->Api().SetLimits({64 * 1024, 256 * 1024, 3});
    QVERIFY(Start(Settings()));
    WsClient reader;
    QVERIFY(reader.Open(ApiUrl(kAddress)));
    reader.Request(QStringLiteral("subscribe"), {{"topics", QJsonArray{"display"}}});
    DeafClient deaf;
    QVERIFY(deaf.Open(kAddress, {{"id", 1},
                                 {"method", "subscribe"},
                                 {"params", QJsonObject{{"topics", QJsonArray{"display"}}}}}));
    QVERIFY(QTest::qWaitFor([&] { return remote->Clients() == 2; }, 1000));
    const QString line(4000, QLatin1Char('#'));
    for (int i = 0; i < 20000 && LogLines(QStringLiteral("dropped: too slow")).isEmpty(); ++i) {
        target->display.upper = line + QString::number(i);
        remote->Polled();
        QCoreApplication::processEvents();
    }
    QCOMPARE(LogLines(QStringLiteral("dropped: too slow")).size(), 1);
    QVERIFY(QTest::qWaitFor([&] { return remote->Clients() == 1; }, 1000));
    const int received = reader.pushes.size();
    target->display.upper = QStringLiteral("after the drop");
    remote->Polled();
    QVERIFY(QTest::qWaitFor([&] { return reader.pushes.size() > received; }, 3000));
    // Nor is its connection kept: it is cut off once it does not take the
    // close frame either.
    QVERIFY(QTest::qWaitFor(
        [&] { return remote->Api().findChildren<WebSocketClient *>().size() == 1; }, 4000));
}

void WebSocketApiTest::clientThatNeverAnswersPingsIsDropped()
{
    remote->Api().SetPingInterval(20);
    QVERIFY(Start(Settings()));
    WsClient live;
    QVERIFY(live.Open(ApiUrl(kAddress)));
    DeafClient deaf;
    QVERIFY(deaf.Open(kAddress, {{"id", 1}, {"method", "status"}}));
    QVERIFY(QTest::qWaitFor(
        [&] { return !LogLines(QStringLiteral("dropped: no answer to 3 pings")).isEmpty(); },
        2000));
    QTest::qWait(100);
    QCOMPARE(remote->Clients(), 1);
    QVERIFY(live.Request(QStringLiteral("status")).contains("result"));
}

// Some finish their opening handshake and leave at once, some open the TCP
// connection and leave without one; afterwards nobody is counted and a new
// client is served.
void WebSocketApiTest::thousandConnectionsComeAndGo()
{
    QVERIFY(Start(Settings()));
    constexpr int kBatch = 50;
    for (int batch = 0; batch < 1000 / kBatch; ++batch) {
        std::vector<std::unique_ptr<WsClient>> clients;
        std::vector<std::unique_ptr<QTcpSocket>> bare;
        for (int i = 0; i < kBatch / 2; ++i) {
            clients.push_back(std::make_unique<WsClient>());
            clients.back()->socket.open(ApiUrl(kAddress));
            bare.push_back(std::make_unique<QTcpSocket>());
            bare.back()->connectToHost(QLatin1String(kAddress), 9180);
        }
        QVERIFY(QTest::qWaitFor(
            [&] {
                for (const auto &client : clients) {
                    if (client->socket.state() != QAbstractSocket::ConnectedState)
                        return false;
                }
                return true;
            },
            5000));
        for (const auto &client : clients)
            client->socket.abort();
        for (const auto &socket : bare)
            socket->abort();
    }
    QVERIFY(QTest::qWaitFor([&] { return remote->Clients() == 0; }, 5000));
    WsClient next;
    QVERIFY(next.Open(ApiUrl(kAddress)));
    QVERIFY(next.Request(QStringLiteral("status")).contains("result"));
    QCOMPARE(remote->Clients(), 1);
}

void WebSocketApiTest::manyClientsFollowTheTime()
{
    QVERIFY(Start(Settings()));
    std::vector<std::unique_ptr<WsClient>> clients(10);
    for (auto &client : clients) {
        client = std::make_unique<WsClient>();
        QVERIFY(client->Open(ApiUrl(kAddress)));
        client->Request(QStringLiteral("subscribe"), {{"topics", QJsonArray{"time"}}});
    }
    for (int frame = 0; frame < 3; ++frame) {
        QTest::qWait(110);
        target->NextFrame();
        remote->Polled();
    }
    for (const auto &client : clients) {
        QVERIFY(QTest::qWaitFor([&] { return client->pushes.size() == 4; }, 2000));
        QCOMPARE(client->pushes.last().value("state").toObject().value("frames").toInt(), 3);
        QCOMPARE(client->pushes.last().value("topic").toString(), QStringLiteral("time"));
    }
}

QTEST_GUILESS_MAIN(WebSocketApiTest)
#include "tst_websocketapi.moc"
