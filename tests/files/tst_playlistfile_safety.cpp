// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing of the operator's is lost around the playlist file: a file whose
// segments do not read whole is refused before the recorder is touched, one
// damaged after them is rebuilt but never saved over, a name no file could
// keep is never written, and a reload the polling starts keeps the names
// and the playlist, or says that they are gone.

#include "playlistfilefixture.h"

#include "protocol/setupcommands.h"
#include "protocol/timecode.h"

#include <QLineEdit>
#include <QTest>

namespace {

const std::initializer_list<const char *> kRecorder = {"file = CLIP0000,120", "loaded = CLIP0000",
                                                       "segment = 1,00:00:01:00,00:00:02:00",
                                                       "segment = 2,00:00:03:00,00:00:04:00"};

// Two segments, one of them named, and a playlist naming both.
QByteArray GoodText()
{
    return TextFile({Record("Seg-1", 100, 200, 1), Record("Intro", 300, 400, 2)},
                    {"Intro", "Seg-1"});
}

QByteArray Replaced(QByteArray bytes, const QByteArray &from, const QByteArray &to)
{
    return bytes.replace(bytes.indexOf(from), from.size(), to);
}

// The divisor of positions is program-wide; a test that changes it puts it
// back.
struct DivisorGuard
{
    DivisorGuard() : divisor(positionDivisor) {}
    ~DivisorGuard() { positionDivisor = divisor; }
    quint32 divisor;
};

// The loaded material's video standard, as the recorder's setup holds it.
bool SetStandard(quint8 code)
{
    SetupPageReply page{};
    if (SetupPageRead(8, page) != 0)
        return false;
    page[1 + 1] = code;
    return SetupPageWrite(8, page.data() + 1, kSetupPageBytes) == 0 && SetupPageApply(8) == 0;
}

} // namespace

class PlaylistFileSafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void brokenSegmentsAreRefusedBeforeAnyErase();
    void damageAfterTheSegmentsIsNeverSavedOver();
    void namesNoFileCanKeepAreNotWritten();
    void reloadKeepsNamesAndPlaylist();
    void reloadThatDropsThemSaysSo();
};

// Each file below breaks inside its segment chunk: the box names the file
// and the byte, and the recorder, both lists and the document stay.
void PlaylistFileSafetyTest::brokenSegmentsAreRefusedBeforeAnyErase()
{
    PlaylistFileFixture clips("127.0.67.1");
    QVERIFY2(clips.Connect(kRecorder), qPrintable(clips.error));
    clips.Import();
    clips.List()->AppendRow("Seg-2");
    const QByteArray good = GoodText();
    QByteArray pastTheFile = BinaryChunk("CLIP", BinaryRecord(Record("Seg-1", 100, 200, 1)));
    pastTheFile[4] = char(0x60);
    const QList<QPair<const char *, QByteArray>> files{
        {"cut.kpl", good.left(good.indexOf("Intro") + 2)},
        {"long.kpl", Replaced(good, "Intro", QByteArray(33, 'N'))},
        {"count.kpl", Replaced(good, "0002", "00G2")},
        {"phantom.kpl", Replaced(good, "0002", "0003")},
        {"hidden.kpl", Replaced(good, "0002", "0001")},
        {"binary-long.kpl", pastTheFile},
        {"binary-part.kpl",
         BinaryChunk("CLIP", BinaryRecord(Record("Seg-1", 100, 200, 1)) + "12345")},
    };
    for (const auto &[name, bytes] : files) {
        const QString path = clips.Write(name, bytes);
        clips.answers.texts.clear();
        clips.ClearFrames();
        clips.answers.Press(QStringLiteral("No"));
        clips.answers.Choose(path);
        clips.File()->DoOpen();
        QVERIFY2(clips.FramesOf(0x42, 0x9B).isEmpty(), name);
        QVERIFY2(clips.RecreationFrames().isEmpty(), name);
        QCOMPARE(clips.answers.texts.size(), 2);
        const QString box = clips.answers.texts.last();
        QVERIFY2(box.startsWith(path) && box.contains(QLatin1String("breaks at byte")),
                 qPrintable(box));
        QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), (QStringList{"Seg-1", "Seg-2"}));
        QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()), QStringList{"Seg-2"});
        QVERIFY(clips.RecorderHas(1) && clips.RecorderHas(2));
        QVERIFY(!clips.File()->Loaded());
    }
}

