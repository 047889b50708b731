// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorderfixture.h"

#include "protocol/recorderinfo.h"
#include "protocol/videostandard.h"

#include "link/linkstatus.h"

#include <QtTest>

#include <QMutex>
#include <QThread>
#include <QUdpSocket>

#include <atomic>
#include <memory>

namespace {

constexpr quint16 kRecorderPort = 0x8080;

// Plays the recorder's side of the information exchange on a loopback
// address: logs every datagram it receives and answers each with the block
// it was given (none while that is empty). It runs on a thread of its own
// because the link blocks the test's thread while it waits for the answer.
class BlockPeer
{
public:
    explicit BlockPeer(const QHostAddress &address) : address(address) {}

    ~BlockPeer()
    {
        running = false;
        if (thread)
            thread->wait();
    }

    bool Start()
    {
        thread.reset(QThread::create([this] { Serve(); }));
        thread->start();
        while (bound == 0)
            QThread::msleep(1);
        return bound > 0;
    }

    void SetAnswer(const QByteArray &block)
    {
        QMutexLocker lock(&mutex);
        answer = block;
    }

    QList<QByteArray> Received()
    {
        QMutexLocker lock(&mutex);
        return received;
    }

    void Clear()
    {
        QMutexLocker lock(&mutex);
        received.clear();
        answer.clear();
    }

private:
    void Serve()
    {
        QUdpSocket socket;
        bound = socket.bind(address, kRecorderPort) ? 1 : -1;
        while (running && bound > 0) {
            if (!socket.waitForReadyRead(20))
                continue;
            while (socket.hasPendingDatagrams()) {
                QByteArray datagram(int(socket.pendingDatagramSize()), '\0');
                QHostAddress sender;
                quint16 senderPort = 0;
                socket.readDatagram(datagram.data(), datagram.size(), &sender, &senderPort);
                QMutexLocker lock(&mutex);
                received.append(datagram);
                if (!answer.isEmpty())
                    socket.writeDatagram(answer, sender, senderPort);
            }
        }
    }

    QHostAddress address;
    std::unique_ptr<QThread> thread;
    std::atomic<bool> running{true};
    std::atomic<int> bound{0}; // 1 bound, -1 failed to bind
    QMutex mutex;
    QByteArray answer;
    QList<QByteArray> received;
};

// An information block: header, then 512 payload bytes with the tag at block
// offset 10, the video standard at 94 and the compression code at 95.
QByteArray InformationBlock(const QByteArray &tag, quint8 standard, quint8 compression,
                            int size = 522)
{
    QByteArray block(size, '\0');
    block[1] = 3;
    block[2] = 0x02;
    block.replace(10, 4, tag);
    block[94] = static_cast<char>(standard);
    block[95] = static_cast<char>(compression);
    return block;
}

QString BitRate(const DeviceRecord &device)
{
    return QString::fromLatin1(device.bitRateText.data());
}

void SetBitRate(DeviceRecord &device, const char *text)
{
    device.bitRateText.fill(0);
    qstrncpy(device.bitRateText.data(), text, device.bitRateText.size());
}

} // namespace

class TestRecorderInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void requestOnTheWire();
    void decodesTheBlock_data();
    void decodesTheBlock();
    void unansweredOrMisshapenBlock_data();
    void unansweredOrMisshapenBlock();
    void serialRecorderIsNotAsked_data();
    void serialRecorderIsNotAsked();
    void noRecorderNothingDone();

    void bitRateTables_data();
    void bitRateTables();
    void subKindFollowsTheVideoStandard();
    void clipInformationTexts_data();
    void clipInformationTexts();

private:
    RecorderFixture recorder{"127.0.3.4"};
    BlockPeer peer{QHostAddress(QStringLiteral("127.0.3.4"))};
};

void TestRecorderInfo::initTestCase()
{
    QVERIFY(peer.Start());
    recorder.Connect();
}

