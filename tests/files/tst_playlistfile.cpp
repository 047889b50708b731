// SPDX-License-Identifier: GPL-3.0-or-later
// Playlist files opened on, and saved from, the real window against the
// simulated recorder: the segments re-created on the recorder, a file saved
// back unchanged, New, and a rebuild cancelled halfway.

#include "playlistfilefixture.h"

#include "protocol/segmentcommands.h"
#include "ui/common/busyprogress.h"

#include <QLabel>
#include <QTest>

namespace {

// A PAL recorder (positions count fields) with a file loaded and a segment
// of its own that opening a file must erase.
const std::initializer_list<const char *> kRecorder = {"file = CLIP0000,120", "loaded = CLIP0000",
                                                       "segment = 2,00:00:30:00,00:00:40:00"};

// A timecode cue as the list sends it for a point below 48 hours: frames,
// seconds, minutes, hours in BCD and one more byte.
QByteArray Cue(quint8 seconds)
{
    return WireFrame({0x25, 0x31, 0x00, seconds, 0x00, 0x00, 0x00});
}

QByteArray Create(quint8 number)
{
    return WireFrame({0x22, 0xAC, 0x00, number});
}

const QByteArray kIn = WireFrame({0x40, 0x10});
const QByteArray kOut = WireFrame({0x40, 0x11});

} // namespace

class PlaylistFileTest : public QObject
{
    Q_OBJECT

private slots:
    void binaryFileIsRecreatedOnTheRecorder();
    void textFileSurvivesARoundTripThroughTheRecorder();
    void newEmptiesTheRecorderAfterTheQuestions();
    void cancelStopsBetweenTwoSegments();
};

// Every segment number is deleted first, then each stored segment is cued,
// marked and made in file order; the playlist follows, and the disk table
// is the recorder's under the file's disk name.
void PlaylistFileTest::binaryFileIsRecreatedOnTheRecorder()
{
    PlaylistFileFixture clips("127.0.65.1");
    QVERIFY2(clips.Connect(kRecorder), qPrintable(clips.error));
    QByteArray disk("OLD DISK", 8);
    disk.resize(16 + 12);
    disk[16 + 10] = 1; // a present entry the recorder's table replaces
    const QString path = clips.Write(
        "old.kpl", BinaryChunk("CLIP", BinaryRecord(Record("Seg-1", 100, 200, 1)) +
                                           BinaryRecord(Record("Seg-4", 300, 500, 4))) +
                       BinaryChunk("YALP", QByteArray("Seg-4").leftJustified(32, '\0') +
                                               QByteArray("Seg-1").leftJustified(32, '\0')) +
                       BinaryChunk("KSID", disk));

    clips.ClearFrames();
    clips.answers.Choose(path);
    clips.File()->DoOpen();

    const QList<QByteArray> deletes = clips.FramesOf(0x42, 0x9B);
    QCOMPARE(deletes.size(), kLastSegmentNumber);
    QCOMPARE(deletes.first(), WireFrame({0x42, 0x9B, 0x00, 0x01}));
    // 100 fields are 00:00:02:00 on a PAL recorder.
    const QList<QByteArray> expected{Cue(0x02), kIn, Cue(0x04), kOut, Create(0x01),
                                     Cue(0x06), kIn, Cue(0x10), kOut, Create(0x04)};
    QCOMPARE(clips.RecreationFrames(), expected);

    using Row = std::tuple<int, quint32, quint32>;
    QCOMPARE(clips.Segmentation(), (QList<Row>{Row(1, 100, 200), Row(4, 300, 500)}));
    QVERIFY(clips.RecorderHas(1) && clips.RecorderHas(4));
    QVERIFY(!clips.RecorderHas(2));
    QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()), (QStringList{"Seg-4", "Seg-1"}));
    SegmentSlotsBlock recorderDisks;
    SegmentSlotsSense(recorderDisks);
    QCOMPARE(clips.Segments()->diskTable.count, int(recorderDisks.count));
    QCOMPARE(DiskName(clips.Segments()->diskTable), QByteArray("OLD DISK"));
    QCOMPARE(clips.File()->DocumentPath(), path);
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(0));
    QVERIFY(clips.answers.texts.isEmpty());
}

