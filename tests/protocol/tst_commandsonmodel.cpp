// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorderfixture.h"

#include "protocol/filecommands.h"
#include "protocol/locate.h"
#include "protocol/playlistcommands.h"
#include "protocol/recorderinfo.h"
#include "protocol/recorderstate.h"
#include "protocol/segmentcommands.h"
#include "protocol/sensecommands.h"
#include "protocol/setupcommands.h"
#include "protocol/timecode.h"
#include "protocol/transportcommands.h"

#include "link/linkstatus.h"
#include "link/timing.h"

#include <QtTest>

namespace {

xrsim::Scenario::Segment Segment(int number, const char *in, const char *out)
{
    xrsim::Scenario::Segment segment;
    segment.number = number;
    segment.in = QString::fromLatin1(in);
    segment.out = QString::fromLatin1(out);
    return segment;
}

} // namespace

// The commands against the simulated recorder's model of a PAL recorder with
// one loaded file and three short segments: the replies come from what the
// recorder does, not from canned answers.
class TestCommandsOnModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void locateCuesAndWaitsForTheRecorder();
    void playlistChainPlaysOn();
    void recorderDescribesItself();
    void fileListOfTheRecorder();

private:
    // Polls the status until `done` holds or `timeoutMs` has passed.
    template <typename Condition>
    bool PollStatus(Condition done, quint32 timeoutMs);

    RecorderFixture recorder{"127.0.3.5"};
};

void TestCommandsOnModel::initTestCase()
{
    xrsim::Scenario scenario;
    scenario.videoStandard = 0;
    scenario.files = {{QStringLiteral("CLIP0001"), 60, 8}, {QStringLiteral("CLIP0002"), 30, 4}};
    scenario.loaded = QStringLiteral("CLIP0001");
    scenario.segments = {Segment(1, "00:00:01:00", "00:00:01:08"),
                         Segment(2, "00:00:05:00", "00:00:05:08"),
                         Segment(3, "00:00:10:00", "00:00:10:08")};
    QVERIFY2(recorder.Start(scenario), qPrintable(recorder.Error()));
}

void TestCommandsOnModel::init()
{
    recorder.Reset();
    QCOMPARE(DeviceTypeRequest(), kStatusOk);
    QVERIFY(FiftyHzRecorder());
    Stop();
}

template <typename Condition>
bool TestCommandsOnModel::PollStatus(Condition done, quint32 timeoutMs)
{
    const quint32 start = NowMs();
    while (ElapsedMs(start) < timeoutMs) {
        if (StatusSense() == kStatusOk && done())
            return true;
        DelayMs(20);
    }
    return false;
}

// The recorder takes a while to reach a cue point: the wait returns once it
// reports the cue-up complete, long before its one-second limit, and the
// recorder then stands at the segment's in point.
void TestCommandsOnModel::locateCuesAndWaitsForTheRecorder()
{
    SegmentInfo info;
    QVERIFY(SegmentInfoSense(2, info));
    recorder.device->videoStandard = 0;
    recorder.device->dropFrame = 0;
    positionDivisor = 2;

    const quint32 start = NowMs();
    LocateByPosition(info.inPoint);
    const quint32 elapsed = ElapsedMs(start);

    QVERIFY(StatusBitSet(kStatusCueUpComplete));
    QVERIFY2(elapsed >= 100 && elapsed < 900, qPrintable(QString::number(elapsed)));
    timerMode = 1;
    QCOMPARE(CurrentTimeSense(), kStatusOk);
    QCOMPARE(currentTime, (std::array<quint8, 4>{0x00, 0x05, 0x00, 0x00}));
}

// Segment 1 plays into 2 and 2 into 3 along the chain the program sets up;
// each move raises the event change that the program acknowledges and reads.
void TestCommandsOnModel::playlistChainPlaysOn()
{
    QCOMPARE(PlaylistStart(1), kStatusOk);
    QCOMPARE(EventPairPreset(1, 2), kStatusOk);
    QCOMPARE(EventPairPreset(2, 3, CommandPath::Manual), kStatusOk);
    QCOMPARE(EventPairPreset(3, 0), kStatusOk);
    QCOMPARE(PlaySegment(1), kStatusOk);

    for (const quint16 expected : {2, 3}) {
        QVERIFY(PollStatus([] { return EventChanged(); }, 2000));
        QVERIFY(IsPlaying());
        quint16 playing = 0;
        QCOMPARE(CurrentEventSense(playing), kStatusOk);
        QCOMPARE(playing, expected);
        QCOMPARE(AckEventChange(), kStatusOk);
        QCOMPARE(StatusSense(), kStatusOk);
        QVERIFY(!EventChanged());
    }
    QVERIFY(PollStatus([] { return !IsPlaying(); }, 2000));
}

void TestCommandsOnModel::recorderDescribesItself()
{
    QCOMPARE(RecorderInfoRead(), kStatusOk);
    QCOMPARE(recorder.device->recorderKind, kRecorderKindXru);
    QCOMPARE(recorder.device->recorderSubKind, kRecorderSubKindSd);
    QCOMPARE(QString::fromLatin1(recorder.device->bitRateText.data()), QStringLiteral("50 Mb/s"));
    QVERIFY(PlayerModeAvailable());
}

void TestCommandsOnModel::fileListOfTheRecorder()
{
    QStringList names;
    QCOMPARE(ReadFileList(names), kStatusOk);
    QCOMPARE(names, (QStringList{"CLIP0001", "CLIP0002"}));
    QString loaded;
    QCOMPARE(CurrentFileSense(loaded), kStatusOk);
    QCOMPARE(loaded, QStringLiteral("CLIP0001"));
}

QTEST_GUILESS_MAIN(TestCommandsOnModel)
#include "tst_commandsonmodel.moc"
