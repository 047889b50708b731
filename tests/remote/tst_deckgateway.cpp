// SPDX-License-Identifier: GPL-3.0-or-later
// The deck-protocol gateway on the remote control core, over a window that
// records what it is asked: each request becomes the command the window's key
// runs, each refusal the protocol's error, each change the notification the
// client asked for. The gateway listens on 127.0.124.1.

#include "deckclient.h"
#include "faketarget.h"

#include "remote/deckgateway.h"
#include "remote/remotelog.h"

#include <QTest>

namespace {

const char kAddress[] = "127.0.124.1";
constexpr quint16 kPort = 9993;

// A stand-in for the panel's shuttle table: the byte grows with the dial.
quint8 LinearShuttle(int distance)
{
    return quint8(distance);
}

} // namespace

class DeckGatewayTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void bannerAndReadsDescribeTheRecorder();
    void commandsRunTheWindowsKeys_data();
    void commandsRunTheWindowsKeys();
    void refusalsBecomeTheProtocolsErrors_data();
    void refusalsBecomeTheProtocolsErrors();
    void commandsSwitchedOffAreRefused();
    void notificationsFollowTheChanges();
    void requestsAreAnsweredInOrder();
    void clientsAreLoggedAndLeave();

private:
    QStringList Open(DeckClient &client);

    std::unique_ptr<FakeTarget> target;
    std::unique_ptr<RemoteLog> log;
    std::unique_ptr<ControlCore> core;
    std::unique_ptr<DeckGateway> gateway;
    std::unique_ptr<DeckClient> deck;
};

void DeckGatewayTest::init()
{
    target = std::make_unique<FakeTarget>();
    target->connection.connected = true;
    target->connection.recorder = QStringLiteral("Ethernet - 127.0.0.5");
    target->connection.videoStandard = 5; // 1080 50i
    target->time = {true, 10, 0, 0, 0, false, 1, false};
    target->transport.stopped = true;
    // The list's rows are not in number order; the clips are.
    target->segments = {{7, "Seven", "00:00:10:00", "00:00:12:00", "00:00:02:00"},
                        {3, "Three", "00:00:01:00", "00:00:05:00", "00:00:04:00"}};
    target->segment.segment = target->segments.at(1);
    target->playlist.rows = {QStringLiteral("Seven"), QStringLiteral("Three")};
    log = std::make_unique<RemoteLog>();
    core = std::make_unique<ControlCore>(*target, *log);
    gateway = std::make_unique<DeckGateway>(*core, *target, *log);
    gateway->SetSetup({true, LinearShuttle});
    QString error;
    QVERIFY2(gateway->Listen(QHostAddress(QLatin1String(kAddress)), kPort, PeerFilter(), error),
             qPrintable(error));
    deck = std::make_unique<DeckClient>();
    QCOMPARE(Open(*deck).first(), QStringLiteral("500 connection info:"));
}

void DeckGatewayTest::cleanup()
{
    deck.reset();
    gateway.reset();
    core.reset();
    log.reset();
    target.reset();
}

QStringList DeckGatewayTest::Open(DeckClient &client)
{
    if (!client.Open(kAddress, kPort))
        return {QStringLiteral("no connection")};
    return client.Notification();
}

void DeckGatewayTest::bannerAndReadsDescribeTheRecorder()
{
    DeckClient other;
    QCOMPARE(Open(other),
             (QStringList{"500 connection info:", "protocol version: 1.11", "model: Tavrel XR"}));
    const QStringList device = deck->Ask("device info");
    QCOMPARE(device.first(), QStringLiteral("204 device info:"));
    QCOMPARE(DeckClient::Value(device, "slot count"), QStringLiteral("2"));
    const QStringList slot = deck->Ask("slot info");
    QCOMPARE(DeckClient::Value(slot, "status"), QStringLiteral("mounted"));
    QCOMPARE(DeckClient::Value(slot, "volume name"), QStringLiteral("Ethernet - 127.0.0.5"));
    QCOMPARE(DeckClient::Value(deck->Ask("slot info: slot id: 2"), "status"),
             QStringLiteral("empty"));
    QCOMPARE(deck->Ask("slot info: slot id: 3"), QStringList{"109 out of range"});
    const QStringList transport = deck->Ask("transport info");
    QCOMPARE(DeckClient::Value(transport, "status"), QStringLiteral("stopped"));
    QCOMPARE(DeckClient::Value(transport, "timecode"), QStringLiteral("10:00:00:00"));
    QCOMPARE(DeckClient::Value(transport, "video format"), QStringLiteral("1080i50"));
    QCOMPARE(DeckClient::Value(transport, "clip id"), QStringLiteral("1"));
    QCOMPARE(deck->Ask("clips get"),
             (QStringList{"205 clips info:", "clip count: 2", "1: Three 00:00:01:00 00:00:04:00",
                          "2: Seven 00:00:10:00 00:00:02:00"}));
    QCOMPARE(deck->Ask("clips count"), (QStringList{"214 clips count:", "clip count: 2"}));
    QCOMPARE(deck->Ask("disk list").value(3),
             QStringLiteral("2: Seven native 1080i50 00:00:02:00"));
    QCOMPARE(deck->Ask("remote"),
             (QStringList{"210 remote info:", "enabled: true", "override: false"}));
    QVERIFY(target->done.isEmpty());
}

