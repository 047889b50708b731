// SPDX-License-Identifier: GPL-3.0-or-later
// Session recordings against the simulated recorder: the text lines of every
// frame in and out with their words, what the link threw away, serial input
// gathered into frames, parts that rotate, and pcapng for Wireshark.

#include "recorderfixture.h"

#include "link/linkstatus.h"
#include "link/seriallink.h"
#include "link/timing.h"
#include "protocol/commandengine.h"
#include "protocol/sensecommands.h"
#include "protocol/transportcommands.h"
#include "traffic/trafficlines.h"
#include "traffic/trafficrecorder.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cstring>

namespace {

QStringList Lines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("(missing %1)").arg(path)};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The frame lines without their times.
QStringList Frames(const QStringList &lines)
{
    QStringList frames;
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1Char('#')) && !line.startsWith(QLatin1String("tavrel")))
            frames << line.section(QLatin1Char(' '), 1);
    }
    return frames;
}

qint64 TimeUs(const QString &line)
{
    const QString time = line.section(QLatin1Char(' '), 0, 0);
    return time.section(QLatin1Char('.'), 0, 0).toLongLong() * 1'000'000 +
           time.section(QLatin1Char('.'), 1).toLongLong();
}

const char kRecorder[] = "udp:127.0.220.1:32896 ";

// One pcapng block: its type and body.
struct Block
{
    quint32 type;
    QByteArray body;
};

// A 32-bit little-endian word of the file, or 0 past its end.
quint32 Word(const QByteArray &bytes, qsizetype at)
{
    quint32 word = 0;
    if (at >= 0 && at + 4 <= bytes.size())
        std::memcpy(&word, bytes.constData() + at, sizeof word);
    return qFromLittleEndian(word);
}

QList<Block> Blocks(const QByteArray &file)
{
    QList<Block> blocks;
    qsizetype at = 0;
    while (at + 12 <= file.size()) {
        const quint32 type = Word(file, at);
        const quint32 length = Word(file, at + 4);
        if (length < 12 || length % 4 != 0 || at + length > file.size() ||
            Word(file, at + length - 4) != length)
            return blocks << Block{0, "broken"};
        blocks << Block{type, file.mid(at + 8, length - 12)};
        at += length;
    }
    return blocks;
}

quint16 Ones(const QByteArray &bytes)
{
    quint32 sum = 0;
    for (int i = 0; i + 1 < bytes.size(); i += 2)
        sum += quint8(bytes[i]) << 8 | quint8(bytes[i + 1]);
    while (sum > 0xFFFF)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(sum);
}

} // namespace

class TrafficRecordingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void everyFrameWithItsWords();
    void whatTheLinkThrowsAwayIsMarked();
    void serialInputIsGatheredIntoFrames();
    void serialLineThroughThePort();
    void partsRotateAndCountOn();
    void pcapngHoldsTheDatagrams();
    void aFileThatCannotBeWrittenIsRefused();

private:
    RecorderFixture recorder{"127.0.220.1"};
    QTemporaryDir directory;
};

void TrafficRecordingTest::initTestCase()
{
    QVERIFY2(recorder.Start(), qPrintable(recorder.Error()));
}

void TrafficRecordingTest::init()
{
    recorder.Reset();
}

