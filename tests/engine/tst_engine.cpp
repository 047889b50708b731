// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakelink.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "protocol/commandengine.h"
#include "protocol/messagemonitor.h"

#include <QStringList>
#include <QTest>

#include <memory>

namespace {

class LineMonitor : public MessageMonitor
{
public:
    void ClearLines() override { lines.clear(); }
    void AddLine(const QString &line) override { lines.append(line); }
    QStringList lines;
};

const QByteArray kAck = Bytes({0x10, 0x01, 0x11});
const QByteArray kNak = Bytes({0x11, 0x12, 0x01, 0x24});

// A frame of the given bytes followed by its checksum.
QByteArray Frame(std::initializer_list<int> values)
{
    QByteArray frame = Bytes(values);
    quint8 sum = 0;
    for (const char byte : frame)
        sum = static_cast<quint8>(sum + static_cast<quint8>(byte));
    return frame + static_cast<char>(sum);
}

const QByteArray kDeviceTypeReturn = Frame({0x12, 0x11, 0x21, 0x30});
const QByteArray kStatusReturn = Frame({0x72, 0x20, 0x00, 0x01});
const QByteArray kLevelsReturn = Frame({0x74, 0xAC, 0x96, 0x30, 0x00, 0x00});
const QByteArray kLtcReturn = Frame({0x74, 0x04, 0x00, 0x00, 0x00, 0x10});
const QByteArray kNameReturn = Frame({0x78, 0x15, 'C', 'L', 'I', 'P', '0', '0', '0', '1'});

} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void checksumCoversAnnouncedBytes_data();
    void checksumCoversAnnouncedBytes();
    void framesCarryGroupCountAndChecksum_data();
    void framesCarryGroupCountAndChecksum();
    void acknowledgeLeavesChecksumInData();
    void replyWithDataIsReadWhole();
    void replyStatusValues_data();
    void replyStatusValues();
    void replyFrameClearedBetweenReplies();
    void replyMustFitTheCommand_data();
    void replyMustFitTheCommand();
    void framesOfOtherCommandsAreDroppedOnTheWay();
    void endlessStraysEndTheWaitInTime();
    void noCurrentDeviceSendsNothing();
    void withoutReplyOnlySends();
    void oversizedCountIsRefused();
    void firstFailureBeforeAnySuccessDisconnects();
    void fourthFailureAfterSuccessDisconnects();
    void disconnectedDeviceIsNotSentTo();
    void sendErrorCountsAsFailure();
    void manualParse_data();
    void manualParse();
    void manualSingleByteSendsNothing();
    void manualPathShowsBothDirections();
    void manualChecksumFollowsTypedCount();
    void manualPathLeavesFailureCountingAlone();

private:
    std::unique_ptr<FakeLink> link;
    std::unique_ptr<DeviceRecord> device;
};

void TestEngine::init()
{
    link = std::make_unique<FakeLink>();
    device = std::make_unique<DeviceRecord>(link.get(), PeerAddress{0, 0}, QStringLiteral("Com1"));
    CurrentDevice = device.get();
    ReplyFrame.fill(0);
}

void TestEngine::cleanup()
{
    CurrentDevice = nullptr;
}

void TestEngine::checksumCoversAnnouncedBytes_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("checksum");
    QTest::newRow("play") << Bytes({0x20, 0x01}) << 0x21;
    QTest::newRow("wraps to 8 bits") << Bytes({0xF0, 0xF0}) << 0xE0;
    QTest::newRow("one data byte") << Bytes({0x21, 0x13, 0x40}) << 0x74;
    QTest::newRow("ignores bytes beyond count") << Bytes({0x21, 0x13, 0x40, 0x55}) << 0x74;
    QTest::newRow("fifteen bytes")
        << Bytes({0x2F, 0x00, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}) << 0x3E;
}

void TestEngine::checksumCoversAnnouncedBytes()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, checksum);
    QCOMPARE(FrameChecksum(reinterpret_cast<const quint8 *>(frame.constData())), checksum);
}

void TestEngine::framesCarryGroupCountAndChecksum_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("no data") << 2 << 0x01 << QByteArray() << Bytes({0x20, 0x01, 0x21});
    QTest::newRow("shuttle 64") << 2 << 0x23 << Bytes({0x40}) << Bytes({0x21, 0x23, 0x40, 0x84});
    QTest::newRow("group A") << 0xA << 0x14 << QByteArray() << Bytes({0xA0, 0x14, 0xB4});
    QTest::newRow("cue up") << 2 << 0x31 << Bytes({4, 3, 2, 1, 0})
                            << Bytes({0x25, 0x31, 4, 3, 2, 1, 0, 0x60});
}

