// SPDX-License-Identifier: GPL-3.0-or-later
// The deck-protocol sessions that control software sends, replayed against
// the gateway, the real window and the simulated recorder: Companion's deck
// module (banner, notify, device and slot information, transport,
// configuration, remote, clips, then notifications) and a production
// switcher's deck control (remote, disk list, clips, transport, notify, then
// play, stop and clips by id). The frames that reach the recorder are those
// of the window's own keys; what only reads sends nothing. Everything is on
// 127.0.123.1.

#include "deckclient.h"
#include "remotefixture.h"

#include "remote/gateways/deckcommands.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"
#include "ui/panel/speedtables.h"

#include <QTableWidget>

using namespace wire;

namespace {

const char kAddress[] = "127.0.123.1";

xrsim::Scenario Recorder()
{
    xrsim::Scenario scenario;
    scenario.segments = {{3, QStringLiteral("00:00:01:00"), QStringLiteral("00:00:05:00")},
                         {7, QStringLiteral("00:00:10:00"), QStringLiteral("00:00:12:00")}};
    return scenario;
}

// The recorder's cue to a time, "HH:MM:SS:FF" as BCD, frames first.
QByteArray CueFrame(quint8 hours, quint8 minutes, quint8 seconds, quint8 frames)
{
    return WireFrame({0x25, 0x31, frames, seconds, minutes, hours, 0x00});
}

} // namespace

class DeckSessionsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void companionConnectsAndFollows();
    void switcherDrivesClipsById();
    void guardsHoldWhatTheKeysWouldNot();

private:
    // The frames the recorder received while the request was answered.
    QList<QByteArray> FramesOf(const QByteArray &request, QStringList &reply);
    QList<QByteArray> FramesOf(const QByteArray &request);

    std::unique_ptr<RemoteFixture> fixture;
    std::unique_ptr<DeckClient> deck;
};

void DeckSessionsTest::initTestCase()
{
    fixture = std::make_unique<RemoteFixture>(kAddress);
    QVERIFY2(fixture->Connect(Recorder()), qPrintable(fixture->Error()));
    fixture->window->segment->segments->DoImport();
    fixture->StopPolling();
    QCOMPARE(fixture->window->segment->segments->TableClipList->rowCount(), 2);
    RemoteGateways &gateways = fixture->remote->Gateways();
    gateways.SetShuttleTable(ShuttleSpeed);
    GatewaySettings settings;
    settings.deckEnabled = true;
    settings.deckListen = QLatin1String(kAddress);
    QString error;
    QVERIFY2(gateways.Apply(settings, false, error), qPrintable(error));
}

void DeckSessionsTest::cleanupTestCase()
{
    deck.reset();
    fixture.reset();
}

void DeckSessionsTest::init()
{
    fixture->Call("transport.stop");
    fixture->Tick();
    deck = std::make_unique<DeckClient>();
    QVERIFY(deck->Open(kAddress, GatewaySettings::kDefaultDeckPort));
    QCOMPARE(deck->Notification(),
             (QStringList{"500 connection info:", "protocol version: 1.11", "model: Tavrel XR"}));
}

QList<QByteArray> DeckSessionsTest::FramesOf(const QByteArray &request, QStringList &reply)
{
    fixture->ClearFrames();
    reply = deck->Ask(request);
    return WithoutStatusSenses(fixture->Received());
}

QList<QByteArray> DeckSessionsTest::FramesOf(const QByteArray &request)
{
    QStringList reply;
    const QList<QByteArray> frames = FramesOf(request, reply);
    return reply == QStringList{"200 ok"} ? frames : QList<QByteArray>{reply.join('|').toUtf8()};
}