void TrafficRecordingTest::everyFrameWithItsWords()
{
    const QString path = directory.filePath(QStringLiteral("words.txt"));
    TrafficRecorder traffic;
    QString error;
    QVERIFY2(traffic.Start(path, 0, &error), qPrintable(error));
    QCOMPARE(wireTapCount, 1);
    QCOMPARE(Play(), kStatusOk);
    QCOMPARE(StatusSense(), kStatusOk);
    traffic.Stop();
    QCOMPARE(wireTapCount, 0);
    QCOMPARE(Play(), kStatusOk); // not recorded any more

    const QStringList lines = Lines(path);
    QCOMPARE(lines.value(0), QStringLiteral("tavrel-traffic 1"));
    QVERIFY(QRegularExpression(QStringLiteral("^# started \\d{4}-\\d\\d-\\d\\dT.*Z$"))
                .match(lines.value(1))
                .hasMatch());
    const QStringList frames = Frames(lines);
    QCOMPARE(frames.size(), 4);
    QCOMPARE(frames[0],
             QStringLiteral("> ") + kRecorder + "0001 0003 0000 0000 0000 | 20 01 21  # Play");
    QCOMPARE(frames[1],
             QStringLiteral("< ") + kRecorder + "0001 0003 0000 0000 0000 | 10 01 11  # ACK");
    QCOMPARE(frames[2], QStringLiteral("> ") + kRecorder +
                            "0001 0004 0000 0000 0000 | 61 20 0A 8B  # StatusSense status "
                            "bytes 0–9");
    QVERIFY2(frames[3].startsWith(QStringLiteral("< ") + kRecorder +
                                  "0001 000D 0000 0000 0000 | 7A 20 "),
             qPrintable(frames[3]));
    QVERIFY2(frames[3].contains(QStringLiteral("  # status: ")), qPrintable(frames[3]));
    for (int i = 3; i < lines.size(); ++i)
        QVERIFY(TimeUs(lines[i]) >= TimeUs(lines[i - 1]));
}

// A datagram from another host is read, dropped and recorded with "<!" and
// why. A reply that comes too late goes to a port the link has already
// left, so it never reaches the program nor the recording.
void TrafficRecordingTest::whatTheLinkThrowsAwayIsMarked()
{
    const QString path = directory.filePath(QStringLiteral("dropped.txt"));
    TrafficRecorder traffic;
    QString error;
    QVERIFY2(traffic.Start(path, 0, &error), qPrintable(error));
    recorder.sim.StrayBeforeNextReply(QHostAddress(QStringLiteral("127.0.220.2")), NakFrame());
    QCOMPARE(Play(), kStatusOk);
    recorder.sim.LateNextReply(250);
    QCOMPARE(Play(), kStatusNoReply);
    DelayMs(300);
    QCOMPARE(Play(), kStatusOk);
    traffic.Stop();

    const QStringList frames = Frames(Lines(path));
    const QStringList expected = {
        QStringLiteral("> udp:127.0.220.1:32896 0001 0003 0000 0000 0000 | 20 01 21  # Play"),
        QStringLiteral("<! udp:127.0.220.2:32896 0001 0004 0000 0000 0000 | 11 12 01 24  # not "
                       "from the recorder commanded, dropped; NAK: unknown command"),
        QStringLiteral("< udp:127.0.220.1:32896 0001 0003 0000 0000 0000 | 10 01 11  # ACK"),
        QStringLiteral("> udp:127.0.220.1:32896 0001 0003 0000 0000 0000 | 20 01 21  # Play"),
        QStringLiteral("> udp:127.0.220.1:32896 0001 0003 0000 0000 0000 | 20 01 21  # Play"),
        QStringLiteral("< udp:127.0.220.1:32896 0001 0003 0000 0000 0000 | 10 01 11  # ACK"),
    };
    QCOMPARE(frames, expected);
}

