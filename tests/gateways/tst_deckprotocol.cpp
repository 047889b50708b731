// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckclips.h"
#include "deckreply.h"
#include "deckrequest.h"
#include "decktimecode.h"
#include "deckview.h"

#include "protocol/videostandard.h"

#include <QtTest>

class TestDeckProtocol : public QObject
{
    Q_OBJECT

private slots:
    void RequestsReadAsTheirCommandAndParameters_data();
    void RequestsReadAsTheirCommandAndParameters();
    void MalformedRequestsAreRefused_data();
    void MalformedRequestsAreRefused();
    void LinesEndWithLineFeedWithOrWithoutReturn();
    void AnOverlongLineCostsNoMoreThanTheBound();
    void RepliesHaveTheProtocolsShapes();
    void AValueCannotForgeALine();
    void TimecodesReadAndCount_data();
    void TimecodesReadAndCount();
    void OffsetsAndTextsWrapAroundTheDay();
    void VideoStandardsGetTheProtocolsNames();
    void ClipListsNumberSegmentsFromOne();
    void ClipIdsResolveAbsoluteAndRelative();
    void TransportInfoWithoutARecorderHasNoSlot();
    void NotificationsCarryOnlyWhatChanged();
    void SpeedsConvertOnTheRecordersScale();
};

void TestDeckProtocol::RequestsReadAsTheirCommandAndParameters_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("params");

    QTest::newRow("bare") << "transport info"
                          << "transport info" << QStringList();
    QTest::newRow("case and blanks") << "  Transport   INFO "
                                     << "transport info" << QStringList();
    QTest::newRow("relative clip") << "goto: clip id: +1"
                                   << "goto" << QStringList{"clip id=+1"};
    QTest::newRow("timecode value keeps its colons")
        << "goto: timecode: 01:02:03:04"
        << "goto" << QStringList{"timecode=01:02:03:04"};
    QTest::newRow("several, names with blanks")
        << "play: speed: 200 loop: true single clip: true"
        << "play" << QStringList{"speed=200", "loop=true", "single clip=true"};
    QTest::newRow("quoted value") << "record: name: \"my take 1\""
                                  << "record" << QStringList{"name=my take 1"};
    QTest::newRow("notify display timecode")
        << "notify: transport: true display timecode: true"
        << "notify" << QStringList{"transport=true", "display timecode=true"};
    QTest::newRow("colon without parameters") << "notify:"
                                              << "notify" << QStringList();
}

void TestDeckProtocol::RequestsReadAsTheirCommandAndParameters()
{
    QFETCH(QString, line);
    QFETCH(QString, command);
    QFETCH(QStringList, params);

    DeckRequest request;
    QVERIFY(ParseDeckRequest(line, request));
    QCOMPARE(request.command, command);
    QStringList read;
    for (const auto &param : request.params)
        read << param.first + QLatin1Char('=') + param.second;
    QCOMPARE(read, params);
}

void TestDeckProtocol::MalformedRequestsAreRefused_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("no command") << ": speed: 100";
    QTest::newRow("name without value") << "goto: clip id:";
    QTest::newRow("value without name") << "play: 100";
    QTest::newRow("trailing name") << "play: speed: 100 loop";
    QTest::newRow("unclosed quote") << "record: name: \"take";
    QTest::newRow("empty name") << "play: : 100";
}

void TestDeckProtocol::MalformedRequestsAreRefused()
{
    QFETCH(QString, line);
    DeckRequest request;
    QVERIFY(!ParseDeckRequest(line, request));
}

void TestDeckProtocol::LinesEndWithLineFeedWithOrWithoutReturn()
{
    DeckLineReader reader;
    reader.Append("ping\r\ntransport ");
    reader.Append("info\n\r\n\nquit");
    DeckLineReader::Line line;
    QVERIFY(reader.NextLine(line));
    QCOMPARE(line.text, QStringLiteral("ping"));
    QVERIFY(reader.NextLine(line));
    QCOMPARE(line.text, QStringLiteral("transport info"));
    // Blank lines end requests of many lines; an unended line waits.
    for (int blank = 0; blank < 2; ++blank) {
        QVERIFY(reader.NextLine(line));
        QVERIFY(line.text.isEmpty() && !line.tooLong);
    }
    QVERIFY(!reader.NextLine(line));
    reader.Append("\r\n");
    QVERIFY(reader.NextLine(line));
    QCOMPARE(line.text, QStringLiteral("quit"));
}