void TestEngine::framesCarryGroupCountAndChecksum()
{
    QFETCH(int, group);
    QFETCH(int, command);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, frame);
    link->replies = {kAck};
    const auto *bytes = reinterpret_cast<const quint8 *>(data.constData());
    QCOMPARE(Send9Pin(group, command, data.size(), data.isEmpty() ? nullptr : bytes, true),
             kStatusOk);
    QCOMPARE(link->sent, QList<QByteArray>{frame});
}

void TestEngine::acknowledgeLeavesChecksumInData()
{
    link->replies = {kAck};
    QCOMPARE(Send9Pin(2, 0x01, 0, nullptr, true), kStatusOk);
    QCOMPARE(ReplyFrame[0], 0x10);
    QCOMPARE(ReplyFrame[1], 0x01);
    QCOMPARE(ReplyData(0), 0x11);
    QCOMPARE(ReplyData(1), 0);
}

void TestEngine::replyWithDataIsReadWhole()
{
    link->replies = {Bytes({0x72, 0x36, 0x01, 0x02, 0xAB})};
    QCOMPARE(Send9Pin(6, 0x36, 0, nullptr, true), kStatusOk);
    QCOMPARE(ReplyGroup(), 7);
    QCOMPARE(ReplyDataCount(), 2);
    QCOMPARE(ReplyData(0), 0x01);
    QCOMPARE(ReplyData(1), 0x02);
    QCOMPARE(ReplyData(2), 0xAB);
}

void TestEngine::replyStatusValues_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::newRow("silence") << QByteArray() << int(kStatusNoReply);
    QTest::newRow("two bytes only") << Bytes({0x10, 0x01}) << int(kStatusNoReply);
    QTest::newRow("announces more data than sent")
        << Bytes({0x74, 0x20, 0x01, 0x02}) << int(kStatusNoReply);
    QTest::newRow("bad checksum") << Bytes({0x10, 0x01, 0x12}) << int(kStatusBadChecksum);
    QTest::newRow("stale bytes after the reply")
        << Bytes({0x10, 0x01, 0x11, 0x99, 0x98}) << int(kStatusOk);
}

void TestEngine::replyStatusValues()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    link->replies = {reply};
    QCOMPARE(int(Send9Pin(2, 0x00, 0, nullptr, true)), status);
}

void TestEngine::replyFrameClearedBetweenReplies()
{
    link->replies = {Bytes({0x72, 0x36, 0x01, 0x02, 0xAB}), kAck};
    Send9Pin(6, 0x36, 0, nullptr, true);
    Send9Pin(2, 0x01, 0, nullptr, true);
    QCOMPARE(ReplyData(1), 0);
    QCOMPARE(ReplyData(2), 0);
}

// What each kind of command takes for its reply. A frame it does not take is
// dropped, and with nothing else arriving the wait runs out.
void TestEngine::replyMustFitTheCommand_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("taken");

    QTest::newRow("control: ACK") << 2 << 0x01 << kAck << true;
    QTest::newRow("control: NAK") << 3 << 0x21 << kNak << true;
    QTest::newRow("control: sense return") << 2 << 0x01 << kStatusReturn << false;
    QTest::newRow("control: device type") << 4 << 0x36 << kDeviceTypeReturn << false;
    QTest::newRow("device type: its return") << 0 << 0x11 << kDeviceTypeReturn << true;
    QTest::newRow("device type: ACK") << 0 << 0x11 << kAck << false;
    QTest::newRow("sense: its return") << 6 << 0x20 << kStatusReturn << true;
    QTest::newRow("sense: NAK") << 6 << 0xAC << kNak << true;
    QTest::newRow("sense: ACK") << 6 << 0x20 << kAck << false;
    QTest::newRow("sense: another's return") << 6 << 0x20 << kLevelsReturn << false;
    QTest::newRow("sense: own code, other group")
        << 6 << 0x20 << Frame({0x12, 0x20, 0x00, 0x01}) << false;
    QTest::newRow("current file: ACK, nothing loaded") << 6 << 0xC1 << kAck << true;
    QTest::newRow("time: LTC") << 6 << 0x0C << kLtcReturn << true;
    QTest::newRow("time: timer") << 6 << 0x0C << Frame({0x74, 0x00, 0, 0, 0, 0}) << true;
    QTest::newRow("time: own code") << 6 << 0x0C << Frame({0x74, 0x0C, 0, 0, 0, 0}) << true;
    QTest::newRow("time: audio levels") << 6 << 0x0C << kLevelsReturn << false;
    QTest::newRow("time: status") << 6 << 0x0C << kStatusReturn << false;
    QTest::newRow("file: name") << 0xA << 0x15 << kNameReturn << true;
    QTest::newRow("file: last name")
        << 0xA << 0x15 << Frame({0x78, 0x00, 'L', 'A', 'S', 'T', 0, 0, 0, 0}) << true;
    QTest::newRow("file: other group") << 0xA << 0x14 << Frame({0x81, 0x14, 0x94}) << true;
    QTest::newRow("file: unknown sense code") << 0xA << 0x18 << Frame({0x71, 0x19, 0x01}) << true;
    QTest::newRow("file: the time") << 0xA << 0x15 << kLtcReturn << false;
    QTest::newRow("file: the status") << 0xA << 0x1D << kStatusReturn << false;
    QTest::newRow("unlisted: its return") << 6 << 0x77 << Frame({0x71, 0x77, 0x01}) << true;
    QTest::newRow("unlisted: another's return") << 6 << 0x77 << kStatusReturn << false;
}