void DeckGatewayTest::commandsRunTheWindowsKeys_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("done");

    // Clip 1 (segment 3, the list's second row) is the current clip.
    QTest::newRow("play") << QByteArray("play") << "play";
    QTest::newRow("stop") << QByteArray("stop") << "stop";
    QTest::newRow("play at twice the speed") << QByteArray("play: speed: 200") << "shuttle 74";
    QTest::newRow("play backwards") << QByteArray("play: speed: -200") << "shuttle -74";
    QTest::newRow("play of many lines") << QByteArray("play:\r\nspeed: 200\r\n") << "shuttle 74";
    QTest::newRow("single clip") << QByteArray("play: single clip: true") << "segment play 1";
    QTest::newRow("shuttle") << QByteArray("shuttle: speed: -200") << "shuttle -74";
    QTest::newRow("clip id") << QByteArray("goto: clip id: 2") << "segment cue 0 in";
    QTest::newRow("next clip") << QByteArray("goto: clip id: +1") << "segment cue 0 in";
    QTest::newRow("far beyond the last clip")
        << QByteArray("goto: clip id: +40") << "segment cue 0 in";
    QTest::newRow("before the first clip") << QByteArray("goto: clip id: -3") << "segment cue 1 in";
    QTest::newRow("clip end") << QByteArray("goto: clip: end") << "segment cue 1 out";
    QTest::newRow("timeline start") << QByteArray("goto: timeline: start") << "segment cue 0 in";
    QTest::newRow("timeline end") << QByteArray("goto: timeline: end") << "segment cue 1 out";
    QTest::newRow("timecode") << QByteArray("goto: timecode: 10:00:01:00") << "goto 10:00:01:00";
    QTest::newRow("timecode ahead")
        << QByteArray("goto: timecode: +00:00:01:10") << "goto 10:00:01:10";
    QTest::newRow("timecode back over midnight")
        << QByteArray("goto: timecode: -10:00:00:01") << "goto 23:59:59:24";
    QTest::newRow("jog a few frames") << QByteArray("jog: timecode: -00:00:00:02") << "jog -2";
    QTest::newRow("jog far goes there")
        << QByteArray("jog: timecode: +00:01:00:00") << "goto 10:01:00:00";
}

void DeckGatewayTest::commandsRunTheWindowsKeys()
{
    QFETCH(QByteArray, request);
    QFETCH(QString, done);
    QCOMPARE(deck->Ask(request), QStringList{"200 ok"});
    QCOMPARE(target->done, QStringList{done});
}

void DeckGatewayTest::refusalsBecomeTheProtocolsErrors_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("answer"); // the window's refusal
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("reached"); // the window was asked

    const int none = int(Refusal::None);
    QTest::newRow("Delay mode") << QByteArray("play") << int(Refusal::DelayMode)
                                << "111 remote control disabled" << true;
    QTest::newRow("the recorder's menu")
        << QByteArray("stop") << int(Refusal::PanelMode) << "111 remote control disabled" << true;
    QTest::newRow("no answer") << QByteArray("play") << int(Refusal::NoAnswer)
                               << "108 internal error" << true;
    QTest::newRow("record needs the operator's leave")
        << QByteArray("record") << none << "111 remote control disabled" << false;
    QTest::newRow("unknown command") << QByteArray("eject") << none << "100 syntax error" << false;
    QTest::newRow("unknown parameter")
        << QByteArray("play: volume: 3") << none << "101 unsupported parameter" << false;
    QTest::newRow("speed not a number")
        << QByteArray("play: speed: fast") << none << "102 invalid value" << false;
    QTest::newRow("speed beyond the protocol")
        << QByteArray("shuttle: speed: 5000") << none << "109 out of range" << false;
    QTest::newRow("clip beyond the last")
        << QByteArray("goto: clip id: 9") << none << "109 out of range" << false;
    QTest::newRow("no such timecode")
        << QByteArray("goto: timecode: 10:61:00:00") << none << "102 invalid value" << false;
    QTest::newRow("loop is the operator's")
        << QByteArray("play: loop: true") << none << "103 unsupported" << false;
    QTest::newRow("unclosed quote")
        << QByteArray("goto: clip: \"start") << none << "100 syntax error" << false;
}

void DeckGatewayTest::refusalsBecomeTheProtocolsErrors()
{
    QFETCH(QByteArray, request);
    QFETCH(int, answer);
    QFETCH(QString, reply);
    QFETCH(bool, reached);
    target->answer = Refusal(answer);
    QCOMPARE(deck->Ask(request), QStringList{reply});
    QCOMPARE(!target->done.isEmpty(), reached);
}