// The segments of a file damaged in its playlist or disk chunk are made on
// the recorder, the box says what was skipped, and the file is not the
// document: Save asks for a name, and the file keeps every byte.
void PlaylistFileSafetyTest::damageAfterTheSegmentsIsNeverSavedOver()
{
    PlaylistFileFixture clips("127.0.67.2");
    QVERIFY2(clips.Connect(kRecorder), qPrintable(clips.error));
    const QByteArray good = GoodText();
    const qsizetype playlist = good.indexOf("504C4159");
    QByteArray badRow = good;
    badRow.replace(good.indexOf(QByteArray("Seg-1\0", 6), playlist), 6, QByteArray(40, 'X'));
    const QList<QPair<const char *, QByteArray>> files{
        {"row.kpl", badRow},
        {"disk.kpl", good.left(good.size() - 2)},
    };
    for (const auto &[name, bytes] : files) {
        const QString path = clips.Write(name, bytes);
        clips.answers.texts.clear();
        if (clips.Segments()->ModifiedCount() > 0)
            clips.answers.Press(QStringLiteral("No"));
        clips.answers.Choose(path);
        clips.File()->DoOpen();
        QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), (QStringList{"Seg-1", "Intro"}));
        QVERIFY(clips.RecorderHas(1) && clips.RecorderHas(2));
        const QString box = clips.answers.texts.value(clips.answers.texts.size() - 1);
        QVERIFY2(box.startsWith(path) && box.contains(QLatin1String("skipped")), qPrintable(box));
        QVERIFY(!clips.File()->Loaded());
        QVERIFY(clips.Segments()->ModifiedCount() > 0);

        clips.File()->DoSave(); // its dialog cancelled
        QCOMPARE(PlaylistFileFixture::Read(path), bytes);
    }
    // The rows read whole before the damage stay.
    QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()), (QStringList{"Intro", "Seg-1"}));
}

// A disk name the recorder reports with a line end cannot go into a file:
// Save says so and leaves the chosen file as it was. Names typed for a
// segment that a file could not keep are refused when typed.
void PlaylistFileSafetyTest::namesNoFileCanKeepAreNotWritten()
{
    PlaylistFileFixture clips("127.0.67.3");
    QVERIFY2(clips.Connect({"generation = dv", "segment = 1,00:00:01:00,00:00:02:00",
                            "answer = 60 A1, 74 A1 41 0A 42 43"}),
             qPrintable(clips.error));
    clips.Import();
    QCOMPARE(DiskName(clips.Segments()->diskTable), QByteArray("A\nBC"));
    const QByteArray precious("a playlist the operator keeps\n");
    const QString path = clips.Write("show.kpl", precious);
    clips.answers.Choose(path);
    clips.File()->DoSaveAs();
    QCOMPARE(PlaylistFileFixture::Read(path), precious);
    QVERIFY(!clips.File()->Loaded());
    QCOMPARE(clips.answers.texts.size(), 1);
    QVERIFY2(clips.answers.texts.first().contains(QLatin1String("disk name holds a line end")),
             qPrintable(clips.answers.texts.first()));

    SegmentList *segments = clips.Segments();
    for (const QString &name : {QStringLiteral("Caf\u00e9 \u03a9"), QStringLiteral("Two\rlines")}) {
        clips.SelectSegment("Seg-1");
        segments->DoRenameClip();
        segments->lineEdit22_2->setText(name);
        segments->lineEdit22_2_returnPressed();
    }
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), QStringList{"Seg-1"});
    QTRY_COMPARE(clips.answers.texts.size(), 3);
}

