// SPDX-License-Identifier: GPL-3.0-or-later
// What must not be lost around the playlist file: a wrong file opened, a
// save refused or failing, a dialog cancelled, the program ended with
// unsaved changes.

#include "playlistfilefixture.h"

#include <QDir>
#include <QTest>

namespace {

// Two segments of one source clip.
const std::initializer_list<const char *> kOneSource = {
    "file = CLIP0000,120", "loaded = CLIP0000", "segment = 1,00:00:01:00,00:00:02:00,CLIP0000",
    "segment = 2,00:00:03:00,00:00:04:00,CLIP0000"};

// Segment 2 cut from another file.
const std::initializer_list<const char *> kTwoSources = {
    "file = CLIP0000,120", "file = CLIP0001,120", "loaded = CLIP0000",
    "segment = 1,00:00:01:00,00:00:02:00,CLIP0000", "segment = 2,00:00:03:00,00:00:04:00,CLIP0001"};

const char kMixedSources[] =
    "Error : KPL files only accepts segment with the same source clip ID. Segment Seg-2 comes "
    "from CLIP0001 while some previous segment come from CLIP0000";

const QByteArray kPrecious("a playlist the operator keeps\n");

} // namespace

class PlaylistFileFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void fileOfNeitherFormChangesNothing();
    void refusedSaveLeavesTheChosenFile();
    void cancelledDialogsKeepTheDocument();
    void quitStaysWhenTheSaveFails();
    void closePromptAnswers();
    void refusedSegmentLeavesNoDocument();
};

// The file is read and recognised before anything is erased: the recorder,
// both lists and the document stay as they were, and a box names the file.
void PlaylistFileFaultsTest::fileOfNeitherFormChangesNothing()
{
    PlaylistFileFixture clips("127.0.66.1");
    QVERIFY2(clips.Connect(kOneSource), qPrintable(clips.error));
    clips.Import();
    clips.List()->AppendRow("Seg-2");
    const QString empty = clips.Write("empty.kpl", {});
    const QString text = clips.Write("notes.kpl", "clip 0001\nnot hex at all\n");
    const QString binary = clips.Write("movie.kpl", QByteArray("CLIQ\x10\0\0\0", 8));

    for (const QString &path : {empty, text, binary}) {
        clips.answers.texts.clear();
        clips.ClearFrames();
        clips.answers.Press(QStringLiteral("No"));
        clips.answers.Choose(path);
        clips.File()->DoOpen();
        QCOMPARE(clips.answers.texts.size(), 2);
        QCOMPARE(clips.answers.texts.last(), path + QStringLiteral(" is not a playlist file."));
        QVERIFY(clips.FramesOf(0x42, 0x9B).isEmpty());
        QVERIFY(clips.RecreationFrames().isEmpty());
        QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), (QStringList{"Seg-1", "Seg-2"}));
        QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()), QStringList{"Seg-2"});
        QVERIFY(clips.RecorderHas(1) && clips.RecorderHas(2));
        QVERIFY(!clips.File()->Loaded());
        QVERIFY(clips.Segments()->ModifiedCount() > 0);
    }
}

// Segments from two source clips cannot share a file: the box says which,
// and the file chosen keeps its contents; the document stays none.
void PlaylistFileFaultsTest::refusedSaveLeavesTheChosenFile()
{
    PlaylistFileFixture clips("127.0.66.2");
    QVERIFY2(clips.Connect(kTwoSources), qPrintable(clips.error));
    clips.Import();
    const quint16 changes = clips.Segments()->ModifiedCount();
    const QString chosen = clips.Write("show.kpl", kPrecious);

    clips.answers.Choose(chosen);
    clips.File()->DoSaveAs();

    QCOMPARE(clips.answers.texts, QStringList{kMixedSources});
    QCOMPARE(PlaylistFileFixture::Read(chosen), kPrecious);
    QVERIFY(!clips.File()->Loaded());
    QCOMPARE(clips.Segments()->ModifiedCount(), changes);
}

// Cancel in the Save As or the Open dialog keeps the document, so a later
// Save writes the changes where they belong.
void PlaylistFileFaultsTest::cancelledDialogsKeepTheDocument()
{
    PlaylistFileFixture clips("127.0.66.3");
    QVERIFY2(clips.Connect(kOneSource), qPrintable(clips.error));
    clips.Import();
    const QString path = clips.SaveAs("show.kpl");
    QCOMPARE(clips.File()->DocumentPath(), path);
    const QByteArray saved = PlaylistFileFixture::Read(path);
    QVERIFY(saved.startsWith("636C6970\n0002\n"));

    clips.List()->AppendRow("Seg-1");
    clips.Segments()->MarkModified();
    clips.File()->DoSaveAs(); // no file given: the dialog is cancelled
    QCOMPARE(clips.File()->DocumentPath(), path);
    clips.answers.Press(QStringLiteral("No"));
    clips.File()->DoOpen();
    QCOMPARE(clips.File()->DocumentPath(), path);
    QCOMPARE(PlaylistFileFixture::Read(path), saved);

    clips.File()->DoSave();
    QVERIFY(PlaylistFileFixture::Read(path).contains("504C4159\n0001\nSeg-1"));
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(0));
    QCOMPARE(clips.answers.texts, QStringList{"Save Changes before closing ?"});
}

