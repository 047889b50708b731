// SPDX-License-Identifier: GPL-3.0-or-later
// Edit decision lists: the CMX 3600 text at 25, 29.97 drop and non-drop and
// 59.94 drop frame against golden files and against a frame count made here
// independently of the program's, the limits of the format, and the export
// from the Segment page through its dialogs.

#include "clipsfixture.h"

#include "ui/clips/edlexport.h"
#include "ui/clips/edlformat.h"

#include <QFile>
#include <QInputDialog>
#include <QRegularExpression>
#include <QTest>

namespace {

// The frame count of "HH:MM:SS:FF" counted the long way: every frame of
// every second, less the frame numbers that drop frame skips, which are the
// first `drop` of each minute not divisible by ten. Written apart from the
// program's arithmetic, which goes the other way.
qint64 CountFrames(const QByteArray &timecode, int fps, bool dropFrame)
{
    const QList<QByteArray> fields = timecode.split(':');
    if (fields.size() != 4)
        return -1;
    const qint64 hours = fields[0].toLongLong();
    const qint64 minutes = fields[1].toLongLong();
    const qint64 seconds = fields[2].toLongLong();
    const qint64 frames = fields[3].toLongLong();
    const int drop = dropFrame ? fps / 15 : 0;
    const qint64 allMinutes = hours * 60 + minutes;
    qint64 skipped = 0;
    for (qint64 minute = 1; minute <= allMinutes; ++minute) {
        if (minute % 10 != 0)
            skipped += drop;
    }
    return ((allMinutes * 60 + seconds) * fps + frames) - skipped;
}

// A timecode that drop frame never shows: frame 00 or 01 (00-03 at 60) of a
// minute not divisible by ten.
bool Skipped(const QByteArray &timecode, int fps)
{
    const QList<QByteArray> fields = timecode.split(':');
    return fields[2].toInt() == 0 && fields[1].toInt() % 10 != 0 && fields[3].toInt() < fps / 15;
}

struct Cut
{
    const char *name;
    const char *in;
    const char *out;
};

EdlRequest RequestOf(const QString &title, EdlRate rate, const char *start,
                     std::initializer_list<Cut> cuts)
{
    EdlRequest request;
    request.title = title;
    request.reel = QStringLiteral("CLIP0001");
    request.rate = rate;
    request.recordStart = CountFrames(start, rate.fps, rate.dropFrame);
    for (const Cut &cut : cuts)
        request.sources.push_back({cut.name, CountFrames(cut.in, rate.fps, rate.dropFrame),
                                   CountFrames(cut.out, rate.fps, rate.dropFrame)});
    return request;
}

QByteArray Golden(const QString &name)
{
    QFile file(QStringLiteral(TAVREL_GOLDEN_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

struct EventLine
{
    int number;
    QByteArray reel;
    std::array<QByteArray, 4> times; // source in, out, record in, out
};

QList<EventLine> Events(const QByteArray &list)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{3})  (\\S+)\\s+AA/V  C        (\\S+) (\\S+) (\\S+) (\\S+)\\r?$"));
    QList<EventLine> events;
    for (const QByteArray &line : list.split('\n')) {
        const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(line));
        if (match.hasMatch())
            events.append({match.captured(1).toInt(),
                           match.captured(2).toLatin1(),
                           {match.captured(3).toLatin1(), match.captured(4).toLatin1(),
                            match.captured(5).toLatin1(), match.captured(6).toLatin1()}});
    }
    return events;
}

} // namespace

class EdlTest : public QObject
{
    Q_OBJECT

private slots:
    void goldenLists_data();
    void goldenLists();
    void everyFrameOfTwoHoursRoundTrips_data();
    void everyFrameOfTwoHoursRoundTrips();
    void onlyNtscRatesDropFrames();
    void recordStartIsATimecodeOfTheRate();
    void namesTheFormatCannotCarryAreReplaced();
    void backwardsSegmentsAreLeftOut();
    void beyond999EventsTheListGoesOn();
    void exportWritesTheSegmentsWithTheLoadedReel();
    void exportOfThePlaylistNamesMissingSegments();
};

void EdlTest::goldenLists_data()
{
    QTest::addColumn<QString>("golden");
    QTest::addColumn<int>("fps");
    QTest::addColumn<bool>("dropFrame");
    QTest::addColumn<QString>("start");
    QTest::newRow("25") << "edl_25.edl" << 25 << false << "01:00:00:00";
    QTest::newRow("29.97 DF") << "edl_2997df.edl" << 30 << true << "01:00:00:00";
    QTest::newRow("29.97 NDF") << "edl_2997ndf.edl" << 30 << false << "01:00:00:00";
    QTest::newRow("59.94 DF") << "edl_5994df.edl" << 60 << true << "00:59:59:00";
}