void TestRecorderInfo::init()
{
    peer.Clear();
    CurrentDevice = recorder.device.get();
    recorder.device->name = QStringLiteral("Ethernet - 127.0.3.4");
    recorder.device->recorderKind = 99;
    recorder.device->recorderSubKind = 99;
    SetBitRate(*recorder.device, "before");
}

// A type-3 header whose word 2 is the request code 1, with no payload.
void TestRecorderInfo::requestOnTheWire()
{
    RecorderInfoRead();
    const QList<QByteArray> expected{QByteArray("\x00\x03\x00\x00\x00\x01\x00\x00\x00\x00", 10)};
    QCOMPARE(peer.Received(), expected);
}

void TestRecorderInfo::decodesTheBlock_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("subKind");
    QTest::addColumn<QString>("bitRate");

    QTest::newRow("zaxo, 2:1") << InformationBlock("zaxo", 0, 13) << 1 << 99 << "2:1";
    QTest::newRow("zaxo, beyond the table")
        << InformationBlock("zaxo", 0, 17) << 1 << 99 << "Unknown";
    QTest::newRow("MPEG, 50 MBits/s") << InformationBlock("MPEG", 0, 11) << 2 << 99 << "50 MBits/s";
    QTest::newRow("HDTV with bit 7 on the first tag byte")
        << InformationBlock("\xC8\x44\x54\x56", 1, 3) << 4 << 1 << "15 Mb/s";
    QTest::newRow("HDTV, NTSC, 15 Mb/s") << InformationBlock("HDTV", 1, 3) << 4 << 1 << "15 Mb/s";
    QTest::newRow("HDTV, 1080 59.94i, 100 Mb/s")
        << InformationBlock("HDTV", 2, 3) << 4 << 2 << "100 Mb/s";
    QTest::newRow("XRU, code 36") << InformationBlock("XRU ", 36, 0) << 3 << 0 << "Unknown";
    QTest::newRow("C_HD, 2k 48i, 75 Mb/s")
        << InformationBlock("C_HD", 35, 11) << 6 << 2 << "75 Mb/s";
    QTest::newRow("XRU without its blank")
        << InformationBlock(QByteArray("XRU\0", 4), 1, 3) << 0 << 99 << "before";
    QTest::newRow("lower-case tag") << InformationBlock("hdtv", 1, 3) << 0 << 99 << "before";
}

void TestRecorderInfo::decodesTheBlock()
{
    QFETCH(QByteArray, block);
    peer.SetAnswer(block);
    QCOMPARE(RecorderInfoRead(), kStatusOk);
    QTEST(int(recorder.device->recorderKind), "kind");
    QTEST(int(recorder.device->recorderSubKind), "subKind");
    QTEST(BitRate(*recorder.device), "bitRate");
}

void TestRecorderInfo::unansweredOrMisshapenBlock_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::newRow("no answer") << QByteArray();
    QTest::newRow("one byte short") << InformationBlock("HDTV", 1, 3, 521);
    QTest::newRow("one byte long") << InformationBlock("HDTV", 1, 3, 523);
}

void TestRecorderInfo::unansweredOrMisshapenBlock()
{
    QFETCH(QByteArray, block);
    peer.SetAnswer(block);
    QCOMPARE(RecorderInfoRead(), kStatusOk);
    QCOMPARE(recorder.device->recorderKind, 0);
    QCOMPARE(recorder.device->recorderSubKind, 99);
    QCOMPARE(BitRate(*recorder.device), QStringLiteral("before"));
}

void TestRecorderInfo::serialRecorderIsNotAsked_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Com1") << "Com1";
    QTest::newRow("Com2") << "Com2";
}

void TestRecorderInfo::serialRecorderIsNotAsked()
{
    QFETCH(QString, name);
    recorder.device->name = name;
    peer.SetAnswer(InformationBlock("HDTV", 1, 3));
    QCOMPARE(RecorderInfoRead(), qint16(-1));
    QCOMPARE(recorder.device->recorderKind, 99);
    QTest::qWait(50);
    QVERIFY(peer.Received().isEmpty());
}

