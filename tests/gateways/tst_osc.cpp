// SPDX-License-Identifier: GPL-3.0-or-later
#include "oscroutes.h"
#include "oscserver.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

namespace {

const QHostAddress kListen(QStringLiteral("127.0.122.1"));
const QHostAddress kSender(QStringLiteral("127.0.122.2"));
constexpr quint16 kPort = 32896;

// An OSC string: its bytes, a NUL and padding to four bytes.
QByteArray OscString(const QByteArray &text)
{
    QByteArray bytes = text + '\0';
    while (bytes.size() % 4)
        bytes += '\0';
    return bytes;
}

QByteArray Int32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(OscMessage)

class TestOsc : public QObject
{
    Q_OBJECT

private slots:
    void MessagesRoundTripThroughLiblo();
    void HandMadeDatagramsDecode();
    void MalformedDatagramsAreRefused_data();
    void MalformedDatagramsAreRefused();
    void TheServerHearsAllowedSendersAndAnswersThem();
    void ItemsOfAFloodAreReportedOnce();
    void AddressesRouteToMethods_data();
    void AddressesRouteToMethods();
    void WrongArgumentsAreRefused_data();
    void WrongArgumentsAreRefused();
    void SubscriptionsNameTheirTopics();
    void PushesAndRepliesCarryStrings();
};

void TestOsc::MessagesRoundTripThroughLiblo()
{
    OscMessage message{QStringLiteral("/tavrel/reply"),
                       {QStringLiteral("{\"status\":\"ok\"}"), 42, 2.5, true, false}};
    OscMessage read;
    QVERIFY(DecodeOsc(EncodeOsc(message), read));
    QCOMPARE(read.path, message.path);
    QCOMPARE(read.args, message.args);

    QVERIFY2(EncodeOsc({QStringLiteral("/x"), {QVariant(QStringList())}}).isEmpty(),
             "a type OSC cannot carry is not sent half-made");
}

void TestOsc::HandMadeDatagramsDecode()
{
    OscMessage read;
    QVERIFY(DecodeOsc(OscString("/tavrel/jog") + OscString(",i") + Int32(-5), read));
    QCOMPARE(read.path, QStringLiteral("/tavrel/jog"));
    QCOMPARE(read.args, QVariantList{-5});
    QVERIFY(
        DecodeOsc(OscString("/tavrel/goto") + OscString(",s") + OscString("10:00:00:00"), read));
    QCOMPARE(read.args, QVariantList{QStringLiteral("10:00:00:00")});
    QVERIFY(DecodeOsc(OscString("/tavrel/play") + OscString(","), read));
    QVERIFY(read.args.isEmpty());
    // A blob is carried but taken as no value a command accepts.
    QVERIFY(
        DecodeOsc(OscString("/b") + OscString(",b") + Int32(1) + QByteArray("x\0\0\0", 4), read));
    QCOMPARE(read.args.size(), 1);
    QVERIFY(!read.args.at(0).isValid());
}

void TestOsc::MalformedDatagramsAreRefused_data()
{
    QTest::addColumn<QByteArray>("datagram");
    const QByteArray good = OscString("/tavrel/jog") + OscString(",i") + Int32(3);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated argument") << good.left(good.size() - 2);
    QTest::newRow("truncated path") << QByteArray("/tavrel/jo");
    QTest::newRow("missing argument") << OscString("/tavrel/jog") + OscString(",ii") + Int32(3);
    QTest::newRow("bundle") << OscString("#bundle") + QByteArray(8, '\0') + Int32(good.size()) +
                                   good;
    QTest::newRow("no type tag") << OscString("/tavrel/play");
    QTest::newRow("no slash") << OscString("tavrel") + OscString(",");
    QTest::newRow("unknown type") << OscString("/a") + OscString(",?") + Int32(0);
    QTest::newRow("string without end") << OscString("/a") + OscString(",s") + QByteArray("abcd");
}

void TestOsc::MalformedDatagramsAreRefused()
{
    QFETCH(QByteArray, datagram);
    OscMessage read;
    QVERIFY(!DecodeOsc(datagram, read));
}

void TestOsc::TheServerHearsAllowedSendersAndAnswersThem()
{
    OscServer server;
    QString error;
    QVERIFY2(server.Listen(kListen, kPort, error), qPrintable(error));
    QList<OscMessage> received;
    QStringList refused;
    connect(&server, &OscServer::Received, this,
            [&](const OscMessage &message, const QHostAddress &host, quint16 port) {
                received << message;
                server.Send(host, port, {QStringLiteral("/tavrel/reply"), {message.path}});
            });
    connect(&server, &OscServer::Refused, this,
            [&refused](const QString &, const QString &reason) { refused << reason; });

    QUdpSocket client;
    QVERIFY(client.bind(kSender, 0));
    client.writeDatagram(EncodeOsc({QStringLiteral("/tavrel/play"), {}}), kListen, kPort);
    QTRY_COMPARE(received.size(), 1);
    QTRY_VERIFY(client.hasPendingDatagrams());
    OscMessage reply;
    QVERIFY(DecodeOsc(client.receiveDatagram().data(), reply));
    QCOMPARE(reply.args, QVariantList{QStringLiteral("/tavrel/play")});

    client.writeDatagram(QByteArray("garbage"), kListen, kPort);
    client.writeDatagram(QByteArray(OscServer::kMaxDatagram + 100, '/'), kListen, kPort);
    QTRY_COMPARE(refused.size(), 1);
    QCOMPARE(received.size(), 1);
}

void TestOsc::ItemsOfAFloodAreReportedOnce()
{
    OscServer server;
    QString error;
    QVERIFY2(server.Listen(kListen, kPort, error), qPrintable(error));
    int received = 0;
    QStringList refused;
    connect(&server, &OscServer::Received, this, [&received] { ++received; });
    connect(&server, &OscServer::Refused, this,
            [&refused](const QString &, const QString &reason) { refused << reason; });
    QUdpSocket client;
    QVERIFY(client.bind(kSender, 0));
    const QByteArray good = EncodeOsc({QStringLiteral("/tavrel/stop"), {}});
    for (int i = 0; i < 100; ++i)
        client.writeDatagram(i % 2 ? good : QByteArray("junk"), kListen, kPort);
    QTRY_COMPARE(received, 50);
    QCOMPARE(refused.size(), 1);
}

void TestOsc::AddressesRouteToMethods_data()
{
    QTest::addColumn<OscMessage>("message");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QJsonObject>("params");

    QTest::newRow("play") << OscMessage{"/tavrel/play", {}} << "transport.play" << QJsonObject();
    QTest::newRow("goto") << OscMessage{"/tavrel/goto", {"10:00:00;02"}} << "transport.goto"
                          << QJsonObject{{"timecode", "10:00:00;02"}};
    QTest::newRow("jog") << OscMessage{"/tavrel/jog", {-3}} << "transport.jog"
                         << QJsonObject{{"frames", -3}};
    QTest::newRow("shuttle as a float") << OscMessage{"/tavrel/shuttle", {60.0}}
                                        << "transport.shuttle" << QJsonObject{{"speed", 60}};
    QTest::newRow("record unconfirmed")
        << OscMessage{"/tavrel/record", {}} << "transport.record" << QJsonObject();
    QTest::newRow("record confirmed by 1") << OscMessage{"/tavrel/record", {1}}
                                           << "transport.record" << QJsonObject{{"confirm", true}};
    QTest::newRow("segment by number")
        << OscMessage{"/tavrel/segment/play", {3}} << "segment.play" << QJsonObject{{"number", 3}};
    QTest::newRow("segment by name") << OscMessage{"/tavrel/segment/play", {"Intro"}}
                                     << "segment.play" << QJsonObject{{"name", "Intro"}};
    QTest::newRow("cue out") << OscMessage{"/tavrel/segment/cue", {"Intro", "out"}} << "segment.cue"
                             << QJsonObject{{"name", "Intro"}, {"point", "out"}};
    QTest::newRow("next") << OscMessage{"/tavrel/playlist/next", {}} << "playlist.next"
                          << QJsonObject();
    QTest::newRow("start at a row")
        << OscMessage{"/tavrel/playlist/start", {2}} << "playlist.start" << QJsonObject{{"row", 2}};
}

void TestOsc::AddressesRouteToMethods()
{
    QFETCH(OscMessage, message);
    QFETCH(QString, method);
    QFETCH(QJsonObject, params);
    const OscRoute route = RouteOsc(message);
    QCOMPARE(route.kind, OscRoute::Kind::Command);
    QCOMPARE(route.method, method);
    QCOMPARE(route.params, params);
}

void TestOsc::WrongArgumentsAreRefused_data()
{
    QTest::addColumn<OscMessage>("message");
    QTest::newRow("unknown address") << OscMessage{"/tavrel/explode", {}};
    QTest::newRow("another prefix") << OscMessage{"/other/play", {}};
    QTest::newRow("prefix alone") << OscMessage{"/tavrel/", {}};
    QTest::newRow("missing argument") << OscMessage{"/tavrel/goto", {}};
    QTest::newRow("goto by number") << OscMessage{"/tavrel/goto", {10}};
    QTest::newRow("jog by text") << OscMessage{"/tavrel/jog", {"5"}};
    QTest::newRow("jog by fraction") << OscMessage{"/tavrel/jog", {2.5}};
    QTest::newRow("jog beyond int") << OscMessage{"/tavrel/jog", {1e12}};
    QTest::newRow("an extra argument") << OscMessage{"/tavrel/play", {1}};
    QTest::newRow("a blob") << OscMessage{"/tavrel/segment/play", {QVariant()}};
    QTest::newRow("record confirmed by 2") << OscMessage{"/tavrel/record", {2}};
}

void TestOsc::WrongArgumentsAreRefused()
{
    QFETCH(OscMessage, message);
    const OscRoute route = RouteOsc(message);
    QCOMPARE(route.kind, OscRoute::Kind::Invalid);
    QVERIFY(!route.fault.isEmpty());
}

void TestOsc::SubscriptionsNameTheirTopics()
{
    OscRoute route = RouteOsc({QStringLiteral("/tavrel/subscribe"), {}});
    QCOMPARE(route.kind, OscRoute::Kind::Subscribe);
    QVERIFY(route.topics.isEmpty());
    route = RouteOsc({QStringLiteral("/tavrel/unsubscribe"), {QStringLiteral("time")}});
    QCOMPARE(route.kind, OscRoute::Kind::Unsubscribe);
    QCOMPARE(route.topics, QStringList{QStringLiteral("time")});
    QCOMPARE(RouteOsc({QStringLiteral("/tavrel/subscribe"), {7}}).kind, OscRoute::Kind::Invalid);
}

void TestOsc::PushesAndRepliesCarryStrings()
{
    const QList<OscMessage> pushes =
        OscPushes(QStringLiteral("segment"),
                  {{"name", "Intro"}, {"remaining", "00:00:04:00"}, {"number", 3}});
    QCOMPARE(pushes.size(), 2);
    QCOMPARE(pushes.at(0).path, QStringLiteral("/tavrel/segment"));
    QCOMPARE(pushes.at(0).args, QVariantList{QStringLiteral("Intro")});
    QCOMPARE(pushes.at(1).args, QVariantList{QStringLiteral("00:00:04:00")});
    QVERIFY(OscPushes(QStringLiteral("nothing"), {}).isEmpty());

    const OscMessage reply =
        OscReply(QStringLiteral("/tavrel/play"), {{"status", "error"}, {"code", "delay-mode"}});
    QCOMPARE(reply.path, QStringLiteral("/tavrel/reply"));
    const QJsonObject json =
        QJsonDocument::fromJson(reply.args.value(0).toString().toUtf8()).object();
    QCOMPARE(json.value("address").toString(), QStringLiteral("/tavrel/play"));
    QCOMPARE(json.value("code").toString(), QStringLiteral("delay-mode"));
}

QTEST_GUILESS_MAIN(TestOsc)
#include "tst_osc.moc"