// Events over a minute's turn (where drop frame skips numbers), over the
// tenth minute (where it does not), over the hour, and long ones; the last
// record out crosses an hour too. Every timecode written is counted back
// here and must give the frames the event was made from.
void EdlTest::goldenLists()
{
    QFETCH(QString, golden);
    QFETCH(int, fps);
    QFETCH(bool, dropFrame);
    QFETCH(QString, start);
    const EdlRate rate = EdlRateFor(fps, dropFrame);
    const QByteArray last = QByteArray::number(fps - 1);
    const QByteArray near = QByteArray::number(fps - 3);
    const QByteArray overMinute = "00:00:59:" + near;
    const QByteArray pastMinute =
        "00:01:00:" + QByteArray::number(fps / 15 + 2).rightJustified(2, '0');
    const QByteArray lastOfNine = "00:09:59:" + last;
    const QByteArray overHour = "00:59:59:" + near;
    const EdlRequest request =
        RequestOf(QStringLiteral("Golden"), rate, start.toLatin1().constData(),
                  {{"Minute", overMinute.constData(), pastMinute.constData()},
                   {"Tenth", lastOfNine.constData(), "00:10:00:02"},
                   {"Hour", overHour.constData(), "01:00:00:10"},
                   {"Long", "01:50:00:00", "02:01:30:15"},
                   {"Tail", "00:00:00:00", "00:30:00:00"}});
    const EdlResult result = MakeEdl(request);
    QCOMPARE(int(result.lists.size()), 1);
    QVERIFY(result.replaced.isEmpty() && result.leftOut.isEmpty());
    QCOMPARE(result.lists.front(), Golden(golden));

    const QList<EventLine> events = Events(result.lists.front());
    QCOMPARE(events.size(), int(request.sources.size()));
    qint64 record = request.recordStart;
    for (int i = 0; i < events.size(); ++i) {
        const EdlSource &source = request.sources[std::size_t(i)];
        const EventLine &event = events[i];
        std::array<qint64, 4> counts{};
        for (int t = 0; t < 4; ++t) {
            QVERIFY2(!dropFrame || !Skipped(event.times[t], fps), event.times[t].constData());
            counts[t] = CountFrames(event.times[t], fps, dropFrame);
        }
        QCOMPARE(event.number, i + 1);
        QCOMPARE(event.reel, QByteArray("CLIP0001"));
        QCOMPARE(counts[0], source.in);
        QCOMPARE(counts[1], source.out);
        QCOMPARE(counts[2], record);
        QCOMPARE(counts[3] - counts[2], source.out - source.in);
        record = counts[3];
    }
}

void EdlTest::everyFrameOfTwoHoursRoundTrips_data()
{
    QTest::addColumn<int>("fps");
    QTest::addColumn<bool>("dropFrame");
    QTest::newRow("25") << 25 << false;
    QTest::newRow("29.97 DF") << 30 << true;
    QTest::newRow("29.97 NDF") << 30 << false;
    QTest::newRow("50") << 50 << false;
    QTest::newRow("59.94 DF") << 60 << true;
}

// Every frame number of the first two hours: shown as a timecode that
// exists, counted back to itself, and parsed back by the program too.
void EdlTest::everyFrameOfTwoHoursRoundTrips()
{
    QFETCH(int, fps);
    QFETCH(bool, dropFrame);
    const EdlRate rate = EdlRateFor(fps, dropFrame);
    const qint64 end = CountFrames("02:00:00:00", fps, dropFrame);
    QByteArray previous;
    for (qint64 frame = 0; frame <= end; ++frame) {
        const QByteArray timecode = EdlTimecode(frame, rate);
        if (CountFrames(timecode, fps, dropFrame) != frame || (dropFrame && Skipped(timecode, fps)))
            QFAIL(qPrintable(
                QStringLiteral("frame %1 shown as %2").arg(frame).arg(QLatin1String(timecode))));
        qint64 parsed = -1;
        if (frame % 997 == 0 &&
            (!ParseEdlTimecode(QString::fromLatin1(timecode), rate, &parsed) || parsed != frame))
            QFAIL(qPrintable(
                QStringLiteral("%1 parsed as %2").arg(QLatin1String(timecode)).arg(parsed)));
        previous = timecode;
    }
    QCOMPARE(previous, QByteArray("02:00:00:00"));
}

