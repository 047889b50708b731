// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist on the real window against the simulated recorder: editing,
// stepping and its wrap, the link to the next segment, the polling tick that
// follows the recorder's playback, and the export of the chain.

#include "clipsfixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

#define THREE_SEGMENTS                                                                             \
    "file = CLIP0000,120", "loaded = CLIP0000", "segment = 1,00:00:05:00,00:00:12:00",             \
        "segment = 2,00:00:20:00,00:00:31:00", "segment = 3,00:01:00:00,00:01:10:00"

// The playlist's rows by the names of the list's segments, in order.
void FillPlaylist(ClipsFixture &clips, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        clips.SelectSegment(name);
        clips.Segments()->DoCopyToEnd();
    }
}

// Renames a segment of the list through the name entry, as the operator does.
void Rename(ClipsFixture &clips, const char *from, const char *to)
{
    clips.SelectSegment(from);
    clips.Segments()->DoRenameClip();
    clips.Segments()->lineEdit22_2->setText(QLatin1String(to));
    clips.Segments()->lineEdit22_2_returnPressed();
}

QByteArray PlaySegmentFrame(quint8 number)
{
    return WireFrame({0x25, 0xA7, 0x40, 0x00, 0x01, 0x00, number});
}

// The frames of the chain and of playback, in order, leaving out the status
// and time senses that go between them.
QList<QByteArray> ChainFrames(const ClipsFixture &clips)
{
    QList<QByteArray> chain;
    for (const QByteArray &frame : clips.sim.ReceivedFrames()) {
        const quint8 cmd1 = quint8(frame[0]);
        const quint8 cmd2 = quint8(frame[1]);
        if ((cmd1 == 0x44 && (cmd2 == 0x96 || cmd2 == 0x97)) || (cmd1 == 0x25 && cmd2 == 0xA7) ||
            (cmd1 == 0x20 && cmd2 == 0x00) || (cmd1 == 0x40 && cmd2 == 0x9E))
            chain << frame;
    }
    return chain;
}

const QByteArray kStopFrame = WireFrame({0x20, 0x00});
const QByteArray kAckEventFrame = WireFrame({0x40, 0x9E});

} // namespace

class PlaylistTest : public QObject
{
    Q_OBJECT

private slots:
    void insertAndRemoveKeepTheSelectionInPlace();
    void entriesRespectTheEditGuard();
    void stepWrapsButTheLinkWrapsOnlyWithLoop();
    void tickFollowsThePlaybackAndLetsGoOnce();
    void playNeedsTheSegmentInTheList();
    void exportSendsTheChain();
    void exportOfMissingOrCaseTwinSegments();
    void everyPathResolvesANameOneWay();
};

// Without a selected row an insert appends; before row 0 it goes to the top.
// Removing selects the row that takes the removed one's place.
void PlaylistTest::insertAndRemoveKeepTheSelectionInPlace()
{
    ClipsFixture clips("127.0.52.1");
    QVERIFY2(clips.Connect({THREE_SEGMENTS}), qPrintable(clips.error));
    clips.Import();
    Playlist *playlist = clips.List();
    const auto segmentation = clips.Segmentation();
    const quint16 counted = clips.Segments()->ModifiedCount();

    clips.SelectSegment("Seg-1");
    playlist->OnPbAddAfter();
    clips.SelectSegment("Seg-2");
    playlist->OnPbAddBefore();
    clips.SelectSegment("Seg-3");
    playlist->OnPbAddAfter();
    QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()), QStringList({"Seg-2", "Seg-3", "Seg-1"}));
    QCOMPARE(clips.PlaylistTable()->currentRow(), 1);
    clips.Segments()->DoCopyToTimeline();
    QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()),
             QStringList({"Seg-2", "Seg-3", "Seg-3", "Seg-1"}));
    QCOMPARE(clips.PlaylistTable()->currentRow(), 1);
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(counted + 4));

    SelectOnlyRow(3, clips.PlaylistTable());
    playlist->OnPbRemove();
    QCOMPARE(clips.PlaylistTable()->currentRow(), 2);
    SelectOnlyRow(0, clips.PlaylistTable());
    playlist->OnPbRemove();
    QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()), QStringList({"Seg-3", "Seg-3"}));
    QCOMPARE(clips.PlaylistTable()->currentRow(), 0);
    playlist->OnPbRemove();
    playlist->OnPbRemove();
    QCOMPARE(clips.PlaylistTable()->rowCount(), 0);
    QVERIFY(clips.PlaylistTable()->selectedItems().isEmpty());
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(counted + 8));
    QCOMPARE(clips.Segmentation(), segmentation);

    FillPlaylist(clips, {"Seg-1", "Seg-2"});
    playlist->OnPbRemoveAll();
    QCOMPARE(clips.PlaylistTable()->rowCount(), 0);
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(counted + 11));
}