void TestRecorderInfo::noRecorderNothingDone()
{
    CurrentDevice = nullptr;
    QCOMPARE(RecorderInfoRead(), kStatusOk);
    QTest::qWait(50);
    QVERIFY(peer.Received().isEmpty());
}

void TestRecorderInfo::bitRateTables_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("subKind");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("zaxo first") << 1 << 0 << 0 << "4:1";
    QTest::newRow("zaxo last") << 1 << 0 << 16 << "3.5:1";
    QTest::newRow("MPEG first") << 2 << 0 << 0 << "5 MBits/s";
    QTest::newRow("MPEG past the end") << 2 << 0 << 12 << "Unknown";
    QTest::newRow("SD uncompressed") << 3 << 1 << 0 << "Uncompressed 8 bits";
    QTest::newRow("SD code 2 is no rate") << 4 << 1 << 2 << "Unknown";
    QTest::newRow("SD last") << 6 << 1 << 6 << "100 Mb/s";
    QTest::newRow("SD past the end") << 6 << 1 << 7 << "Unknown";
    QTest::newRow("HD 12 bits") << 3 << 2 << 2 << "Uncompressed 12 bits";
    QTest::newRow("HD last") << 4 << 2 << 11 << "75 Mb/s";
    QTest::newRow("HD past the end") << 4 << 2 << 12 << "Unknown";
    QTest::newRow("no sub-kind") << 6 << 0 << 3 << "Unknown";
}

void TestRecorderInfo::bitRateTables()
{
    QFETCH(int, kind);
    QFETCH(int, subKind);
    QFETCH(int, code);
    QTEST(BitRateText(kind, subKind, static_cast<quint8>(code)), "text");
}

// Standard definition: PAL, NTSC, the 480 and 576 line formats; high
// definition: the 1080, 720 and 2k formats; 36 and above neither.
void TestRecorderInfo::subKindFollowsTheVideoStandard()
{
    for (int code = 0; code < 256; ++code) {
        const QString name = VideoStandardName(code);
        qint32 expected = kRecorderSubKindNone;
        if (code <= 35 &&
            (name.startsWith("480") || name.startsWith("576") || name == "PAL" || name == "NTSC"))
            expected = kRecorderSubKindSd;
        else if (code <= 35)
            expected = kRecorderSubKindHd;
        QVERIFY2(RecorderSubKind(static_cast<quint8>(code)) == expected,
                 qPrintable(QString::number(code)));
    }
}

void TestRecorderInfo::clipInformationTexts_data()
{
    QTest::addColumn<int>("standard");
    QTest::addColumn<int>("gop");
    QTest::addColumn<QString>("text");
    QTest::newRow("NTSC, IBP") << 1 << 3 << "Format: NTSC    Gop : IBP";
    QTest::newRow("2k, I only") << 32 << 1 << "Format: 2k  23.98p    Gop : I Only";
    QTest::newRow("code 36") << 36 << 4 << "Format: 768 60p    Gop : IB";
    QTest::newRow("code 37") << 37 << 2 << "Format: Undefined    Gop : IP";
    QTest::newRow("GOP 0") << 0 << 0 << "Format: PAL    Gop : Undefined";
    QTest::newRow("GOP 5") << 0 << 5 << "Format: PAL    Gop : Undefined";
}

void TestRecorderInfo::clipInformationTexts()
{
    QFETCH(int, standard);
    QFETCH(int, gop);
    QTEST(FileFormatText(standard, gop), "text");
    QCOMPARE(CompressionText(50), QStringLiteral("Comp : 50 Mb/s"));
}

QTEST_GUILESS_MAIN(TestRecorderInfo)
#include "tst_recorderinfo.moc"
