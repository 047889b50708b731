// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakelink.h"

#include "link/byteorder.h"
#include "link/ethernetlink.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>

#include <memory>

namespace {

const QHostAddress kRecorderIp(QStringLiteral("127.0.1.1"));
const QHostAddress kStrangerIp(QStringLiteral("127.0.1.2"));

PeerAddress PeerOf(const QHostAddress &ip)
{
    return {HostToNet32(ip.toIPv4Address()), HostToNet16(8080)};
}

QByteArray Headed(const QByteArray &payload, quint16 type = 1)
{
    const int length = static_cast<int>(payload.size());
    return Bytes({0, type, length >> 8, length & 0xFF, 0, 0, 0, 0, 0, 0}) + payload;
}

} // namespace

// The Ethernet link against a hand-driven recorder socket on loopback: each
// test sends through the link, answers from the test's own sockets, then lets
// the link read. Everything runs on the test's thread, step by step.
class TestEthernetLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addressTableKeepsOneEntryPerPeer();
    void addressTableHoldsSixteenPeers();
    void sendWithoutPeerIsRefused();
    void frameTravelsBehindTypeOneHeader();
    void acknowledgeGivesThirteenBytes();
    void strangersAndRuntsAreNotTakenForTheReply();
    void readStopsAtTheDatagramsEnd();
    void oversizedDatagramIsCutToTheBuffer();
    void releaseDropsLateReplies();
    void blockPacketCarriesTypeThreeAndLength();
    void blockReplyMustBeExactly522Bytes_data();
    void blockReplyMustBeExactly522Bytes();
    void freeRecordTakesNothing();

private:
    QNetworkDatagram SendThroughLink(const QByteArray &frame);
    void Answer(const QByteArray &datagram, QUdpSocket *from = nullptr);

    std::unique_ptr<EthernetLink> link;
    std::unique_ptr<QUdpSocket> recorder;
    std::unique_ptr<QUdpSocket> stranger;
    QHostAddress linkHost;
    quint16 linkPort = 0;
};

void TestEthernetLink::init()
{
    link = std::make_unique<EthernetLink>();
    QCOMPARE(link->Open(), kStatusOk);
    recorder = std::make_unique<QUdpSocket>();
    QVERIFY(recorder->bind(kRecorderIp, EthernetLink::kRecorderPort));
    stranger = std::make_unique<QUdpSocket>();
    QVERIFY(stranger->bind(kStrangerIp, EthernetLink::kRecorderPort));
    link->currentAddress = link->AddAddress(PeerOf(kRecorderIp));
}

void TestEthernetLink::cleanup()
{
    link.reset();
    recorder.reset();
    stranger.reset();
}

QNetworkDatagram TestEthernetLink::SendThroughLink(const QByteArray &frame)
{
    quint32 length = frame.size();
    const auto *bytes = reinterpret_cast<const quint8 *>(frame.constData());
    if (link->Send(length, bytes, kPacketTypeFrame) != kStatusOk)
        return {};
    if (!recorder->hasPendingDatagrams() && !recorder->waitForReadyRead(1000))
        return {};
    QNetworkDatagram datagram = recorder->receiveDatagram();
    linkHost = datagram.senderAddress();
    linkPort = static_cast<quint16>(datagram.senderPort());
    return datagram;
}

void TestEthernetLink::Answer(const QByteArray &datagram, QUdpSocket *from)
{
    (from ? from : recorder.get())->writeDatagram(datagram, kRecorderIp, linkPort);
}

void TestEthernetLink::addressTableKeepsOneEntryPerPeer()
{
    const PeerAddress other = PeerOf(kStrangerIp);
    QCOMPARE(link->AddAddress(PeerOf(kRecorderIp)), 0);
    QCOMPARE(link->AddAddress(other), 1);
    QCOMPARE(link->AddAddress(other), 1);
    QCOMPARE(link->FindAddress(other), 1);
    QCOMPARE(link->AddAddress(PeerAddress::Empty()), -1);
    link->ClearAddress(1);
    QCOMPARE(link->FindAddress(other), -1);
}