void EdlTest::onlyNtscRatesDropFrames()
{
    QVERIFY(EdlRateFor(30, true).dropFrame);
    QVERIFY(EdlRateFor(60, true).dropFrame);
    QVERIFY(!EdlRateFor(25, true).dropFrame);
    QVERIFY(!EdlRateFor(50, true).dropFrame);
    QVERIFY(!EdlRateFor(24, true).dropFrame);
    QVERIFY(!EdlRateFor(30, false).dropFrame);
    const EdlResult drop =
        MakeEdl(RequestOf(QStringLiteral("T"), EdlRateFor(30, true), "01:00:00:00", {}));
    QVERIFY(drop.lists.front().contains("FCM: DROP FRAME\r\n"));
    const EdlResult pal =
        MakeEdl(RequestOf(QStringLiteral("T"), EdlRateFor(25, true), "01:00:00:00", {}));
    QVERIFY(pal.lists.front().contains("FCM: NON-DROP FRAME\r\n"));
}

// The start the operator types must be a timecode of the material.
void EdlTest::recordStartIsATimecodeOfTheRate()
{
    qint64 frames = -1;
    QVERIFY(ParseEdlTimecode(QStringLiteral("10:00:00;00"), EdlRateFor(30, true), &frames));
    QCOMPARE(frames, CountFrames("10:00:00:00", 30, true));
    QVERIFY(ParseEdlTimecode(QStringLiteral(" 00:10:00:00 "), EdlRateFor(30, true), &frames));
    QCOMPARE(frames, qint64(17982));
    for (const char *bad : {"00:01:00:01", "00:00:00:30", "00:60:00:00", "1:2", "", "aa:bb:cc:dd"})
        QVERIFY2(!ParseEdlTimecode(QLatin1String(bad), EdlRateFor(30, true), &frames), bad);
    QVERIFY(!ParseEdlTimecode(QStringLiteral("00:01:00:03"), EdlRateFor(60, true), &frames));
    QVERIFY(ParseEdlTimecode(QStringLiteral("00:01:00:01"), EdlRateFor(30, false), &frames));
    QVERIFY(!ParseEdlTimecode(QStringLiteral("00:00:00:25"), EdlRateFor(25, false), &frames));
}

// Only printable ASCII fits a list: other characters become "_" and are
// listed; a reel name keeps to eight letters, digits and "_".
void EdlTest::namesTheFormatCannotCarryAreReplaced()
{
    EdlRequest request = RequestOf(QStringLiteral("Caf\u00e9 show"), EdlRateFor(25, false),
                                   "01:00:00:00", {{"Intro", "00:00:01:00", "00:00:02:00"}});
    request.sources.push_back({QByteArray("Caf\xe9\tend"), 100, 200});
    request.reel = QStringLiteral("my clip!");
    const EdlResult result = MakeEdl(request);
    const QByteArray list = result.lists.front();
    QVERIFY(list.startsWith("TITLE: Caf_ show\r\n"));
    QVERIFY(list.contains("* FROM CLIP NAME: Caf__end\r\n"));
    QVERIFY(list.contains("* FROM CLIP NAME: Intro\r\n"));
    QCOMPARE(Events(list).value(0).reel, QByteArray("MY_CLIP_"));
    QCOMPARE(result.replaced, QStringList({QStringLiteral("reel my clip! -> MY_CLIP_"),
                                           QStringLiteral("Caf\u00e9\tend -> Caf__end")}));
    request.reel.clear();
    QCOMPARE(Events(MakeEdl(request).lists.front()).value(0).reel, QByteArray("AX"));
}

// A segment whose out point precedes its in point is listed and left out;
// the record times close up behind it.
void EdlTest::backwardsSegmentsAreLeftOut()
{
    const EdlResult result =
        MakeEdl(RequestOf(QStringLiteral("T"), EdlRateFor(25, false), "01:00:00:00",
                          {{"A", "00:00:01:00", "00:00:02:00"},
                           {"Back", "00:00:05:00", "00:00:04:00"},
                           {"B", "00:00:10:00", "00:00:10:10"}}));
    QCOMPARE(result.leftOut, QStringList{QStringLiteral("Back")});
    const QList<EventLine> events = Events(result.lists.front());
    QCOMPARE(events.size(), 2);
    QCOMPARE(events[1].number, 2);
    QCOMPARE(events[1].times[2], QByteArray("01:00:01:00"));
    QCOMPARE(events[1].times[3], QByteArray("01:00:01:10"));
}