// "&Yes" to the question quits only once the changes are on disk: a save
// refused by the source check, or one whose folder has gone, keeps the
// program running with the reason shown.
void PlaylistFileFaultsTest::quitStaysWhenTheSaveFails()
{
    PlaylistFileFixture clips("127.0.66.4");
    QVERIFY2(clips.Connect(kTwoSources), qPrintable(clips.error));
    clips.Import();
    clips.answers.Press(QStringLiteral("&Yes"));
    clips.answers.Choose(clips.PathOf("show.kpl"));
    QVERIFY(!clips.Quits());
    QCOMPARE(clips.answers.texts,
             (QStringList{"Save Changes before closing ?", QLatin1String(kMixedSources)}));

    // One source now; the file is saved, then its folder goes away.
    clips.ClearFrames();
    clips.Segments()->TableClipList->removeRow(1);
    QDir(clips.directory.path()).mkdir(QStringLiteral("gone"));
    const QString path = clips.SaveAs("gone/show.kpl");
    QCOMPARE(clips.File()->DocumentPath(), path);
    QVERIFY(QDir(clips.PathOf("gone")).removeRecursively());
    clips.Segments()->MarkModified();
    clips.answers.texts.clear();
    clips.answers.Press(QStringLiteral("&Yes"));
    QVERIFY(!clips.Quits());
    QCOMPARE(clips.answers.texts.size(), 2);
    QVERIFY2(clips.answers.texts.last().startsWith(QStringLiteral("Cannot write ") + path),
             qPrintable(clips.answers.texts.last()));
    QVERIFY(clips.Segments()->ModifiedCount() > 0);
}

// No changes: Quit and the close button go without asking. With changes,
// "&Cancel" stays, "No" goes without saving, "&Yes" saves and goes; the
// window's close button asks the same question.
void PlaylistFileFaultsTest::closePromptAnswers()
{
    PlaylistFileFixture clips("127.0.66.5");
    QVERIFY2(clips.Connect(kOneSource), qPrintable(clips.error));
    clips.Import();
    const QString path = clips.SaveAs("show.kpl");
    const QByteArray saved = PlaylistFileFixture::Read(path);
    QVERIFY(clips.Quits());
    clips.window->show();
    QVERIFY(clips.window->close());
    QVERIFY(clips.answers.texts.isEmpty());

    clips.List()->AppendRow("Seg-2");
    clips.Segments()->MarkModified();
    clips.answers.Press(QStringLiteral("&Cancel"));
    QVERIFY(!clips.Quits());
    clips.window->show();
    clips.answers.Press(QStringLiteral("&Cancel"));
    QVERIFY(!clips.window->close());
    QVERIFY(clips.window->isVisible());
    clips.answers.Press(QStringLiteral("No"));
    QVERIFY(clips.window->close());
    QVERIFY(!clips.window->isVisible());
    clips.answers.Press(QStringLiteral("No"));
    QVERIFY(clips.Quits());
    QCOMPARE(PlaylistFileFixture::Read(path), saved);
    QCOMPARE(clips.answers.texts, QStringList(4, QStringLiteral("Save Changes before closing ?")));

    clips.answers.Press(QStringLiteral("&Yes"));
    QVERIFY(clips.Quits());
    QVERIFY(PlaylistFileFixture::Read(path).contains("504C4159\n0001\nSeg-2"));
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(0));
}

// A segment the recorder will not make (its out point before its in point)
// does not stop the others, but the file is not taken as opened: the box
// says so, no document is kept to save the rest over it, and the playlist,
// which names the file's segments, stays empty.
void PlaylistFileFaultsTest::refusedSegmentLeavesNoDocument()
{
    PlaylistFileFixture clips("127.0.66.6");
    QVERIFY2(clips.Connect(kOneSource), qPrintable(clips.error));
    const QByteArray text = TextFile(
        {Record("Seg-1", 100, 200, 1), Record("Seg-3", 400, 300, 3), Record("Seg-5", 500, 600, 5)},
        {"Seg-1", "Seg-3"});
    const QString path = clips.Write("refused.kpl", text);

    clips.answers.Choose(path);
    clips.File()->DoOpen();

    using Row = std::tuple<int, quint32, quint32>;
    QCOMPARE(clips.Segmentation(), (QList<Row>{Row(1, 100, 200), Row(5, 500, 600)}));
    QVERIFY(!clips.RecorderHas(3));
    QCOMPARE(clips.answers.texts.size(), 1);
    QVERIFY2(clips.answers.texts.first().contains(QStringLiteral("1 of the 3")),
             qPrintable(clips.answers.texts.first()));
    QVERIFY(!clips.File()->Loaded());
    QVERIFY(clips.Segments()->ModifiedCount() > 0);
    QCOMPARE(clips.PlaylistTable()->rowCount(), 0);
    QCOMPARE(PlaylistFileFixture::Read(path), text);
}

QTEST_MAIN(PlaylistFileFaultsTest)
#include "tst_playlistfile_faults.moc"