void TestEthernetLink::addressTableHoldsSixteenPeers()
{
    for (quint32 i = 1; i < EthernetLink::kPeerCount; ++i)
        QCOMPARE(link->AddAddress({HostToNet32(0x7F000200 + i), HostToNet16(8080)}), qint16(i));
    QCOMPARE(link->AddAddress({HostToNet32(0x7F0002FF), HostToNet16(8080)}), -1);
    QCOMPARE(link->FindAddress({HostToNet32(0x7F0002FF), HostToNet16(8080)}), -1);

    // A peer to be commanded takes over the entries of others, in turn.
    const PeerAddress seventeenth{HostToNet32(0x7F0002FF), HostToNet16(8080)};
    const PeerAddress eighteenth{HostToNet32(0x7F0002FE), HostToNet16(8080)};
    const qint16 first = link->UseAddress(seventeenth);
    QVERIFY(first >= 0 && first < EthernetLink::kPeerCount);
    QCOMPARE(link->FindAddress(seventeenth), first);
    QCOMPARE(link->UseAddress(seventeenth), first);
    const qint16 second = link->UseAddress(eighteenth);
    QVERIFY(second >= 0 && second != first);
    QCOMPARE(link->FindAddress(seventeenth), first);
    const qint16 third = link->UseAddress(PeerOf(kRecorderIp));
    QVERIFY(third >= 0 && third != first && third != second);
    QCOMPARE(link->FindAddress(eighteenth), second);
    QCOMPARE(link->UseAddress(PeerAddress::Empty()), -1);
}

void TestEthernetLink::sendWithoutPeerIsRefused()
{
    link->currentAddress = -1;
    quint32 length = 3;
    const quint8 frame[3] = {0x20, 0x01, 0x21};
    QCOMPARE(link->Send(length, frame, kPacketTypeFrame), kStatusLinkError);
    QVERIFY(!recorder->waitForReadyRead(50));
}

void TestEthernetLink::frameTravelsBehindTypeOneHeader()
{
    const QNetworkDatagram datagram = SendThroughLink(Bytes({0x20, 0x01, 0x21}));
    QCOMPARE(datagram.data(), Headed(Bytes({0x20, 0x01, 0x21})));
    QCOMPARE(datagram.destinationPort(), int(EthernetLink::kRecorderPort));
}

void TestEthernetLink::acknowledgeGivesThirteenBytes()
{
    SendThroughLink(Bytes({0x20, 0x01, 0x21}));
    Answer(Headed(Bytes({0x10, 0x01, 0x11})));
    qint16 rec = -1;
    QCOMPARE(link->AllocRecord(rec, 18), kStatusOk);
    QCOMPARE(rec, 0);
    QCOMPARE(link->WaitFor(rec, 500, 3), 13u);
    quint8 reply[3] = {};
    quint32 length = 3;
    link->Read(length, reply, rec);
    QCOMPARE(length, 3u);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(reply), 3), Bytes({0x10, 0x01, 0x11}));
    PacketHeader header;
    link->ReadHeader(header, rec);
    QCOMPARE(header.Type(), 1);
    QCOMPARE(header.Length(), 3);
}

void TestEthernetLink::strangersAndRuntsAreNotTakenForTheReply()
{
    SendThroughLink(Bytes({0x20, 0x01, 0x21}));
    Answer(Headed(Bytes({0x11, 0x12, 0x23})), stranger.get());
    Answer(Bytes({0x10, 0x01, 0x11}));
    Answer(Headed(Bytes({0x10, 0x01, 0x11})));
    QTest::qWait(20);
    qint16 rec = -1;
    link->AllocRecord(rec, 18);
    QCOMPARE(link->WaitFor(rec, 500, 3), 13u);
    quint8 reply[3] = {};
    quint32 length = 3;
    link->Read(length, reply, rec);
    QCOMPARE(reply[1], 0x01);
}