// Without a recorder the entries that edit do nothing; remove needs none.
void PlaylistTest::entriesRespectTheEditGuard()
{
    ClipsFixture clips("127.0.52.2");
    QVERIFY2(clips.Connect({THREE_SEGMENTS}), qPrintable(clips.error));
    clips.Import();
    FillPlaylist(clips, {"Seg-1"});
    const quint16 counted = clips.Segments()->ModifiedCount();
    DeviceRecord *device = CurrentDevice;
    CurrentDevice = nullptr;
    clips.SelectSegment("Seg-2");
    clips.List()->OnPbAddAfter();
    clips.Segments()->DoCopyToEnd();
    clips.Segments()->DoCopy();
    clips.Segments()->DoPaste();
    clips.Segments()->DoCut();
    QCOMPARE(clips.PlaylistTable()->rowCount(), 1);
    QCOMPARE(clips.SegmentTable()->rowCount(), 3);
    clips.List()->OnPbRemove();
    QCOMPARE(clips.PlaylistTable()->rowCount(), 0);
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(counted + 1));
    CurrentDevice = device;
}

// Next from the last row plays the first again, but the recorder is told to
// go on from the last row only while the loop key is on. A step while the
// recorder plays stops it and takes the links made for it back at once.
void PlaylistTest::stepWrapsButTheLinkWrapsOnlyWithLoop()
{
    ClipsFixture clips("127.0.52.3");
    QVERIFY2(clips.Connect({THREE_SEGMENTS}), qPrintable(clips.error));
    clips.Import();
    FillPlaylist(clips, {"Seg-1", "Seg-2", "Seg-3"});
    Playlist *playlist = clips.List();

    SelectOnlyRow(1, clips.PlaylistTable());
    clips.ClearFrames();
    playlist->OnPbNext();
    QCOMPARE(clips.PlaylistTable()->currentRow(), 2);
    QCOMPARE(ChainFrames(clips), QList<QByteArray>({PlaySegmentFrame(3), PairFrame(3, 0)}));
    QCOMPARE(playlist->CurrentSegmentNumber(), quint16(3));

    playlist->pbLoop->setChecked(true);
    clips.ClearFrames();
    playlist->OnPbNext();
    QCOMPARE(clips.PlaylistTable()->currentRow(), 0);
    QCOMPARE(ChainFrames(clips), QList<QByteArray>({kStopFrame, PairFrame(3, 0),
                                                    PlaySegmentFrame(1), PairFrame(1, 2)}));

    clips.ClearFrames();
    playlist->OnPbPrevious();
    QCOMPARE(clips.PlaylistTable()->currentRow(), 2);
    QCOMPARE(ChainFrames(clips), QList<QByteArray>({kStopFrame, PairFrame(1, 0), PairFrame(2, 0),
                                                    PlaySegmentFrame(3), PairFrame(3, 1)}));

    clips.ClearFrames();
    playlist->pbPause_pressed();
    QCOMPARE(ChainFrames(clips), QList<QByteArray>{PairFrame(3, 0)});
}

// As the recorder goes on into the linked segment, the selection follows
// one row and the link moves on; once it stops, the links go, once.
void PlaylistTest::tickFollowsThePlaybackAndLetsGoOnce()
{
    ClipsFixture clips("127.0.52.4");
    QVERIFY2(clips.Connect({THREE_SEGMENTS}), qPrintable(clips.error));
    clips.Import();
    FillPlaylist(clips, {"Seg-1", "Seg-2", "Seg-3"});
    Playlist *playlist = clips.List();
    SelectOnlyRow(0, clips.PlaylistTable());
    playlist->pbStart_pressed();
    QCOMPARE(playlist->NextSegmentNumber(), quint16(2));

    // Segment 1 lasts 7 s.
    clips.sim.AdvanceClock(7500);
    clips.ClearFrames();
    clips.Tick();
    QCOMPARE(ChainFrames(clips),
             QList<QByteArray>({kAckEventFrame, PairFrame(1, 0), PairFrame(2, 3)}));
    QCOMPARE(clips.FramesOf(0x60, 0x98).size(), 1);
    QCOMPARE(clips.PlaylistTable()->currentRow(), 1);
    QCOMPARE(playlist->CurrentSegmentNumber(), quint16(2));
    QCOMPARE(playlist->NextSegmentNumber(), quint16(3));

    playlist->pbAbort_pressed();
    clips.ClearFrames();
    clips.Tick();
    QCOMPARE(ChainFrames(clips), QList<QByteArray>({PairFrame(2, 0), PairFrame(3, 0)}));
    clips.ClearFrames();
    clips.Tick();
    QVERIFY(ChainFrames(clips).isEmpty());
    QCOMPARE(playlist->CurrentSegmentNumber(), quint16(0));
}