void TestDeckProtocol::AnOverlongLineCostsNoMoreThanTheBound()
{
    DeckLineReader reader;
    const QByteArray chunk(64 * 1024, 'x');
    for (int i = 0; i < 16; ++i) // a megabyte without an end
        reader.Append(chunk);
    DeckLineReader::Line line;
    QVERIFY(!reader.NextLine(line));
    reader.Append("yyy\nping\n");
    QVERIFY(reader.NextLine(line));
    QVERIFY(line.tooLong);
    QVERIFY(line.text.isEmpty());
    QVERIFY(reader.NextLine(line));
    QVERIFY(!line.tooLong);
    QCOMPARE(line.text, QStringLiteral("ping"));

    // A line of exactly the bound is still read.
    reader.Append(QByteArray(DeckLineReader::kMaxLineBytes, 'a') + "\r\n");
    QVERIFY(reader.NextLine(line));
    QVERIFY(!line.tooLong);
    QCOMPARE(line.text.size(), DeckLineReader::kMaxLineBytes);
}

void TestDeckProtocol::RepliesHaveTheProtocolsShapes()
{
    QCOMPARE(DeckReply().Encode(), QByteArray("200 ok\r\n"));
    QCOMPARE(DeckReply(DeckCode::RemoteDisabled).Encode(),
             QByteArray("111 remote control disabled\r\n"));
    QCOMPARE(DeckReply(DeckCode::TimelineEmpty).Encode(), QByteArray("107 timeline empty\r\n"));
    DeckReply info(DeckCode::RemoteInfo);
    info.Field(QStringLiteral("enabled"), true).Field(QStringLiteral("override"), false);
    QCOMPARE(info.Encode(),
             QByteArray("210 remote info:\r\nenabled: true\r\noverride: false\r\n\r\n"));
    QCOMPARE(DeckReply(DeckCode::DisplayTimecodeChanged)
                 .Field(QStringLiteral("display timecode"), QStringLiteral("00:00:01:00"))
                 .Encode(),
             QByteArray("513 display timecode:\r\ndisplay timecode: 00:00:01:00\r\n\r\n"));
    QCOMPARE(DeckReply(DeckCode::ClipsInfo).Encode(), QByteArray("205 clips info:\r\n\r\n"));
}

void TestDeckProtocol::AValueCannotForgeALine()
{
    DeckReply reply(DeckCode::ClipsInfo);
    reply.Field(QStringLiteral("1"), QStringLiteral("evil\r\n\r\n200 ok"));
    QCOMPARE(reply.Encode(), QByteArray("205 clips info:\r\n1: evil    200 ok\r\n\r\n"));
}

void TestDeckProtocol::TimecodesReadAndCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fps");
    QTest::addColumn<bool>("dropFrame");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("frames");

    QTest::newRow("25") << "01:00:00:00" << 25 << false << true << qint64(90000);
    QTest::newRow("last frame") << "00:00:00:24" << 25 << false << true << qint64(24);
    QTest::newRow("frame beyond rate") << "00:00:00:25" << 25 << false << false << qint64(0);
    QTest::newRow("minutes 60") << "00:60:00:00" << 25 << false << false << qint64(0);
    QTest::newRow("hours 24") << "24:00:00:00" << 25 << false << false << qint64(0);
    QTest::newRow("df semicolon") << "00:01:00;02" << 30 << true << true << qint64(1800);
    QTest::newRow("df skipped number") << "00:01:00;00" << 30 << true << false << qint64(0);
    QTest::newRow("df tenth minute keeps 00")
        << "00:10:00;00" << 30 << true << true << qint64(17982);
    QTest::newRow("df hour") << "01:00:00;00" << 30 << true << true << qint64(107892);
    QTest::newRow("not a timecode") << "1:00:00:00" << 25 << false << false << qint64(0);
    QTest::newRow("trailing") << "01:00:00:00x" << 25 << false << false << qint64(0);
}

void TestDeckProtocol::TimecodesReadAndCount()
{
    QFETCH(QString, text);
    QFETCH(int, fps);
    QFETCH(bool, dropFrame);
    QFETCH(bool, valid);
    QFETCH(qint64, frames);

    const DeckRate rate{fps, dropFrame};
    qint64 read = -1;
    QCOMPARE(DeckTimecodeFrames(text, rate, read), valid);
    if (valid) {
        QCOMPARE(read, frames);
        QCOMPARE(DeckTimecodeText(read, rate), text);
    }
}