void TestEthernetLink::readStopsAtTheDatagramsEnd()
{
    SendThroughLink(Bytes({0x20, 0x01, 0x21}));
    // Announces four data bytes but carries one.
    Answer(Headed(Bytes({0x74, 0x20, 0x01})));
    qint16 rec = -1;
    link->AllocRecord(rec, 18);
    QVERIFY(link->WaitFor(rec, 500, 3) >= 3);
    quint8 reply[8] = {};
    quint32 length = 3;
    link->Read(length, reply, rec);
    length = 4;
    link->Read(length, reply + 3, rec);
    QCOMPARE(length, 0u);
}

void TestEthernetLink::oversizedDatagramIsCutToTheBuffer()
{
    SendThroughLink(Bytes({0x20, 0x01, 0x21}));
    Answer(Headed(QByteArray(2000, '\x10')));
    qint16 rec = -1;
    link->AllocRecord(rec, 18);
    QCOMPARE(link->WaitFor(rec, 500, 3), quint32(EthernetLink::kRecordSize));
    std::vector<quint8> payload(4000);
    quint32 length = 4000;
    link->Read(length, payload.data(), rec);
    QCOMPARE(length, quint32(EthernetLink::kRecordSize - kPacketHeaderSize));
}

void TestEthernetLink::releaseDropsLateReplies()
{
    SendThroughLink(Bytes({0x20, 0x01, 0x21}));
    Answer(Headed(Bytes({0x10, 0x01, 0x11})));
    QTest::qWait(20);
    link->Release(0);
    qint16 rec = -1;
    link->AllocRecord(rec, 18);
    QCOMPARE(link->WaitFor(rec, 30, 3), 0u);
}

void TestEthernetLink::blockPacketCarriesTypeThreeAndLength()
{
    SendThroughLink(Bytes({0x20, 0x01, 0x21}));
    BlockPacket packet;
    packet.bytes[5] = 1; // request code in header word 2
    packet.bytes[10] = 0xAA;
    packet.bytes[kBlockLengthOffset] = 1;
    QCOMPARE(link->SendBlock(packet), kStatusOk);
    QVERIFY(recorder->waitForReadyRead(1000));
    QCOMPARE(recorder->receiveDatagram().data(), Bytes({0, 3, 0, 1, 0, 1, 0, 0, 0, 0, 0xAA}));
}

void TestEthernetLink::blockReplyMustBeExactly522Bytes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("status");
    QTest::newRow("521") << 521 << -1;
    QTest::newRow("522") << 522 << 0;
    QTest::newRow("523") << 523 << -1;
}

void TestEthernetLink::blockReplyMustBeExactly522Bytes()
{
    QFETCH(int, size);
    QFETCH(int, status);
    SendThroughLink(Bytes({0x20, 0x01, 0x21}));
    Answer(QByteArray(size, '\x42'));
    BlockPacket block;
    block.bytes.fill(0x11);
    QCOMPARE(int(link->ReadBlock(block)), status);
    QCOMPARE(block.bytes[0], status == 0 ? 0x42 : 0x00);
    QCOMPARE(block.bytes[kBlockReplySize], 0x11); // nothing written past the reply
}

void TestEthernetLink::freeRecordTakesNothing()
{
    SendThroughLink(Bytes({0x20, 0x01, 0x21}));
    Answer(Headed(Bytes({0x10, 0x01, 0x11})));
    QTest::qWait(20);
    quint32 count = 99;
    QCOMPARE(link->Poll(count, 5), kStatusOk);
    QCOMPARE(count, 0u);
    qint16 rec = -1;
    link->AllocRecord(rec, 18);
    QCOMPARE(link->WaitFor(rec, 500, 3), 13u);
}

QTEST_GUILESS_MAIN(TestEthernetLink)
#include "tst_ethernetlink.moc"
