// SPDX-License-Identifier: GPL-3.0-or-later
// OSC on the remote control core, over a window that records what it is
// asked: commands reach the window's keys and are answered with
// /tavrel/reply, refusals carry the core's code, subscribers receive the
// state messages at each change. OSC listens on 127.0.125.1, the sender is
// 127.0.125.2.

#include "faketarget.h"

#include "remote/gateways/oscmessage.h"
#include "remote/osccontrol.h"
#include "remote/remotelog.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>

namespace {

const QHostAddress kListen(QStringLiteral("127.0.125.1"));
const QHostAddress kSender(QStringLiteral("127.0.125.2"));
constexpr quint16 kPort = 9181;

} // namespace

class OscControlTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandsAreAnswered();
    void refusalsAndFaultsCarryTheirCodes_data();
    void refusalsAndFaultsCarryTheirCodes();
    void subscribersFollowTheChanges();
    void sendersAreClientsOfTheirOwn();

private:
    void Send(const OscMessage &message);
    // The next message that reaches the sender; an empty path when none did.
    OscMessage Next();
    QJsonObject NextReply();

    std::unique_ptr<FakeTarget> target;
    std::unique_ptr<RemoteLog> log;
    std::unique_ptr<ControlCore> core;
    std::unique_ptr<OscControl> osc;
    std::unique_ptr<QUdpSocket> sender;
};

void OscControlTest::init()
{
    target = std::make_unique<FakeTarget>();
    target->connection.connected = true;
    target->transport.word = QStringLiteral("STOP");
    target->segments = {{3, "Three", "00:00:01:00", "00:00:05:00", "00:00:04:00"}};
    log = std::make_unique<RemoteLog>();
    core = std::make_unique<ControlCore>(*target, *log);
    osc = std::make_unique<OscControl>(*core, *log);
    QString error;
    QVERIFY2(osc->Listen(kListen, kPort, PeerFilter(), error), qPrintable(error));
    sender = std::make_unique<QUdpSocket>();
    QVERIFY(sender->bind(kSender, 0));
}

void OscControlTest::cleanup()
{
    sender.reset();
    osc.reset();
    core.reset();
    log.reset();
    target.reset();
}

void OscControlTest::Send(const OscMessage &message)
{
    sender->writeDatagram(EncodeOsc(message), kListen, kPort);
}

OscMessage OscControlTest::Next()
{
    OscMessage message;
    for (int waited = 0; !sender->hasPendingDatagrams() && waited < 5000; waited += 5)
        QTest::qWait(5);
    if (sender->hasPendingDatagrams())
        DecodeOsc(sender->receiveDatagram().data(), message);
    return message;
}

QJsonObject OscControlTest::NextReply()
{
    const OscMessage message = Next();
    if (message.path != QLatin1String("/tavrel/reply") || message.args.size() != 1)
        return {{"path", message.path}};
    return QJsonDocument::fromJson(message.args.first().toString().toUtf8()).object();
}

void OscControlTest::commandsAreAnswered()
{
    Send({QStringLiteral("/tavrel/play"), {}});
    QCOMPARE(
        NextReply(),
        (QJsonObject{{"address", "/tavrel/play"}, {"status", "ok"}, {"result", QJsonObject()}}));
    Send({QStringLiteral("/tavrel/goto"), {QStringLiteral("10:00:01:00")}});
    QCOMPARE(NextReply().value("status"), QJsonValue("ok"));
    // Show-control programs send numbers as floats.
    Send({QStringLiteral("/tavrel/shuttle"), {-60.0}});
    QCOMPARE(NextReply().value("status"), QJsonValue("ok"));
    Send({QStringLiteral("/tavrel/segment/play"), {QStringLiteral("Three")}});
    QCOMPARE(NextReply().value("status"), QJsonValue("ok"));
    Send({QStringLiteral("/tavrel/playlist/next"), {}});
    QCOMPARE(NextReply().value("status"), QJsonValue("ok"));
    QCOMPARE(target->done, (QStringList{"play", "goto 10:00:01:00", "shuttle -60", "segment play 0",
                                        "playlist step 1"}));
}

void OscControlTest::refusalsAndFaultsCarryTheirCodes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QVariantList>("args");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("code");

    const int none = int(Refusal::None);
    QTest::newRow("Delay mode") << "/tavrel/stop" << QVariantList() << int(Refusal::DelayMode)
                                << "delay-mode";
    QTest::newRow("record unconfirmed")
        << "/tavrel/record" << QVariantList() << none << "not-confirmed";
    QTest::newRow("jog by a text")
        << "/tavrel/jog" << QVariantList{QStringLiteral("x")} << none << "bad-request";
    QTest::newRow("jog too far") << "/tavrel/jog" << QVariantList{5000} << none << "bad-value";
    QTest::newRow("no such address") << "/tavrel/eject" << QVariantList() << none << "bad-request";
    QTest::newRow("no such segment")
        << "/tavrel/segment/play" << QVariantList{9} << none << "not-found";
}

void OscControlTest::refusalsAndFaultsCarryTheirCodes()
{
    QFETCH(QString, path);
    QFETCH(QVariantList, args);
    QFETCH(int, answer);
    QFETCH(QString, code);
    target->answer = Refusal(answer);
    Send({path, args});
    const QJsonObject reply = NextReply();
    QCOMPARE(reply.value("status"), QJsonValue("error"));
    QCOMPARE(reply.value("address"), QJsonValue(path));
    QCOMPARE(reply.value("error").toObject().value("code"), QJsonValue(code));
}

void OscControlTest::subscribersFollowTheChanges()
{
    Send({QStringLiteral("/tavrel/subscribe"), {QStringLiteral("transport")}});
    QCOMPARE(NextReply().value("status"), QJsonValue("ok"));
    const OscMessage present = Next();
    QCOMPARE(present.path, QStringLiteral("/tavrel/transport"));
    QCOMPARE(present.args, QVariantList{QStringLiteral("STOP")});

    target->transport.word = QStringLiteral("PLAY");
    core->Publish();
    QCOMPARE(Next().args, QVariantList{QStringLiteral("PLAY")});

    Send({QStringLiteral("/tavrel/unsubscribe"), {}});
    QCOMPARE(NextReply().value("status"), QJsonValue("ok"));
    target->transport.word = QStringLiteral("STOP");
    core->Publish();
    QTest::qWait(50);
    QVERIFY(!sender->hasPendingDatagrams());
}

// Each sender address and port is a client of the core, logged as "osc";
// one that follows nothing is let go at the end.
void OscControlTest::sendersAreClientsOfTheirOwn()
{
    QUdpSocket second;
    QVERIFY(second.bind(kSender, 0));
    Send({QStringLiteral("/tavrel/stop"), {}});
    NextReply();
    second.writeDatagram(EncodeOsc({QStringLiteral("/tavrel/play"), {}}), kListen, kPort);
    QTRY_COMPARE(osc->Senders(), 2);
    QTRY_COMPARE(target->done, (QStringList{"stop", "play"}));
    QCOMPARE(core->ClientCount(), 2);
    const QString lines = log->Lines().join(QLatin1Char('\n'));
    QVERIFY2(lines.contains(QStringLiteral("osc 127.0.125.2:")), qPrintable(lines));
    QVERIFY2(lines.contains(QStringLiteral("control transport.stop {}: ok")), qPrintable(lines));
    osc->Close();
    QCOMPARE(core->ClientCount(), 0);
}

QTEST_GUILESS_MAIN(OscControlTest)
#include "tst_osccontrol.moc"