// A text file opened and saved under another name comes out byte for byte
// the same when its disk table is the recorder's and its segments carry
// default names.
void PlaylistFileTest::textFileSurvivesARoundTripThroughTheRecorder()
{
    PlaylistFileFixture clips("127.0.65.2");
    QVERIFY2(clips.Connect(kRecorder), qPrintable(clips.error));
    SegmentSlotsBlock recorderDisks;
    SegmentSlotsSense(recorderDisks);
    KplDocument document;
    document.segments = {Record("Seg-1", 100, 200, 1), Record("Seg-3", 400, 650, 3)};
    document.playlist = {"Seg-3", "Seg-1", "Seg-3"};
    DiskTable disk;
    disk.count = int(recorderDisks.count);
    disk.entries = recorderDisks.entries;
    SetDiskName(disk, "SHOW DISK");
    document.disk = disk;
    const QByteArray text = KplText(document);
    const QString original = clips.Write("show.kpl", text);

    clips.answers.Choose(original);
    clips.File()->DoOpen();
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(0));
    const QString copy = clips.SaveAs("copy.kpl");

    QCOMPARE(PlaylistFileFixture::Read(copy), text);
    QCOMPARE(clips.File()->DocumentPath(), copy);
    QVERIFY(clips.answers.texts.isEmpty());
}

// New asks about the unsaved changes, then whether to erase; Cancel at the
// second question leaves everything, Ok erases the recorder and forgets
// the file.
void PlaylistFileTest::newEmptiesTheRecorderAfterTheQuestions()
{
    PlaylistFileFixture clips("127.0.65.3");
    QVERIFY2(clips.Connect(kRecorder), qPrintable(clips.error));
    const QString path = clips.Write("one.kpl", TextFile({Record("Seg-1", 100, 200, 1)}));
    clips.answers.Choose(path);
    clips.File()->DoOpen();
    clips.List()->AppendRow("Seg-1");
    clips.Segments()->MarkModified();

    clips.ClearFrames();
    clips.answers.Press(QStringLiteral("No"));
    clips.answers.Press(QStringLiteral("&Cancel"));
    clips.File()->DoNew();
    QCOMPARE(clips.answers.texts,
             (QStringList{"Save Changes before closing ?",
                          "You are about to erase the internal segments !!!, Are you sure ?"}));
    QVERIFY(clips.FramesOf(0x42, 0x9B).isEmpty());
    QCOMPARE(clips.SegmentTable()->rowCount(), 1);
    QCOMPARE(clips.File()->DocumentPath(), path);

    clips.answers.Press(QStringLiteral("No"));
    clips.answers.Press(QStringLiteral("&Ok"));
    clips.File()->DoNew();
    QCOMPARE(clips.FramesOf(0x42, 0x9B).size(), kLastSegmentNumber);
    QVERIFY(!clips.RecorderHas(1));
    QCOMPARE(clips.SegmentTable()->rowCount(), 0);
    QCOMPARE(clips.PlaylistTable()->rowCount(), 0);
    QVERIFY(!clips.File()->Loaded());
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(0));
    QCOMPARE(PlaylistFileFixture::Read(path), TextFile({Record("Seg-1", 100, 200, 1)}));
}

// The progress dialog counts the segments, holds the window with the wait
// cursor, and its Cancel takes effect before the next segment: the list
// holds exactly what the recorder made, and, the file being only partly
// rebuilt, no document is kept to save the part over the whole.
void PlaylistFileTest::cancelStopsBetweenTwoSegments()
{
    PlaylistFileFixture clips("127.0.65.4");
    QVERIFY2(clips.Connect(kRecorder), qPrintable(clips.error));
    const QString path = clips.Write(
        "three.kpl", TextFile({Record("Seg-1", 100, 200, 1), Record("Seg-3", 300, 400, 3),
                               Record("Seg-5", 500, 600, 5)},
                              {"Seg-1", "Seg-3"}));
    QStringList texts;
    bool held = true;
    clips.answers.WhileOpen([&](QWidget *modal) {
        auto *dialog = qobject_cast<BusyDialog *>(modal);
        if (!dialog || !dialog->pbCancel)
            return false;
        const QString text = dialog->textLabel->text();
        if (!texts.contains(text))
            texts << text;
        held = held && dialog->windowModality() == Qt::ApplicationModal &&
               QApplication::overrideCursor() &&
               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        if (text != QLatin1String("Re-creating segment 2 of 3"))
            return false;
        dialog->pbCancel->click();
        return true;
    });
    clips.answers.Choose(path);
    clips.File()->DoOpen();

    QVERIFY(held);
    QVERIFY2(texts.contains("Re-creating segment 2 of 3"), qPrintable(texts.join(", ")));
    using Row = std::tuple<int, quint32, quint32>;
    QCOMPARE(clips.Segmentation(), QList<Row>{Row(1, 100, 200)});
    QVERIFY(clips.RecorderHas(1));
    QVERIFY(!clips.RecorderHas(3) && !clips.RecorderHas(5));
    QCOMPARE(clips.PlaylistTable()->rowCount(), 0);
    QVERIFY(!clips.File()->Loaded());
    QVERIFY(clips.Segments()->ModifiedCount() > 0);
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(PlaylistFileTest)
#include "tst_playlistfile.moc"