void TestEngine::replyMustFitTheCommand()
{
    QFETCH(int, group);
    QFETCH(int, command);
    QFETCH(QByteArray, reply);
    QFETCH(bool, taken);
    link->replies = {reply};
    const qint16 status = Send9Pin(group, command, 0, nullptr, true);
    QCOMPARE(status, taken ? kStatusOk : kStatusNoReply);
    const QByteArray frame(reinterpret_cast<const char *>(ReplyFrame.data()), reply.size());
    QCOMPARE(frame, taken ? reply : QByteArray(reply.size(), '\0'));
}

// A late reply and a repeated one arrive ahead of the time sense's own: both
// are passed over, shown as dropped on the monitor, and the wait goes on.
void TestEngine::framesOfOtherCommandsAreDroppedOnTheWay()
{
    const quint8 timecode = 0x03;
    link->replies = {kLevelsReturn + kStatusReturn + kLtcReturn};
    QCOMPARE(Send9Pin(6, 0x0C, 1, &timecode, true), kStatusOk);
    QCOMPARE(ReplyCommand(), 0x04);
    QCOMPARE(ReplyData(3), 0x10);
    QCOMPARE(link->errorCount, 0);

    LineMonitor monitor;
    link->replies = {kLevelsReturn + kLtcReturn};
    QVERIFY(SendManualCommand(QStringLiteral("61.0c.03"), &monitor));
    QCOMPARE(monitor.lines,
             QStringList({"Message sent :", "0x61.0x0c.0x03.0x70",
                          "Message dropped :", "0x74.0xac.0x96.0x30.0x00.0x00.0xe6",
                          "Message received :", "0x74.0x04.0x00.0x00.0x00.0x10.0x88"}));
}

// A recorder that never stops sending another command's return: the wait
// ends when its time is up, with no reply.
void TestEngine::endlessStraysEndTheWaitInTime()
{
    class FloodLink : public FakeLink
    {
    public:
        qint16 Poll(quint32 &count, qint16 rec) override
        {
            if (input.isEmpty())
                input = kStatusReturn;
            return FakeLink::Poll(count, rec);
        }
    };
    FloodLink flood;
    device->link = &flood;
    QCOMPARE(Send9Pin(6, 0x0C, 0, nullptr, true), kStatusNoReply);
    QCOMPARE(ReplyFrame[0], 0);
}

void TestEngine::noCurrentDeviceSendsNothing()
{
    CurrentDevice = nullptr;
    ReplyFrame.fill(0x5A);
    QCOMPARE(Send9Pin(2, 0x01, 0, nullptr, true), kStatusOk);
    QVERIFY(link->sent.isEmpty());
    QCOMPARE(ReplyFrame[0], 0x5A);
}

void TestEngine::withoutReplyOnlySends()
{
    link->sendStatus = kStatusLinkError;
    QCOMPARE(Send9Pin(2, 0x01, 0, nullptr, false), kStatusLinkError);
    QCOMPARE(link->sent.size(), 1);
    QCOMPARE(link->errorCount, 5);
}

