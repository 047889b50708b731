// SPDX-License-Identifier: GPL-3.0-or-later
// The segment list on the real window against the simulated recorder: the
// rows a reload makes, create, cut and undo, copy and paste, renames and
// find, and the clicks.

#include "clipsfixture.h"

#include "protocol/transportcommands.h"
#include "ui/clips/segmentpage.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

// A PAL recorder (positions count fields, 50 a second) with one file loaded
// and segments cut from it.
#define LOADED_FILE "file = CLIP0000,120", "file = CLIP0001,60", "loaded = CLIP0000"

// Marks in and out on the recorder, as the operator does before a create.
void MarkInOut(quint32 in, quint32 out)
{
    CueUpToFrame(in);
    WaitCueUpComplete();
    InEntry();
    CueUpToFrame(out);
    WaitCueUpComplete();
    OutEntry();
}

void TypeIntoEntry(SegmentList *segments, const char *text)
{
    segments->lineEdit22_2->setText(QLatin1String(text));
    segments->lineEdit22_2_returnPressed();
}

using Rows = QList<std::tuple<int, quint32, quint32>>;

} // namespace

class SegmentListTest : public QObject
{
    Q_OBJECT

private slots:
    void reloadShowsEveryNumberTheRecorderHolds();
    void createFillsTheFirstGapAndRowsKeepTheirCells();
    void cutKeepsEveryRowsOwnCells();
    void refusedCutLeavesTheRow();
    void undoCopyAndPasteRecreateOnTheRecorder();
    void renamesAreUniqueAndFollowedByThePlaylist();
    void defaultNamesBelongToTheirNumbers();
    void findIgnoresCase();
    void renameDiskKeepsToFifteenCharacters();
    void clicksShowTheSourceAndPlay();
};

void SegmentListTest::reloadShowsEveryNumberTheRecorderHolds()
{
    ClipsFixture clips("127.0.50.1");
    QVERIFY2(clips.Connect({LOADED_FILE, "segment = 1,00:00:05:00,00:00:12:00",
                            "segment = 2,00:00:20:00,00:00:31:15,CLIP0001,12,34",
                            "segment = 5,00:01:00:00,00:01:10:00"}),
             qPrintable(clips.error));
    clips.List()->AppendRow("Seg-9");
    const quint16 counted = clips.Segments()->ModifiedCount();
    clips.ClearFrames();
    clips.Import();

    QCOMPARE(clips.FramesOf(0x62, 0x9A).size(), kLastSegmentNumber);
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), QStringList({"Seg-1", "Seg-2", "Seg-5"}));
    QCOMPARE(clips.Segmentation(), Rows({{1, 250, 600}, {2, 1000, 1580}, {5, 3000, 3500}}));
    QCOMPARE(getCell(1, kInTextCell, clips.SegmentTable()), QByteArray("00:00:20:00"));
    QCOMPARE(getCell(1, kOutTextCell, clips.SegmentTable()), QByteArray("00:00:31:15"));
    QCOMPARE(getCell(1, kNumbersCell, clips.SegmentTable()), QByteArray("000200120034"));
    QCOMPARE(clips.PlaylistTable()->rowCount(), 0);
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(counted + 1));
    QCOMPARE(clips.Segments()->textLabel1_3->text(), QStringLiteral("Created from :"));
    QVERIFY(clips.Segments()->EdDiskName->text().isEmpty());
    // The default recorder has two disks.
    QCOMPARE(clips.Segments()->diskTable.count, 2);
}

// The new segment takes the lowest free number and the row that keeps the
// numbers in order; the rows below it keep their own points.
void SegmentListTest::createFillsTheFirstGapAndRowsKeepTheirCells()
{
    ClipsFixture clips("127.0.50.2");
    QVERIFY2(clips.Connect({LOADED_FILE, "segment = 1,00:00:05:00,00:00:12:00",
                            "segment = 2,00:00:20:00,00:00:31:15",
                            "segment = 4,00:01:00:00,00:01:10:00"}),
             qPrintable(clips.error));
    clips.Import();
    QCOMPARE(nextFreeSegmentNumber(clips.SegmentTable()), quint16(3));

    MarkInOut(2000, 2200);
    const quint16 counted = clips.Segments()->ModifiedCount();
    clips.Segments()->OnPbClip();
    QCOMPARE(clips.Segmentation(),
             Rows({{1, 250, 600}, {2, 1000, 1580}, {3, 2000, 2200}, {4, 3000, 3500}}));
    QCOMPARE(clips.SegmentTable()->currentRow(), 2);
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(counted + 1));
    QVERIFY(clips.RecorderHas(3));

    MarkInOut(4000, 4100);
    clips.Segments()->DoCreateClip();
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()).last(), QStringLiteral("Seg-5"));
    QCOMPARE(nextFreeSegmentNumber(clips.SegmentTable()), quint16(6));

    // Without marked points the recorder refuses: no row, the operator is
    // told, and the change still counts.
    clips.sim.ForceReply(2, 0xAC, WireFrame({0x11, 0x12, 0x08}));
    clips.Segments()->DoCreateClip();
    QCOMPARE(clips.SegmentTable()->rowCount(), 5);
    QTRY_COMPARE(clips.answers.texts.size(), 1);
    QVERIFY(clips.answers.texts.first().startsWith(QLatin1String("The recorder did not create")));
}