void TestDeckProtocol::OffsetsAndTextsWrapAroundTheDay()
{
    const DeckRate pal{25, false};
    qint64 offset = 0;
    QVERIFY(DeckTimecodeOffset(QStringLiteral("+00:00:01:00"), pal, offset));
    QCOMPARE(offset, qint64(25));
    QVERIFY(DeckTimecodeOffset(QStringLiteral("-00:00:00:05"), pal, offset));
    QCOMPARE(offset, qint64(-5));
    QVERIFY(!DeckTimecodeOffset(QStringLiteral("00:00:01:00"), pal, offset));
    QVERIFY(!DeckTimecodeOffset(QStringLiteral("+"), pal, offset));

    QCOMPARE(DeckTimecodeText(-1, pal), QStringLiteral("23:59:59:24"));
    QCOMPARE(DeckTimecodeText(24LL * 3600 * 25 + 3, pal), QStringLiteral("00:00:00:03"));
    const DeckRate ntsc{30, true};
    QCOMPARE(DeckTimecodeText(1800, ntsc), QStringLiteral("00:01:00;02"));
    // A drop-frame offset is a plain duration: one minute is 1800 frames.
    QVERIFY(DeckTimecodeOffset(QStringLiteral("+00:01:00:00"), ntsc, offset));
    QCOMPARE(offset, qint64(1800));
}

void TestDeckProtocol::VideoStandardsGetTheProtocolsNames()
{
    QCOMPARE(DeckVideoFormat(VideoStandardFor(0)), QStringLiteral("PAL"));
    QCOMPARE(DeckVideoFormat(VideoStandardFor(1)), QStringLiteral("NTSC"));
    QCOMPARE(DeckVideoFormat(VideoStandardFor(2)), QStringLiteral("1080i5994"));
    QCOMPARE(DeckVideoFormat(VideoStandardFor(5)), QStringLiteral("1080i50"));
    QCOMPARE(DeckVideoFormat(VideoStandardFor(6)), QStringLiteral("1080p23976"));
    QCOMPARE(DeckVideoFormat(VideoStandardFor(8)), QStringLiteral("720p5994"));
    QCOMPARE(DeckVideoFormat(VideoStandardFor(10)), QStringLiteral("1080p2997"));
    QCOMPARE(DeckVideoFormat(VideoStandardFor(kUndefinedVideoStandard)), QStringLiteral("none"));

    QCOMPARE(DeckRateOf(VideoStandardFor(8), true).fps, 30);
    QVERIFY(DeckRateOf(VideoStandardFor(8), true).dropFrame);
    QVERIFY2(!DeckRateOf(VideoStandardFor(0), true).dropFrame, "only 30 frame timecode drops");
}

void TestDeckProtocol::ClipListsNumberSegmentsFromOne()
{
    const QList<DeckClip> clips = {
        {3, QStringLiteral("Intro"), QStringLiteral("00:00:10:00"), QStringLiteral("00:00:05:00")},
        {7, QStringLiteral("Seg-7"), QStringLiteral("00:01:00:00"), QStringLiteral("00:00:02:12")},
    };
    QCOMPARE(ClipsInfo(clips).Encode(),
             QByteArray("205 clips info:\r\nclip count: 2\r\n1: Intro 00:00:10:00 00:00:05:00\r\n"
                        "2: Seg-7 00:01:00:00 00:00:02:12\r\n\r\n"));
    QCOMPARE(DiskList(clips, QStringLiteral("PAL")).Encode(),
             QByteArray("206 disk list:\r\nslot id: 1\r\n1: Intro native PAL 00:00:05:00\r\n"
                        "2: Seg-7 native PAL 00:00:02:12\r\n\r\n"));
    QCOMPARE(ClipsCount({}).Encode(), QByteArray("214 clips count:\r\nclip count: 0\r\n\r\n"));
    QCOMPARE(ClipIdOf(clips, 7), 2);
    QCOMPARE(ClipIdOf(clips, 4), 0);
    QCOMPARE(ClipIdOf(clips, 0), 0);
}