// What Companion's deck module sends on connecting; parameters come a line
// each after the command's own line, ended by a blank line.
void DeckSessionsTest::companionConnectsAndFollows()
{
    fixture->ClearFrames();
    QCOMPARE(deck->Ask("notify:\r\ntransport: true\r\nslot: true\r\nremote: true\r\n"
                       "configuration: true\r\n"),
             QStringList{"200 ok"});
    const QStringList device = deck->Ask("device info");
    QCOMPARE(device.first(), QStringLiteral("204 device info:"));
    QCOMPARE(DeckClient::Value(device, "model"), QStringLiteral("Tavrel XR"));
    QCOMPARE(DeckClient::Value(deck->Ask("slot info: slot id: 1"), "status"),
             QStringLiteral("mounted"));
    QCOMPARE(DeckClient::Value(deck->Ask("slot info: slot id: 2"), "status"),
             QStringLiteral("empty"));
    const QStringList transport = deck->Ask("transport info");
    QCOMPARE(DeckClient::Value(transport, "status"), QStringLiteral("stopped"));
    QVERIFY(DeckClient::Value(transport, "video format") != QLatin1String("none"));
    QCOMPARE(deck->Ask("configuration").first(), QStringLiteral("211 configuration:"));
    QCOMPARE(DeckClient::Value(deck->Ask("remote"), "enabled"), QStringLiteral("true"));
    QCOMPARE(deck->Ask("clips get"),
             (QStringList{"205 clips info:", "clip count: 2", "1: Seg-3 00:00:01:00 00:00:04:00",
                          "2: Seg-7 00:00:10:00 00:00:02:00"}));
    QCOMPARE(WithoutStatusSenses(fixture->Received()), QList<QByteArray>());

    QCOMPARE(FramesOf("play"), QList<QByteArray>{Play});
    fixture->Tick();
    const QStringList playing = deck->Notification();
    QCOMPARE(playing.first(), QStringLiteral("508 transport info:"));
    QCOMPARE(DeckClient::Value(playing, "status"), QStringLiteral("play"));
    QCOMPARE(DeckClient::Value(playing, "speed"), QStringLiteral("100"));
    QCOMPARE(FramesOf("stop"), QList<QByteArray>{Stop});
    fixture->Tick();
    QCOMPARE(DeckClient::Value(deck->Notification(), "status"), QStringLiteral("stopped"));
}

// A switcher's deck control, with parameters on the command's line.
void DeckSessionsTest::switcherDrivesClipsById()
{
    QCOMPARE(DeckClient::Value(deck->Ask("remote"), "enabled"), QStringLiteral("true"));
    const QStringList disk = deck->Ask("disk list: slot id: 1");
    QCOMPARE(disk.first(), QStringLiteral("206 disk list:"));
    QCOMPARE(disk.size(), 4);
    QCOMPARE(deck->Ask("clips get").size(), 4);
    QCOMPARE(deck->Ask("transport info").first(), QStringLiteral("208 transport info:"));
    QCOMPARE(deck->Ask("notify: transport: true"), QStringList{"200 ok"});

    QVERIFY(FramesOf("goto: clip id: 2").contains(CueFrame(0, 0, 0x10, 0)));
    QCOMPARE(DeckClient::Value(deck->Ask("transport info"), "clip id"), QStringLiteral("2"));
    QCOMPARE(FramesOf("play"), QList<QByteArray>{Play});
    QCOMPARE(FramesOf("stop"), QList<QByteArray>{Stop});
    QVERIFY(FramesOf("goto: clip id: -1").contains(CueFrame(0, 0, 0x01, 0)));
    QVERIFY(FramesOf("goto: timecode: 00:00:10:05").contains(CueFrame(0, 0, 0x10, 0x05)));
    const int dial = DialForSpeed(200, ShuttleSpeed);
    QCOMPARE(FramesOf("play: speed: 200"), QList<QByteArray>{Shuttle(0x13, ShuttleSpeed(dial))});
    QCOMPARE(fixture->Dial()->value(), dial);
    QCOMPARE(FramesOf("stop"), QList<QByteArray>{Stop});
}

// Recording needs the operator's leave; a deck client that may only watch
// sends nothing.
void DeckSessionsTest::guardsHoldWhatTheKeysWouldNot()
{
    QStringList reply;
    QCOMPARE(FramesOf("record", reply), QList<QByteArray>());
    QCOMPARE(reply, QStringList{"111 remote control disabled"});
    RemoteGateways &gateways = fixture->remote->Gateways();
    GatewaySettings settings = gateways.Settings();
    settings.deckCommands = false;
    QString error;
    QVERIFY(gateways.Apply(settings, false, error));
    QCOMPARE(FramesOf("play", reply), QList<QByteArray>());
    QCOMPARE(reply, QStringList{"111 remote control disabled"});
    settings.deckCommands = true;
    QVERIFY(gateways.Apply(settings, false, error));
    QCOMPARE(FramesOf("play"), QList<QByteArray>{Play});
    const QString log = fixture->remote->Log().Lines().join('\n');
    QVERIFY2(log.contains(QStringLiteral("control transport.record {}: not-confirmed")),
             qPrintable(log));
}

QTEST_MAIN(DeckSessionsTest)
#include "tst_decksessions.moc"
