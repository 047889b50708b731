// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and erasing every segment number: what a faulty recorder's answers
// do to the list, a recorder that falls silent halfway, the progress dialog
// that holds the window meanwhile, and the reload that follows the timer
// mode.

#include "clipsfixture.h"

#include "protocol/recorderstate.h"
#include "protocol/transportcommands.h"
#include "ui/common/busyprogress.h"

#include <QCursor>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

using Rows = QList<std::tuple<int, quint32, quint32>>;

// What the window looks like while long work runs, seen from a timer that
// fires between the exchanges.
struct BusyLook
{
    bool dialogModal = false;
    bool waitCursor = false;
    bool pollingRunning = false;
    bool cancelOffered = false;
    int progress = 0;
};

class BusyWatch
{
public:
    // With `cancelAt`, presses Cancel once the progress has passed it.
    explicit BusyWatch(ClipsFixture &clips, int cancelAt = -1)
    {
        QTimer *idleTimer = clips.window->findChild<QTimer *>(QStringLiteral("idleTimer"));
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this, idleTimer, cancelAt] {
            auto *dialog = qobject_cast<BusyDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            look.dialogModal = dialog->isVisible() && dialog->isModal();
            look.waitCursor = QApplication::overrideCursor() &&
                              QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            look.pollingRunning = look.pollingRunning || idleTimer->isActive();
            look.cancelOffered = dialog->pbCancel != nullptr;
            look.progress = dialog->progressBar->value();
            if (cancelAt >= 0 && look.progress > cancelAt && dialog->pbCancel)
                dialog->pbCancel->click();
        });
        timer.start();
    }

    QTimer timer;
    BusyLook look;
    bool seen = false;
};

} // namespace

class SegmentReloadTest : public QObject
{
    Q_OBJECT

private slots:
    void faultyAnswersLeaveEveryRowItsOwn();
    void recorderFallingSilentEndsTheReload();
    void reloadShowsProgressAndHoldsThePolling();
    void cancelStopsTheReloadCleanly();
    void eraseAllDeletesEveryNumber();
    void timerModeChangeReloads();
    void pelletKeepsNoSegments();
};

// Short answers and answers of another group give no row; points out of
// order or beyond 48 hours are shown as the recorder gave them, and the
// latter are cued by frame number.
void SegmentReloadTest::faultyAnswersLeaveEveryRowItsOwn()
{
    ClipsFixture clips("127.0.51.1");
    QVERIFY2(clips.Connect(
                 {"file = CLIP0000,120", "loaded = CLIP0000", "segment = 1,00:00:05:00,00:00:12:00",
                  "segment = 2,00:00:20:00,00:00:31:00", "segment = 3,00:01:00:00,00:01:10:00",
                  "answer = 62 9A 00 02, 76 9A 00 00 00 C8 00 00",
                  "answer = 62 9A 00 03, 5C 9A 00 00 00 64 00 00 00 C8 00 00 00 00",
                  "raw_segment = 6,500,100", "raw_segment = 7,0x00989680,0x0098A000",
                  "raw_segment = 8,4319999,4320100", "raw_segment = 9,4320000,4320100"}),
             qPrintable(clips.error));
    clips.Import();
    QCOMPARE(clips.Segmentation(), Rows({{1, 250, 600},
                                         {6, 500, 100},
                                         {7, 10000000, 10002432},
                                         {8, 4319999, 4320100},
                                         {9, 4320000, 4320100}}));
    QCOMPARE(getCell(2, kInTextCell, clips.SegmentTable()), QByteArray("55:33:20:00"));

    clips.ClearFrames();
    clips.SelectSegment("Seg-8");
    clips.Segments()->DoGotoIn();
    clips.SelectSegment("Seg-9");
    clips.Segments()->DoGotoIn();
    // Just below the limit by timecode (4319999 fields, 23:59:59:24), at the
    // limit by frame number.
    QCOMPARE(clips.FramesOf(0x25, 0x31),
             QList<QByteArray>{WireFrame({0x25, 0x31, 0x24, 0x59, 0x59, 0x23, 0x00})});
    QCOMPARE(clips.FramesOf(0x24, 0x9D),
             QList<QByteArray>{WireFrame({0x24, 0x9D, 0x00, 0x41, 0xEB, 0x00})});
}

// Once the engine has given the recorder up, the reload stops instead of
// waiting out every number left; the rows read so far stay.
void SegmentReloadTest::recorderFallingSilentEndsTheReload()
{
    ClipsFixture clips("127.0.51.2");
    QVERIFY2(
        clips.Connect({"segment = 1,00:00:05:00,00:00:12:00", "segment = 9,00:00:20:00,00:00:31:00",
                       "segment = 11,00:01:00:00,00:01:10:00", "fall_silent = 62 9A 00 10"}),
        qPrintable(clips.error));
    clips.ClearFrames();
    clips.Import();
    QCOMPARE(clips.Segmentation(), Rows({{1, 250, 600}, {9, 1000, 1550}}));
    QVERIFY2(clips.FramesOf(0x62, 0x9A).size() < 20,
             qPrintable(QString::number(clips.FramesOf(0x62, 0x9A).size())));
    QVERIFY(CurrentDevice->disconnected);
    clips.Tick();
    QVERIFY(clips.window->windowTitle().endsWith(QLatin1String("[Disconnected ?].")));
}