// The serial port hands over bytes, not frames: the recording cuts them by
// the count CMD1 announces, and writes what never became a frame as it is.
void TrafficRecordingTest::serialInputIsGatheredIntoFrames()
{
    TrafficLines lines(1'000'000, QDateTime::fromSecsSinceEpoch(0, Qt::UTC));
    QVERIFY(lines.Begin(2).endsWith("# part 2\n"));
    const auto event = [](WireDirection direction, WireFate fate, const QByteArray &bytes,
                          quint64 us) {
        WireEvent e;
        e.direction = direction;
        e.fate = fate;
        e.portId = 1;
        e.timeUs = us;
        e.bytes = reinterpret_cast<const quint8 *>(bytes.constData());
        e.size = int(bytes.size());
        return e;
    };
    const QByteArray status = WireFrame({0x61, 0x20, 0x0A});
    const QByteArray reply = SenseReturn(0x20, QByteArray(10, '\0'));
    QByteArray text = lines.Record(event(WireDirection::Out, WireFate::Taken, status, 1'500'000));
    text += lines.Record(event(WireDirection::In, WireFate::Taken, reply.left(3), 1'600'000));
    QCOMPARE(text.count('\n'), 1);
    // The rest of the reply and the first bytes of the next frame together.
    text += lines.Record(event(WireDirection::In, WireFate::Taken,
                               reply.mid(3) + QByteArray("\x10\x01", 2), 1'600'100));
    text +=
        lines.Record(event(WireDirection::In, WireFate::Stale, QByteArray("\xFF", 1), 1'700'000));
    text += lines.Record(
        event(WireDirection::In, WireFate::Taken, QByteArray("\x7A\x20", 2), 1'800'000));
    text += lines.Record(
        event(WireDirection::Out, WireFate::Taken, WireFrame({0x20, 0x01}), 2'000'000));
    text += lines.Finish();
    QCOMPARE(QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             QStringList({
                 QStringLiteral("0.500000 > COM2 61 20 0A 8B  # StatusSense status bytes 0–9"),
                 QStringLiteral("0.600100 < COM2 7A 20 00 00 00 00 00 00 00 00 00 00 9A  # "
                                "status: none"),
                 QStringLiteral("0.700000 < COM2 10 01  # incomplete frame"),
                 QStringLiteral("0.700000 <! COM2 FF  # stale, dropped unread"),
                 QStringLiteral("1.000000 < COM2 7A 20  # incomplete frame"),
                 QStringLiteral("1.000000 > COM2 20 01 21  # Play"),
             }));
}

// The real serial link over the simulated recorder's pseudo-terminal.
void TrafficRecordingTest::serialLineThroughThePort()
{
    xrsim::SimRecorder serial;
    xrsim::SimConfig config;
    config.udp = false;
    config.pty = true;
    QVERIFY2(serial.Start(config), qPrintable(serial.ErrorString()));
    qputenv("TAVREL_COM1", serial.PtyPath().toLocal8Bit());
    SerialLink link(0);
    QCOMPARE(link.Open(), kStatusOk);
    DeviceRecord device(&link, PeerAddress{0, 0}, QStringLiteral("Com1"));
    CurrentDevice = &device;
    const QString path = directory.filePath(QStringLiteral("serial.txt"));
    TrafficRecorder traffic;
    QString error;
    QVERIFY2(traffic.Start(path, 0, &error), qPrintable(error));
    QCOMPARE(StatusSense(), kStatusOk);
    QCOMPARE(Play(), kStatusOk);
    traffic.Stop();
    CurrentDevice = nullptr;

    const QStringList frames = Frames(Lines(path));
    QCOMPARE(frames.size(), 4);
    QCOMPARE(frames[0], QStringLiteral("> COM1 61 20 0A 8B  # StatusSense status bytes 0–9"));
    QVERIFY2(frames[1].startsWith(QStringLiteral("< COM1 7A 20 ")) &&
                 frames[1].contains(QStringLiteral("# status: ")),
             qPrintable(frames[1]));
    QCOMPARE(frames[3], QStringLiteral("< COM1 10 01 11  # ACK"));
}

// Each part opens with the header and its number; the times go on from the
// first part's start; no frame is lost between parts.
void TrafficRecordingTest::partsRotateAndCountOn()
{
    const QString path = directory.filePath(QStringLiteral("rotate.txt"));
    TrafficRecorder traffic;
    QString error;
    QVERIFY2(traffic.Start(path, 300, &error), qPrintable(error));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(Play(), kStatusOk);
    const QString last = traffic.CurrentPath();
    traffic.Stop();

    QCOMPARE(TrafficRecorder::PartPath(path, 2),
             directory.filePath(QStringLiteral("rotate.2.txt")));
    QCOMPARE(TrafficRecorder::PartPath(QStringLiteral("/a/b"), 3), QStringLiteral("/a/b.3"));
    QStringList frames;
    qint64 previous = 0;
    int part = 1;
    for (; QFile::exists(TrafficRecorder::PartPath(path, part)); ++part) {
        const QStringList lines = Lines(TrafficRecorder::PartPath(path, part));
        QCOMPARE(lines.value(0), QStringLiteral("tavrel-traffic 1"));
        if (part > 1)
            QCOMPARE(lines.value(2), QStringLiteral("# part %1").arg(part));
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1String("tavrel")))
                continue;
            QVERIFY(TimeUs(line) >= previous);
            previous = TimeUs(line);
        }
        frames << Frames(lines);
    }
    QVERIFY2(part > 3, qPrintable(QString::number(part)));
    QCOMPARE(last, TrafficRecorder::PartPath(path, part - 1));
    QCOMPARE(frames.size(), 12);
    QCOMPARE(frames.count(QStringLiteral("> udp:127.0.220.1:32896 0001 0003 0000 0000 0000 | 20 "
                                         "01 21  # Play")),
             6);
}