void TestEngine::oversizedCountIsRefused()
{
    const quint8 data[16] = {};
    QCOMPARE(Send9Pin(2, 0x01, 16, data, true), kStatusLinkError);
    QVERIFY(link->sent.isEmpty());
}

void TestEngine::firstFailureBeforeAnySuccessDisconnects()
{
    QCOMPARE(Send9Pin(2, 0x01, 0, nullptr, true), kStatusNoReply);
    QVERIFY(device->disconnected);
}

void TestEngine::fourthFailureAfterSuccessDisconnects()
{
    link->replies = {kAck};
    QCOMPARE(Send9Pin(2, 0x01, 0, nullptr, true), kStatusOk);
    QCOMPARE(link->errorCount, 0);
    for (int failure = 1; failure <= 3; ++failure) {
        QCOMPARE(Send9Pin(2, 0x01, 0, nullptr, true), kStatusNoReply);
        QVERIFY2(!device->disconnected, qPrintable(QString::number(failure)));
    }
    QCOMPARE(Send9Pin(2, 0x01, 0, nullptr, true), kStatusNoReply);
    QVERIFY(device->disconnected);
}

void TestEngine::disconnectedDeviceIsNotSentTo()
{
    device->disconnected = 1;
    link->replies = {kAck};
    QCOMPARE(Send9Pin(2, 0x01, 0, nullptr, true), kStatusNoReply);
    QVERIFY(link->sent.isEmpty());
}

void TestEngine::sendErrorCountsAsFailure()
{
    link->errorCount = 3;
    link->sendStatus = kStatusLinkError;
    QCOMPARE(Send9Pin(2, 0x01, 0, nullptr, true), kStatusLinkError);
    QVERIFY(device->disconnected);
    QCOMPARE(link->errorCount, 4);
}

void TestEngine::manualParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("frame") << "20.01" << Bytes({0x20, 0x01});
    QTest::newRow("single digits and case") << "a.Bc.0" << Bytes({0x0A, 0xBC, 0x00});
    QTest::newRow("blanks before a field") << " 61. 0c.03" << Bytes({0x61, 0x0C, 0x03});
    QTest::newRow("stops at a bad field") << "20.01.zz.05" << Bytes({0x20, 0x01});
    QTest::newRow("three digits split") << "123.45" << Bytes({0x12});
    QTest::newRow("empty") << "" << QByteArray();
    QTest::newRow("at most seventeen")
        << "1.2.3.4.5.6.7.8.9.a.b.c.d.e.f.10.11.12"
        << Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
}

void TestEngine::manualParse()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ParseManualCommand(text), bytes);
}

void TestEngine::manualSingleByteSendsNothing()
{
    QVERIFY(!SendManualCommand(QStringLiteral("20"), nullptr));
    QVERIFY(link->sent.isEmpty());
}

void TestEngine::manualPathShowsBothDirections()
{
    LineMonitor monitor;
    monitor.lines = {QStringLiteral("old")};
    link->replies = {Bytes({0x71, 0x36, 0x01, 0xA8})};
    QVERIFY(SendManualCommand(QStringLiteral("61.36"), &monitor));
    QCOMPARE(monitor.lines, QStringList({"Message sent :", "0x61.0x36.0x97",
                                         "Message received :", "0x71.0x36.0x01.0xa8"}));
}

void TestEngine::manualChecksumFollowsTypedCount()
{
    link->replies = {kAck, kAck};
    // CMD1 announces one byte but three are typed: all go out, the checksum
    // covers only the announced one.
    QVERIFY(SendManualCommand(QStringLiteral("21.13.40.55.66"), nullptr));
    QCOMPARE(link->sent.at(0), Bytes({0x21, 0x13, 0x40, 0x55, 0x66, 0x74}));
    // CMD1 announces two bytes, none typed: the missing ones count as zero.
    QVERIFY(SendManualCommand(QStringLiteral("22.13"), nullptr));
    QCOMPARE(link->sent.at(1), Bytes({0x22, 0x13, 0x35}));
}

void TestEngine::manualPathLeavesFailureCountingAlone()
{
    link->errorCount = 7;
    QVERIFY(SendManualCommand(QStringLiteral("20.01"), nullptr));
    QCOMPARE(link->errorCount, 7);
    QVERIFY(!device->disconnected);
    device->disconnected = 1;
    QVERIFY(SendManualCommand(QStringLiteral("20.01"), nullptr));
    QCOMPARE(link->sent.size(), 1);
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