// A change of the material's frame settings reads the segments again; the
// recorder still holds the same numbers, so only the times change: the
// names, the playlist and the document stay, and nothing counts as changed.
void PlaylistFileSafetyTest::reloadKeepsNamesAndPlaylist()
{
    DivisorGuard guard;
    PlaylistFileFixture clips("127.0.67.4");
    QVERIFY2(clips.Connect(kRecorder), qPrintable(clips.error));
    clips.Tick();
    clips.Import();
    clips.SelectSegment("Seg-1");
    clips.Segments()->DoRenameClip();
    clips.Segments()->lineEdit22_2->setText(QStringLiteral("Intro"));
    clips.Segments()->lineEdit22_2_returnPressed();
    clips.List()->AppendRow("Intro");
    clips.List()->AppendRow("Seg-2");
    const QString path = clips.SaveAs("show.kpl");
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(0));

    QVERIFY(SetStandard(4)); // 1080 25p: positions count frames, not fields
    clips.window->RequestLoadedFileRefresh();
    QVERIFY(clips.Tick().contains(WireFrame({0x62, 0x9A, 0x00, 0x01})));
    QCOMPARE(positionDivisor, 1u);
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), (QStringList{"Intro", "Seg-2"}));
    QCOMPARE(ClipsFixture::Names(clips.PlaylistTable()), (QStringList{"Intro", "Seg-2"}));
    for (int row = 0; row < 2; ++row) {
        SegmentInfo info;
        QVERIFY(SegmentInfoSense(unsigned(row + 1), info));
        QCOMPARE(getCell(row, kInTextCell, clips.SegmentTable()),
                 TimecodeText(info.inPoint, CurrentFrameSettings()));
        QCOMPARE(readSegmentRecord(row, clips.SegmentTable()).outPoint, info.outPoint);
    }
    QCOMPARE(clips.Segments()->ModifiedCount(), quint16(0));
    QCOMPARE(clips.File()->DocumentPath(), path);
}

// When the recorder no longer holds the segments the rows show, the reload
// must drop the names and the playlist: that counts as a change, the file
// is no longer the document, and the close question says what happened, so
// that "&Yes" cannot write the recorder's list over the file unasked.
void PlaylistFileSafetyTest::reloadThatDropsThemSaysSo()
{
    DivisorGuard guard;
    PlaylistFileFixture clips("127.0.67.5");
    QVERIFY2(clips.Connect(kRecorder), qPrintable(clips.error));
    clips.Tick();
    clips.Import();
    clips.List()->AppendRow("Seg-2");
    const QString path = clips.SaveAs("show.kpl");
    const QByteArray saved = PlaylistFileFixture::Read(path);

    DeleteSegment(2);
    QVERIFY(SetStandard(4));
    clips.window->RequestLoadedFileRefresh();
    clips.Tick();
    QCOMPARE(ClipsFixture::Names(clips.SegmentTable()), QStringList{"Seg-1"});
    QCOMPARE(clips.PlaylistTable()->rowCount(), 0);
    QVERIFY(clips.Segments()->ModifiedCount() > 0);
    QVERIFY(!clips.File()->Loaded());

    clips.answers.Press(QStringLiteral("&Yes")); // then the Save As dialog, cancelled
    QVERIFY(!clips.Quits());
    QCOMPARE(clips.answers.texts.size(), 1);
    QVERIFY2(
        clips.answers.texts.first().startsWith(QLatin1String("Save Changes before closing ?")) &&
            clips.answers.texts.first().contains(QLatin1String("come from the recorder")),
        qPrintable(clips.answers.texts.first()));
    QCOMPARE(PlaylistFileFixture::Read(path), saved);
}

QTEST_MAIN(PlaylistFileSafetyTest)
#include "tst_playlistfile_safety.moc"