// A row whose segment has gone from the list plays nothing; a name of the
// full 32 characters plays like any other.
void PlaylistTest::playNeedsTheSegmentInTheList()
{
    ClipsFixture clips("127.0.52.5");
    QVERIFY2(clips.Connect({THREE_SEGMENTS}), qPrintable(clips.error));
    clips.Import();
    Rename(clips, "Seg-1", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
    FillPlaylist(clips, {"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "Seg-2"});

    SelectOnlyRow(0, clips.PlaylistTable());
    clips.ClearFrames();
    clips.List()->pbStartPlaylist_pressed();
    QCOMPARE(ChainFrames(clips), QList<QByteArray>({PlaySegmentFrame(1), PairFrame(1, 2)}));

    clips.List()->pbAbort_pressed();
    clips.Tick();
    clips.SelectSegment("Seg-2");
    clips.Segments()->DoCut();
    SelectOnlyRow(1, clips.PlaylistTable());
    clips.ClearFrames();
    clips.List()->TablePlaylist_doubleClicked(1, 0);
    QVERIFY(clips.FramesOf(0x25, 0xA7).isEmpty());
}

void PlaylistTest::exportSendsTheChain()
{
    ClipsFixture clips("127.0.52.6");
    QVERIFY2(clips.Connect({THREE_SEGMENTS}), qPrintable(clips.error));
    clips.Import();
    FillPlaylist(clips, {"Seg-1", "Seg-2", "Seg-3"});
    clips.ClearFrames();
    clips.List()->DoExport();
    QCOMPARE(ChainFrames(clips),
             QList<QByteArray>({StartFrame(1), PairFrame(1, 2), PairFrame(2, 3), PairFrame(3, 0)}));

    clips.List()->MClearPlaylist();
    FillPlaylist(clips, {"Seg-2"});
    clips.ClearFrames();
    clips.List()->DoExport();
    QCOMPARE(ChainFrames(clips), QList<QByteArray>({StartFrame(2), PairFrame(2, 0)}));

    clips.List()->MClearPlaylist();
    clips.ClearFrames();
    clips.List()->DoExport();
    QVERIFY(ChainFrames(clips).isEmpty());
}

// A row whose segment has gone ends the chain, closed behind the last
// segment sent, and the operator is told. Names that differ only in case
// are different segments: each link starts from the segment just linked.
void PlaylistTest::exportOfMissingOrCaseTwinSegments()
{
    ClipsFixture clips("127.0.52.7");
    QVERIFY2(clips.Connect({THREE_SEGMENTS}), qPrintable(clips.error));
    clips.Import();
    FillPlaylist(clips, {"Seg-1", "Seg-2", "Seg-3"});
    clips.SelectSegment("Seg-2");
    clips.Segments()->DoCut();
    clips.ClearFrames();
    clips.List()->DoExport();
    QCOMPARE(ChainFrames(clips), QList<QByteArray>({StartFrame(1), PairFrame(1, 0)}));
    QTRY_COMPARE(clips.answers.texts.size(), 1);
    QVERIFY(clips.answers.texts.first().startsWith(QLatin1String("Segment Seg-2 is not")));

    clips.Segments()->DoUndo();
    Rename(clips, "Seg-1", "INTRO");
    Rename(clips, "Seg-2", "intro");
    clips.List()->MClearPlaylist();
    FillPlaylist(clips, {"Seg-3", "intro", "Seg-3"});
    clips.ClearFrames();
    clips.List()->DoExport();
    QCOMPARE(ChainFrames(clips),
             QList<QByteArray>({StartFrame(3), PairFrame(3, 2), PairFrame(2, 3), PairFrame(3, 0)}));
}

// Export, play, the link behind a row and a rename all take a row's name to
// the same segment: the one of that exact name, else the
// first of that name in another case, row 0 included.
void PlaylistTest::everyPathResolvesANameOneWay()
{
    ClipsFixture clips("127.0.52.8");
    QVERIFY2(clips.Connect({THREE_SEGMENTS}), qPrintable(clips.error));
    clips.Import();
    Rename(clips, "Seg-1", "INTRO");
    Rename(clips, "Seg-2", "intro");
    for (const char *row : {"intro", "INTRO", "Intro", "Seg-3"})
        clips.List()->AppendRow(row);

    clips.ClearFrames();
    clips.List()->DoExport();
    QCOMPARE(ChainFrames(clips), QList<QByteArray>({StartFrame(2), PairFrame(2, 1), PairFrame(1, 1),
                                                    PairFrame(1, 3), PairFrame(3, 0)}));

    SelectOnlyRow(1, clips.PlaylistTable());
    clips.ClearFrames();
    clips.List()->pbStart_pressed();
    QCOMPARE(ChainFrames(clips).mid(0, 2),
             QList<QByteArray>({PlaySegmentFrame(1), PairFrame(1, 1)}));
    clips.List()->pbAbort_pressed();
    clips.Tick();

    Rename(clips, "INTRO", "Opening");
    QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()),
             QStringList({"intro", "Opening", "Opening", "Seg-3"}));
}

QTEST_MAIN(PlaylistTest)
#include "tst_playlist.moc"