void TestDeckProtocol::ClipIdsResolveAbsoluteAndRelative()
{
    const QList<DeckClip> clips(3);
    int id = 0;
    DeckCode error = DeckCode::Ok;
    QVERIFY(ResolveClipId(QStringLiteral("2"), clips, 0, id, error));
    QCOMPARE(id, 2);
    QVERIFY(!ResolveClipId(QStringLiteral("4"), clips, 0, id, error));
    QCOMPARE(error, DeckCode::OutOfRange);
    QVERIFY(!ResolveClipId(QStringLiteral("0"), clips, 0, id, error));
    QCOMPARE(error, DeckCode::OutOfRange);
    QVERIFY(!ResolveClipId(QStringLiteral("two"), clips, 0, id, error));
    QCOMPARE(error, DeckCode::InvalidValue);

    QVERIFY(ResolveClipId(QStringLiteral("+1"), clips, 2, id, error));
    QCOMPARE(id, 3);
    QVERIFY2(ResolveClipId(QStringLiteral("+5"), clips, 2, id, error), "clamped, as a deck does");
    QCOMPARE(id, 3);
    QVERIFY(ResolveClipId(QStringLiteral("-9"), clips, 2, id, error));
    QCOMPARE(id, 1);
    QVERIFY2(ResolveClipId(QStringLiteral("+1"), clips, 0, id, error), "from the first clip");
    QCOMPARE(id, 2);
    QVERIFY(ResolveClipId(QStringLiteral("+2147483647"), clips, 3, id, error));
    QCOMPARE(id, 3);

    QVERIFY(!ResolveClipId(QStringLiteral("1"), {}, 0, id, error));
    QCOMPARE(error, DeckCode::TimelineEmpty);
}

void TestDeckProtocol::TransportInfoWithoutARecorderHasNoSlot()
{
    QCOMPARE(TransportInfo(DeckView()).Encode(),
             QByteArray("208 transport info:\r\nstatus: stopped\r\nspeed: 0\r\nslot id: none\r\n"
                        "clip id: none\r\nsingle clip: false\r\ndisplay timecode: 00:00:00:00\r\n"
                        "timecode: 00:00:00:00\r\nvideo format: none\r\nloop: false\r\n\r\n"));
    DeckView view;
    view.recorder = true;
    view.volume = QStringLiteral("Ethernet - 10.0.0.5");
    view.recordingSeconds = 3600;
    view.videoFormat = QStringLiteral("PAL");
    QCOMPARE(SlotInfo(view, DeckCode::SlotInfoChanged).Encode(),
             QByteArray("502 slot info:\r\nslot id: 1\r\nstatus: mounted\r\n"
                        "volume name: Ethernet - 10.0.0.5\r\nrecording time: 3600\r\n"
                        "video format: PAL\r\nblocked: false\r\n\r\n"));
}

void TestDeckProtocol::NotificationsCarryOnlyWhatChanged()
{
    DeckView before;
    before.recorder = true;
    DeckView after = before;
    after.status = QStringLiteral("play");
    after.speed = 100;
    after.clipId = 2;
    const DeckReply changed =
        ChangedLines(TransportInfo(before), TransportInfo(after, DeckCode::TransportInfoChanged));
    QCOMPARE(changed.Encode(), QByteArray("508 transport info:\r\nstatus: play\r\nspeed: 100\r\n"
                                          "clip id: 2\r\n\r\n"));
    QVERIFY(ChangedLines(TransportInfo(after), TransportInfo(after)).lines.isEmpty());
}

void TestDeckProtocol::SpeedsConvertOnTheRecordersScale()
{
    QCOMPARE(SpeedPercent(0x40), 100);
    QCOMPARE(SpeedPercent(0x20), 10);
    QCOMPARE(SpeedPercent(0x60), 1000);
    QCOMPARE(SpeedPercent(0), 0);
    QCOMPARE(SpeedByte(100), quint8(0x40));
    QCOMPARE(SpeedByte(200), quint8(0x4A));
    QCOMPARE(SpeedByte(50), quint8(0x36));
    QCOMPARE(SpeedByte(0), quint8(0));
    QCOMPARE(SpeedByte(-100), quint8(0));
    QCOMPARE(SpeedByte(1600), quint8(0x67));
    for (const quint8 byte : {quint8(0x20), quint8(0x2A), quint8(0x40), quint8(0x56)})
        QCOMPARE(SpeedByte(SpeedPercent(byte)), byte);
}

QTEST_GUILESS_MAIN(TestDeckProtocol)
#include "tst_deckprotocol.moc"