// 999 events is all a list holds: the 1000th opens a second list, numbered
// from 001 again, whose record times go on from the first's.
void EdlTest::beyond999EventsTheListGoesOn()
{
    EdlRequest request =
        RequestOf(QStringLiteral("Long"), EdlRateFor(25, false), "01:00:00:00", {});
    for (int i = 0; i < 1001; ++i)
        request.sources.push_back({"Seg-" + QByteArray::number(i + 1), i * 50, i * 50 + 25});
    const EdlResult result = MakeEdl(request);
    QCOMPARE(int(result.lists.size()), 2);
    const QList<EventLine> first = Events(result.lists[0]);
    const QList<EventLine> second = Events(result.lists[1]);
    QCOMPARE(first.size(), 999);
    QCOMPARE(second.size(), 2);
    QVERIFY(result.lists[1].startsWith("TITLE: Long (2)\r\nFCM: NON-DROP FRAME\r\n"));
    QCOMPARE(second[0].number, 1);
    QCOMPARE(CountFrames(second[0].times[2], 25, false),
             CountFrames("01:00:00:00", 25, false) + 999 * 25);
    QCOMPARE(second[0].times[2], first.last().times[3]);
}

// The menu entry: a file, a record start, the segments of the list in
// frames (the recorder counts fields of this interlaced material) and the
// loaded file as the reel.
void EdlTest::exportWritesTheSegmentsWithTheLoadedReel()
{
    ClipsFixture clips("127.0.223.1");
    QVERIFY2(clips.Connect({"standard = 0", "file = REEL0042,600", "loaded = REEL0042",
                            "segment = 1,00:00:10:00,00:00:20:00", "raw_segment = 2,3000,2950"}),
             qPrintable(clips.error));
    clips.Import();
    const QString chosen = clips.directory.filePath(QStringLiteral("show"));
    clips.answers.Choose(chosen);
    clips.answers.WhileOpen([](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        if (!dialog)
            return false;
        dialog->setTextValue(QStringLiteral("10:00:00:00"));
        dialog->accept();
        return true;
    });
    clips.Action("ExportClipEDL")->trigger();
    const QByteArray list = Contents(chosen + QStringLiteral(".EDL"));
    QVERIFY2(list.startsWith("TITLE: show\r\nFCM: NON-DROP FRAME\r\n"), list.constData());
    const QList<EventLine> events = Events(list);
    QCOMPARE(events.size(), 1);
    QCOMPARE(events[0].reel, QByteArray("REEL0042"));
    QCOMPARE(events[0].times, (std::array<QByteArray, 4>{"00:00:10:00", "00:00:20:00",
                                                         "10:00:00:00", "10:00:10:00"}));
    QVERIFY(list.contains("* FROM CLIP NAME: Seg-1\r\n"));
    QCOMPARE(clips.answers.texts.size(), 1);
    QVERIFY(clips.answers.texts[0].contains(QStringLiteral("precedes their in point:\nSeg-2")));
}

void EdlTest::exportOfThePlaylistNamesMissingSegments()
{
    ClipsFixture clips("127.0.223.2");
    QVERIFY2(clips.Connect({"standard = 4", "file = TAKE0001,60", "loaded = TAKE0001",
                            "segment = 3,00:00:01:00,00:00:02:00",
                            "segment = 4,00:00:03:00,00:00:04:00"}),
             qPrintable(clips.error));
    clips.Import();
    for (const char *name : {"Seg-4", "Seg-3", "Seg-4"}) {
        clips.SelectSegment(name);
        clips.Segments()->DoCopyToEnd();
    }
    clips.SelectSegment("Seg-3");
    clips.Segments()->DoCut();
    QStringList missing;
    const EdlRequest request = clips.window->segment->edl->PlaylistRequest(&missing);
    QCOMPARE(missing, QStringList{QStringLiteral("Seg-3")});
    QCOMPARE(int(request.sources.size()), 2);
    QCOMPARE(request.sources[0].in, qint64(3 * 25));
    QCOMPARE(request.sources[1].out, qint64(4 * 25));
    QVERIFY(!request.rate.dropFrame);
    QCOMPARE(request.rate.fps, 25);
}

QTEST_MAIN(EdlTest)
#include "tst_edl.moc"