void SegmentListTest::cutKeepsEveryRowsOwnCells()
{
    ClipsFixture clips("127.0.50.3");
    QVERIFY2(clips.Connect({LOADED_FILE, "segment = 1,00:00:05:00,00:00:12:00",
                            "segment = 2,00:00:20:00,00:00:31:15",
                            "segment = 3,00:01:00:00,00:01:10:00"}),
             qPrintable(clips.error));
    clips.Import();
    const quint16 counted = clips.Segments()->ModifiedCount();

    clips.SelectSegment("Seg-2");
    clips.Segments()->DoCut();
    QCOMPARE(clips.Segmentation(), Rows({{1, 250, 600}, {3, 3000, 3500}}));
    QCOMPARE(clips.SegmentTable()->currentRow(), 1);
    QVERIFY(!clips.RecorderHas(2));

    clips.Segments()->DoCut();
    QCOMPARE(clips.Segmentation(), Rows({{1, 250, 600}}));
    QCOMPARE(clips.SegmentTable()->currentRow(), 0);

    clips.Segments()->DoCut();
    QCOMPARE(clips.SegmentTable()->rowCount(), 0);
    QVERIFY(clips.SegmentTable()->selectedItems().isEmpty());
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(counted + 3));
    // With nothing selected there is nothing to cut.
    clips.ClearFrames();
    clips.Segments()->DoCut();
    QVERIFY(clips.FramesOf(0x42, 0x9B).isEmpty());
}

void SegmentListTest::refusedCutLeavesTheRow()
{
    ClipsFixture clips("127.0.50.4");
    QVERIFY2(clips.Connect(
                 {LOADED_FILE, "segment = 1,00:00:05:00,00:00:12:00", "answer = 42 9B, 11 12 08"}),
             qPrintable(clips.error));
    clips.Import();
    const quint16 counted = clips.Segments()->ModifiedCount();
    clips.SelectSegment("Seg-1");
    clips.Segments()->DoCut();
    QCOMPARE(clips.Segmentation(), Rows({{1, 250, 600}}));
    QCOMPARE(clips.Segments()->ModifiedCount(), counted);
    // Nothing was cut, so there is nothing to undo.
    clips.ClearFrames();
    clips.Segments()->DoUndo();
    QVERIFY(clips.FramesOf(0x22, 0xAC).isEmpty());
}

// Undo brings the segment last cut back under its own number while that is
// free; copies land on the lowest free number. Names of the operator's own
// stay, with a suffix when they would clash.
void SegmentListTest::undoCopyAndPasteRecreateOnTheRecorder()
{
    ClipsFixture clips("127.0.50.5");
    QVERIFY2(clips.Connect({LOADED_FILE, "segment = 1,00:00:05:00,00:00:12:00",
                            "segment = 2,00:00:20:00,00:00:31:15,CLIP0001",
                            "segment = 3,00:01:00:00,00:01:10:00"}),
             qPrintable(clips.error));
    clips.Import();
    SegmentList *segments = clips.Segments();
    clips.SelectSegment("Seg-2");
    segments->DoRenameClip();
    TypeIntoEntry(segments, "Intro");

    clips.SelectSegment("Intro");
    segments->DoCut();
    quint16 counted = segments->ModifiedCount();
    clips.ClearFrames();
    segments->DoUndo();
    QCOMPARE(clips.Segmentation(), Rows({{1, 250, 600}, {2, 1000, 1580}, {3, 3000, 3500}}));
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), QStringList({"Seg-1", "Intro", "Seg-3"}));
    QCOMPARE(segments->ModifiedCount(), quint16(counted + 1));
    // The segment came from another file, which is loaded before marking.
    QCOMPARE(clips.FramesOf(0x48, 0x14).size(), 1);
    // One undo only.
    clips.ClearFrames();
    segments->DoUndo();
    QVERIFY(clips.FramesOf(0x22, 0xAC).isEmpty());

    // Undo after the number was taken again: the next free number.
    segments->DoCut();
    MarkInOut(4000, 4100);
    segments->DoCreateClip();
    segments->DoUndo();
    QCOMPARE(clips.RowOf("Intro"), 3);
    QCOMPARE(clips.Segmentation().at(3), std::make_tuple(4, quint32(1000), quint32(1580)));

    clips.SelectSegment("Intro");
    segments->DoCopy();
    counted = segments->ModifiedCount();
    segments->DoPaste();
    QCOMPARE(clips.Segmentation().last(), std::make_tuple(5, quint32(1000), quint32(1580)));
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()).last(), QStringLiteral("Intro-2"));
    QCOMPARE(segments->ModifiedCount(), quint16(counted + 1));

    clips.SelectSegment("Seg-1");
    segments->DoCopy();
    segments->DoPaste();
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()).last(), QStringLiteral("Seg-6"));
    QCOMPARE(clips.Segmentation().last(), std::make_tuple(6, quint32(250), quint32(600)));
}

