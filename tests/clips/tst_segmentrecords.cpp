// SPDX-License-Identifier: GPL-3.0-or-later
// Stored segments (as a playlist file holds them) re-created on the
// simulated recorder through the segment list.

#include "clipsfixture.h"

#include "ui/clips/kplforms.h"

#include <QLineEdit>
#include <QTest>

namespace {

SegmentRecord Record(const char *name, quint32 in, quint32 out)
{
    SegmentRecord record;
    record.inPoint = in;
    record.outPoint = out;
    SetRecordName(record, QByteArray(name));
    return record;
}

using Rows = QList<std::tuple<int, quint32, quint32>>;

} // namespace

class SegmentRecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void defaultNamesKeepTheirNumbers();
    void farPointsAreCuedByFrame();
    void nothingWithoutRecorderOrSending();
};

// "Seg-12" is segment 12 again; "Intro" takes the next free number and keeps
// its name. A default name whose number is taken takes the default name of
// the number it is made under; one that only looks like a default name is a
// name of the operator's own.
void SegmentRecordsTest::defaultNamesKeepTheirNumbers()
{
    ClipsFixture clips("127.0.54.1");
    QVERIFY2(clips.Connect({"file = CLIP0000,120", "loaded = CLIP0000",
                            "segment = 1,00:00:05:00,00:00:12:00",
                            "segment = 2,00:00:20:00,00:00:31:00"}),
             qPrintable(clips.error));
    clips.Import();
    SegmentList *segments = clips.Segments();
    const quint16 counted = segments->ModifiedCount();

    clips.ClearFrames();
    QVERIFY(segments->addSegmentFromRecord(Record("Seg-12", 2000, 2200), true));
    QCOMPARE(clips.FramesOf(0x22, 0xAC), QList<QByteArray>{WireFrame({0x22, 0xAC, 0x00, 0x12})});
    // 2000 fields on a PAL recorder: 00:00:40:00, cued by timecode.
    QCOMPARE(clips.FramesOf(0x25, 0x31).first(),
             WireFrame({0x25, 0x31, 0x00, 0x40, 0x00, 0x00, 0x00}));
    QCOMPARE(clips.FramesOf(0x40, 0x10).size(), 1);
    QCOMPARE(clips.FramesOf(0x40, 0x11).size(), 1);

    QVERIFY(segments->addSegmentFromRecord(Record("Intro", 2400, 2600), true));
    QVERIFY(segments->addSegmentFromRecord(Record("Seg-1", 2800, 2900), true));
    QVERIFY(segments->addSegmentFromRecord(Record("MySeg-2", 3000, 3100), true));
    QCOMPARE(clips.Segmentation(), Rows({{1, 250, 600},
                                         {2, 1000, 1550},
                                         {3, 2400, 2600},
                                         {4, 2800, 2900},
                                         {5, 3000, 3100},
                                         {12, 2000, 2200}}));
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()),
             QStringList({"Seg-1", "Seg-2", "Intro", "Seg-4", "MySeg-2", "Seg-12"}));
    QCOMPARE(clips.SegmentTable()->currentRow(), 4);
    QCOMPARE(segments->ModifiedCount(), quint16(counted + 4));

    // "Seg-2" stays segment 2's name after segment 2 was renamed; a name
    // that a playlist file could not keep (an older file's name opening
    // with a line end) is not taken either.
    SelectOnlyRow(1, clips.SegmentTable());
    segments->DoRenameClip();
    segments->lineEdit22_2->setText(QStringLiteral("Opening"));
    segments->lineEdit22_2_returnPressed();
    QVERIFY(segments->addSegmentFromRecord(Record("Seg-2", 3200, 3300), true));
    QVERIFY(segments->addSegmentFromRecord(Record("\rIntro", 3400, 3500), true));
    QCOMPARE(
        ClipsFixture::Names(clips.SegmentTable()),
        QStringList({"Seg-1", "Opening", "Intro", "Seg-4", "MySeg-2", "Seg-6", "Seg-7", "Seg-12"}));
}

// The timecode form reaches 48 hours; a point beyond is cued by its frame
// number, as the list's own cues do.
void SegmentRecordsTest::farPointsAreCuedByFrame()
{
    ClipsFixture clips("127.0.54.2");
    QVERIFY2(clips.Connect({"file = CLIP0000,120", "loaded = CLIP0000"}), qPrintable(clips.error));
    clips.ClearFrames();
    clips.Segments()->addSegmentFromRecord(Record("Far", 0x00989680, 0x0098A000), true);
    QCOMPARE(clips.FramesOf(0x24, 0x9D),
             QList<QByteArray>({WireFrame({0x24, 0x9D, 0x00, 0x98, 0x96, 0x80}),
                                WireFrame({0x24, 0x9D, 0x00, 0x98, 0xA0, 0x00})}));
    QVERIFY(clips.FramesOf(0x25, 0x31).isEmpty());
}

void SegmentRecordsTest::nothingWithoutRecorderOrSending()
{
    ClipsFixture clips("127.0.54.3");
    QVERIFY2(clips.Connect({"file = CLIP0000,120", "loaded = CLIP0000"}), qPrintable(clips.error));
    const quint16 counted = clips.Segments()->ModifiedCount();
    clips.ClearFrames();
    QVERIFY(!clips.Segments()->addSegmentFromRecord(Record("Seg-3", 100, 200), false));
    DeviceRecord *device = CurrentDevice;
    CurrentDevice = nullptr;
    QVERIFY(!clips.Segments()->addSegmentFromRecord(Record("Seg-3", 100, 200), true));
    CurrentDevice = device;
    QVERIFY(clips.sim.ReceivedFrames().isEmpty());
    QCOMPARE(clips.SegmentTable()->rowCount(), 0);
    QCOMPARE(clips.Segments()->ModifiedCount(), counted);
}

QTEST_MAIN(SegmentRecordsTest)
#include "tst_segmentrecords.moc"