// The window repaints under a modal progress dialog with the wait cursor,
// and the polling waits until the reload is done.
void SegmentReloadTest::reloadShowsProgressAndHoldsThePolling()
{
    ClipsFixture clips("127.0.51.3");
    QVERIFY2(clips.Connect({"segment = 1,00:00:05:00,00:00:12:00"}), qPrintable(clips.error));
    clips.window->ResumePolling();
    QTimer *idleTimer = clips.window->findChild<QTimer *>(QStringLiteral("idleTimer"));
    QVERIFY(idleTimer->isActive());
    BusyWatch watch(clips);
    clips.Import();
    QVERIFY(watch.seen);
    QVERIFY(watch.look.dialogModal);
    QVERIFY(watch.look.waitCursor);
    QVERIFY(!watch.look.pollingRunning);
    QVERIFY(watch.look.cancelOffered);
    QVERIFY(watch.look.progress > 0);
    QVERIFY(idleTimer->isActive());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(clips.SegmentTable()->rowCount(), 1);
}

void SegmentReloadTest::cancelStopsTheReloadCleanly()
{
    ClipsFixture clips("127.0.51.4");
    QVERIFY2(clips.Connect(
                 {"segment = 1,00:00:05:00,00:00:12:00", "segment = 2000,00:00:20:00,00:00:31:00"}),
             qPrintable(clips.error));
    BusyWatch watch(clips, 100);
    clips.ClearFrames();
    clips.Import();
    QVERIFY(clips.FramesOf(0x62, 0x9A).size() < kLastSegmentNumber);
    QCOMPARE(clips.Segmentation(), Rows({{1, 250, 600}}));
    QVERIFY(!QApplication::activeModalWidget());
}

// Numbers need not follow each other: a segment beyond a gap goes as well.
void SegmentReloadTest::eraseAllDeletesEveryNumber()
{
    ClipsFixture clips("127.0.51.5");
    QVERIFY2(
        clips.Connect({"segment = 1,00:00:05:00,00:00:12:00", "segment = 2,00:00:20:00,00:00:31:00",
                       "segment = 4,00:01:00:00,00:01:10:00"}),
        qPrintable(clips.error));
    clips.Import();
    clips.List()->AppendRow("Seg-1");
    SegmentList *segments = clips.Segments();

    clips.ClearFrames();
    clips.answers.Press(QStringLiteral("&Cancel"));
    segments->Menu_Segment_Clear_all_activated();
    QVERIFY(clips.FramesOf(0x42, 0x9B).isEmpty());
    QCOMPARE(clips.SegmentTable()->rowCount(), 3);

    const quint16 counted = segments->ModifiedCount();
    BusyWatch watch(clips);
    clips.answers.Press(QStringLiteral("&Ok"));
    segments->Menu_Segment_Clear_all_activated();
    QCOMPARE(clips.answers.texts.last(),
             QStringLiteral("You are about to erase the internal segments !!!, Are you sure ?"));
    QCOMPARE(clips.FramesOf(0x42, 0x9B).size(), kLastSegmentNumber);
    QCOMPARE(clips.SegmentTable()->rowCount(), 0);
    QCOMPARE(clips.PlaylistTable()->rowCount(), 0);
    QCOMPARE(segments->ModifiedCount(), quint16(counted + 1));
    QVERIFY(!clips.RecorderHas(4));
    QVERIFY(watch.seen && !watch.look.cancelOffered);
}

// A timer mode the recorder reports changed makes the polling read the list
// again, once; the AT/TC key's own reload leaves the polling nothing to do.
void SegmentReloadTest::timerModeChangeReloads()
{
    ClipsFixture clips("127.0.51.6");
    QVERIFY2(clips.Connect({"segment = 1,00:00:05:00,00:00:12:00"}), qPrintable(clips.error));
    TimerModeSelect(kTimerModeTimer);
    QVERIFY(clips.Tick().count(WireFrame({0x62, 0x9A, 0x00, 0x01})) == 0);

    clips.Import();
    TimerModeSelect(kTimerModeTimecode);
    QCOMPARE(clips.Tick().count(WireFrame({0x62, 0x9A, 0x00, 0x01})), 1);
    QCOMPARE(clips.SegmentTable()->rowCount(), 1);
    QCOMPARE(clips.Tick().count(WireFrame({0x62, 0x9A, 0x00, 0x01})), 0);

    TimerModeSelect(kTimerModeTimer);
    clips.window->reloadSegmentList();
    QCOMPARE(clips.Tick().count(WireFrame({0x62, 0x9A, 0x00, 0x01})), 0);
}

void SegmentReloadTest::pelletKeepsNoSegments()
{
    ClipsFixture clips("127.0.51.7");
    QVERIFY2(clips.Connect({"generation = pellet"}), qPrintable(clips.error));
    clips.ClearFrames();
    clips.Segments()->reloadSegmentList();
    QVERIFY(clips.FramesOf(0x62, 0x9A).isEmpty());
    QVERIFY(clips.FramesOf(0x62, 0xA6).isEmpty());
}

QTEST_MAIN(SegmentReloadTest)
#include "tst_segmentreload.moc"