// Names are unique with their case: INTRO and intro may both exist. A name
// that does not fit its cell, or none at all, is refused and the row keeps
// its name; playlist rows follow a rename.
void SegmentListTest::renamesAreUniqueAndFollowedByThePlaylist()
{
    ClipsFixture clips("127.0.50.6");
    QVERIFY2(clips.Connect({LOADED_FILE, "segment = 1,00:00:05:00,00:00:12:00",
                            "segment = 2,00:00:20:00,00:00:31:15"}),
             qPrintable(clips.error));
    clips.Import();
    SegmentList *segments = clips.Segments();
    clips.List()->AppendRow("Seg-1");
    clips.List()->AppendRow("Seg-2");
    clips.List()->AppendRow("Seg-1");

    clips.SelectSegment("Seg-1");
    segments->DoRenameClip();
    QCOMPARE(segments->lineEdit22_2->text(), QStringLiteral("Seg-1"));
    QCOMPARE(segments->EditLabel2->text(), QStringLiteral("New segment name :"));
    const quint16 counted = segments->ModifiedCount();
    clips.ClearFrames();
    TypeIntoEntry(segments, "INTRO");
    QVERIFY(clips.sim.ReceivedFrames().isEmpty());
    QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()), QStringList({"INTRO", "Seg-2", "INTRO"}));
    QCOMPARE(segments->ModifiedCount(), quint16(counted + 1));
    QVERIFY(segments->EditLabel2->text().isEmpty());
    QVERIFY(!segments->EntryActive());

    clips.SelectSegment("Seg-2");
    segments->DoRenameClip();
    TypeIntoEntry(segments, "INTRO");
    QTRY_COMPARE(clips.answers.texts, QStringList({"Name already exists !!!"}));
    for (const char *refused : {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456", ""}) {
        segments->DoRenameClip();
        TypeIntoEntry(segments, refused);
    }
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), QStringList({"INTRO", "Seg-2"}));
    QCOMPARE(segments->ModifiedCount(), quint16(counted + 1));
    QTRY_COMPARE(clips.answers.texts.size(), 2);
    QCOMPARE(clips.answers.texts.last(),
             QStringLiteral("Segment name length is limited to 32 characters."));

    // Return on the page's Enter key serves the entry as well.
    segments->DoRenameClip();
    segments->lineEdit22_2->setText(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"));
    clips.window->segment->pb_Enter->click();
    segments->DoRenameClip();
    TypeIntoEntry(segments, "intro");
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), QStringList({"INTRO", "intro"}));
    QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()), QStringList({"INTRO", "intro", "INTRO"}));
}

// "Seg-<n>" is segment n's alone: a rename to another number's default
// name is refused, so a segment made later under that number never meets
// its name on another row.
void SegmentListTest::defaultNamesBelongToTheirNumbers()
{
    ClipsFixture clips("127.0.50.10");
    QVERIFY2(clips.Connect({LOADED_FILE, "segment = 1,00:00:05:00,00:00:12:00",
                            "segment = 2,00:00:20:00,00:00:31:15"}),
             qPrintable(clips.error));
    clips.Import();
    SegmentList *segments = clips.Segments();
    for (const char *taken : {"Seg-3", "Seg-03", "Seg-2"}) {
        clips.SelectSegment("Seg-1");
        segments->DoRenameClip();
        TypeIntoEntry(segments, taken);
    }
    QTRY_COMPARE(clips.answers.texts,
                 (QStringList{"The name Seg-3 belongs to segment 3.",
                              "The name Seg-03 belongs to segment 3.", "Name already exists !!!"}));
    MarkInOut(4000, 4100);
    segments->DoCreateClip();
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), (QStringList{"Seg-1", "Seg-2", "Seg-3"}));
}