// A section, one raw-IP interface and a packet per datagram, each with a
// valid IPv4 header and the UDP ports of the program and the recorder.
void TrafficRecordingTest::pcapngHoldsTheDatagrams()
{
    const QString path = directory.filePath(QStringLiteral("wire.pcapng"));
    TrafficRecorder traffic;
    QString error;
    QVERIFY2(traffic.Start(path, 0, &error), qPrintable(error));
    QCOMPARE(Play(), kStatusOk);
    QCOMPARE(StatusSense(), kStatusOk);
    traffic.Stop();

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<Block> blocks = Blocks(file.readAll());
    QCOMPARE(blocks.size(), 6);
    QCOMPARE(blocks[0].type, quint32(0x0A0D0D0A));
    QCOMPARE(Word(blocks[0].body, 0), quint32(0x1A2B3C4D));
    QCOMPARE(blocks[1].type, quint32(1));
    QCOMPARE(qFromLittleEndian<quint16>(blocks[1].body.constData()), quint16(101));
    const QList<QByteArray> datagrams = {
        QByteArray::fromHex("00010003000000000000") + WireFrame({0x20, 0x01}),
        QByteArray::fromHex("00010003000000000000") + WireFrame({0x10, 0x01}),
        QByteArray::fromHex("00010004000000000000") + WireFrame({0x61, 0x20, 0x0A}),
    };
    quint64 previous = 0;
    for (int i = 0; i < 4; ++i) {
        const Block &packet = blocks[2 + i];
        QCOMPARE(packet.type, quint32(6));
        const quint64 stamp = quint64(Word(packet.body, 4)) << 32 | Word(packet.body, 8);
        QVERIFY(stamp >= previous && stamp > 1'500'000'000'000'000ULL);
        previous = stamp;
        const quint32 captured = Word(packet.body, 12);
        const QByteArray ip = packet.body.mid(20, captured);
        QCOMPARE(quint8(ip[0]), quint8(0x45));
        QCOMPARE(quint8(ip[9]), quint8(17));
        QCOMPARE(Ones(ip.left(20)), quint16(0xFFFF));
        QCOMPARE(ip.mid(16, 4), QByteArray::fromHex(i % 2 == 0 ? "7f00dc01" : "7f000001"));
        const quint16 recorderPort =
            qFromBigEndian<quint16>(ip.constData() + (i % 2 == 0 ? 22 : 20));
        QCOMPARE(recorderPort, quint16(32896));
        if (i < 3)
            QCOMPARE(ip.mid(28), datagrams[i]);
    }
    QVERIFY(blocks[2].body.contains("Play"));
}

void TrafficRecordingTest::aFileThatCannotBeWrittenIsRefused()
{
    TrafficRecorder traffic;
    QString error;
    QVERIFY(!traffic.Start(directory.filePath(QStringLiteral("no/such/folder.txt")), 0, &error));
    QVERIFY2(error.contains(QStringLiteral("folder.txt")), qPrintable(error));
    QVERIFY(!traffic.IsRecording());
    QCOMPARE(wireTapCount, 0);
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        QVERIFY(!traffic.Start(QStringLiteral("/dev/full"), 0, &error));
        QCOMPARE(wireTapCount, 0);
    }
    const QString path = directory.filePath(QStringLiteral("twice.txt"));
    QVERIFY(traffic.Start(path, 0, &error));
    QVERIFY(!traffic.Start(path, 0, &error));
    QVERIFY2(error.contains(QStringLiteral("already")), qPrintable(error));
}

QTEST_GUILESS_MAIN(TrafficRecordingTest)
#include "tst_trafficrecording.moc"