// Without a recorder, or while the window is held, nothing reaches it.
void DeckGatewayTest::commandsSwitchedOffAreRefused()
{
    target->busy = true;
    QCOMPARE(deck->Ask("play"), QStringList{"111 remote control disabled"});
    target->busy = false;
    target->connection.connected = false;
    QCOMPARE(deck->Ask("play"), QStringList{"105 no disk"});
    QCOMPARE(DeckClient::Value(deck->Ask("slot info"), "status"), QStringLiteral("empty"));
    target->connection.connected = true;

    QCOMPARE(deck->Ask("notify: remote: true"), QStringList{"200 ok"});
    gateway->SetSetup({false, LinearShuttle});
    QCOMPARE(deck->Notification(),
             (QStringList{"510 remote info:", "enabled: false", "override: false"}));
    QCOMPARE(deck->Ask("remote: enable: true"), QStringList{"111 remote control disabled"});
    QCOMPARE(deck->Ask("goto: clip id: 1"), QStringList{"111 remote control disabled"});
    QCOMPARE(deck->Ask("transport info").first(), QStringLiteral("208 transport info:"));
    QVERIFY(target->done.isEmpty());
    gateway->SetSetup({true, LinearShuttle});
    QCOMPARE(deck->Notification().value(1), QStringLiteral("enabled: true"));
    QCOMPARE(deck->Ask("play"), QStringList{"200 ok"});
}

// A notification carries what changed, to the clients that asked for it.
void DeckGatewayTest::notificationsFollowTheChanges()
{
    DeckClient quiet;
    Open(quiet);
    QCOMPARE(deck->Ask("notify:\r\ntransport: true\r\nslot: true\r\ndisplay timecode: true\r\n"),
             QStringList{"200 ok"});
    QCOMPARE(DeckClient::Value(deck->Ask("notify"), "display timecode"), QStringLiteral("true"));

    target->transport = TransportStatus();
    target->transport.playing = true;
    core->Publish();
    QCOMPARE(deck->Notification(),
             (QStringList{"508 transport info:", "status: play", "speed: 100"}));

    // The core spaces a client's time pushes.
    QTest::qWait(120);
    target->NextFrame();
    core->Publish();
    QCOMPARE(deck->Notification(),
             (QStringList{"513 display timecode:", "display timecode: 10:00:00:01"}));

    target->segment.segment = target->segments.at(0);
    core->Publish();
    QCOMPARE(deck->Notification(), (QStringList{"508 transport info:", "clip id: 2"}));

    target->connection.connected = false;
    core->Publish();
    const QStringList changes = deck->Notification();
    QCOMPARE(changes.first(), QStringLiteral("508 transport info:"));
    QCOMPARE(DeckClient::Value(deck->Notification(), "status"), QStringLiteral("empty"));

    QCOMPARE(deck->Ask("notify: transport: false slot: false display timecode: false"),
             QStringList{"200 ok"});
    target->connection.connected = true;
    target->NextFrame();
    core->Publish();
    QVERIFY(deck->Quiet(100));
    QVERIFY(quiet.Quiet(0));

    // Another recorder, another video standard: its format reaches the
    // clients that asked for configuration notifications.
    QCOMPARE(deck->Ask("notify: configuration: true"), QStringList{"200 ok"});
    target->connection.videoStandard = 0;
    core->Publish();
    QCOMPARE(deck->Notification(), (QStringList{"511 configuration info:", "video format: PAL"}));
    QVERIFY(quiet.Quiet(0));
}

// Requests sent at once are answered one by one in their order; a line of a
// megabyte costs a syntax error, not the connection.
void DeckGatewayTest::requestsAreAnsweredInOrder()
{
    deck->Write("play\r\nping\nstop\r\n");
    QCOMPARE(deck->Reply(), QStringList{"200 ok"});
    QCOMPARE(deck->Reply(), QStringList{"200 ok"});
    QCOMPARE(deck->Reply(), QStringList{"200 ok"});
    QCOMPARE(target->done, (QStringList{"play", "stop"}));

    deck->Write(QByteArray(1024 * 1024, 'x'));
    QCOMPARE(deck->Ask("\r\nping"), QStringList{"100 syntax error"});
    QCOMPARE(deck->Reply(), QStringList{"200 ok"});
    QCOMPARE(deck->Ask("ping"), QStringList{"200 ok"});
}

void DeckGatewayTest::clientsAreLoggedAndLeave()
{
    QCOMPARE(deck->Ask("play"), QStringList{"200 ok"});
    QCOMPARE(core->ClientCount(), 1);
    QCOMPARE(deck->Ask("quit"), QStringList{"200 ok"});
    QTRY_COMPARE(deck->socket.state(), QAbstractSocket::UnconnectedState);
    QTRY_COMPARE(core->ClientCount(), 0);
    const QString lines = log->Lines().join(QLatin1Char('\n'));
    QVERIFY2(lines.contains(QStringLiteral(" connected")), qPrintable(lines));
    QVERIFY2(lines.contains(QRegularExpression(
                 QStringLiteral("deck 127\\.0\\.[\\d.]+:\\d+ control transport.play \\{\\}: ok"))),
             qPrintable(lines));
    QVERIFY2(lines.contains(QStringLiteral("left: client quit")), qPrintable(lines));
}

QTEST_GUILESS_MAIN(DeckGatewayTest)
#include "tst_deckgateway.moc"