void SegmentListTest::findIgnoresCase()
{
    ClipsFixture clips("127.0.50.7");
    QVERIFY2(clips.Connect({LOADED_FILE, "segment = 1,00:00:05:00,00:00:12:00",
                            "segment = 2,00:00:20:00,00:00:31:15"}),
             qPrintable(clips.error));
    clips.Import();
    SegmentList *segments = clips.Segments();
    clips.SelectSegment("Seg-2");
    segments->DoRenameClip();
    TypeIntoEntry(segments, "INTRO");
    clips.SelectSegment("Seg-1");

    segments->DoFind();
    QCOMPARE(segments->EditLabel2->text(), QStringLiteral("Find segment :"));
    TypeIntoEntry(segments, "intro");
    QCOMPARE(clips.SegmentTable()->currentRow(), 1);
    // No match, and a text longer than any name, change nothing.
    for (const char *missing : {"outro", "INTROABCDEFGHIJKLMNOPQRSTUVWXYZ01"}) {
        clips.SelectSegment("Seg-1");
        segments->DoFind();
        TypeIntoEntry(segments, missing);
        QCOMPARE(clips.SegmentTable()->currentRow(), 0);
    }
}

void SegmentListTest::renameDiskKeepsToFifteenCharacters()
{
    ClipsFixture clips("127.0.50.8");
    QVERIFY2(clips.Connect({"generation = dv", "disk_name = OLD NAME"}), qPrintable(clips.error));
    SegmentList *segments = clips.Segments();
    QCOMPARE(segments->textLabel1_3->text(), QStringLiteral("Disk name :"));
    QCOMPARE(segments->EdDiskName->text(), QStringLiteral("OLD NAME"));

    clips.ClearFrames();
    segments->DoRenameDisk();
    QCOMPARE(segments->EditLabel2->text(), QStringLiteral("New Disk Name :"));
    TypeIntoEntry(segments, "A NAME TOO LONG!");
    QTRY_COMPARE(clips.answers.texts,
                 QStringList({"Disk name length is limited to 15 characters."}));
    QVERIFY(clips.FramesOf(0x4F, 0xA1).isEmpty());
    QCOMPARE(segments->EdDiskName->text(), QStringLiteral("OLD NAME"));

    segments->DoRenameDisk();
    TypeIntoEntry(segments, "STUDIO B");
    QCOMPARE(clips.FramesOf(0x48, 0xA1).size(), 1);
    QCOMPARE(QByteArray(segments->diskTable.name.data()), QByteArray("STUDIO B"));
    segments->ShowDiskInformation();
    QCOMPARE(segments->EdDiskName->text(), QStringLiteral("STUDIO B"));
}

// The left button on a name shows the file the segment was cut from ("XXX"
// names no file); the right one renames while the playlist is empty. A
// double click plays the segment or cues the recorder to a point of it in
// its own file.
void SegmentListTest::clicksShowTheSourceAndPlay()
{
    ClipsFixture clips("127.0.50.9");
    QVERIFY2(clips.Connect({LOADED_FILE, "segment = 1,00:00:05:00,00:00:12:00,CLIP0001",
                            "segment = 2,00:00:20:00,00:00:31:15,XXX00001"}),
             qPrintable(clips.error));
    clips.Import();
    SegmentList *segments = clips.Segments();

    segments->TableClipList_clicked(0, kNameCell);
    QCOMPARE(segments->EdDiskName->text(), QStringLiteral("CLIP0001"));
    QCOMPARE(clips.List()->CurrentSegmentNumber(), quint16(1));
    segments->TableClipList_clicked(1, kNameCell);
    QVERIFY(segments->EdDiskName->text().isEmpty());

    segments->TableClipList_clicked(1, kNameCell, Qt::RightButton);
    QCOMPARE(segments->lineEdit22_2->text(), QStringLiteral("Seg-2"));
    QVERIFY(segments->EntryActive());
    clips.window->segment->pbEsc2_clicked();
    QVERIFY(!segments->EntryActive());
    clips.List()->AppendRow("Seg-1");
    segments->TableClipList_clicked(1, kNameCell, Qt::RightButton);
    QVERIFY(!segments->EntryActive());

    clips.ClearFrames();
    segments->TableClipList_doubleClicked(1, kNameCell);
    QCOMPARE(clips.FramesOf(0x25, 0xA7),
             QList<QByteArray>{WireFrame({0x25, 0xA7, 0x40, 0x00, 0x01, 0x00, 0x02})});
    clips.ClearFrames();
    segments->TableClipList_doubleClicked(0, kOutTextCell);
    QCOMPARE(clips.FramesOf(0x48, 0x14).size(), 1);
    // 00:00:12:00 on a PAL recorder, by timecode.
    QCOMPARE(clips.FramesOf(0x25, 0x31),
             QList<QByteArray>{WireFrame({0x25, 0x31, 0x00, 0x12, 0x00, 0x00, 0x00})});
}

QTEST_MAIN(SegmentListTest)
#include "tst_segmentlist.moc"
