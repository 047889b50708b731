// SPDX-License-Identifier: GPL-3.0-or-later
// The Server page against the simulated recorder: the file list walk, the
// loaded mark, the remaining time, and the keys that load, create, rename
// and delete files, with the frames each sends.

#include "serverfixture.h"

#include "protocol/recorderstate.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

using namespace files;

namespace {

// The panel's side and firmware flags are program-wide: a test that sets
// them puts them back.
struct ProgramFlags
{
    ProgramFlags() : side(recPlayMode), legacy(legacyFirmware) {}
    ~ProgramFlags()
    {
        recPlayMode = side;
        legacyFirmware = legacy;
    }
    qint32 side;
    quint8 legacy;
};

const QRegularExpression kRemainingTime(QStringLiteral("^\\d{3}:\\d\\d:\\d\\d:\\d\\d$"));

int Count(const QList<QByteArray> &frames, const QByteArray &frame)
{
    return static_cast<int>(frames.count(frame));
}

// Fills in the name dialog once it opens and presses OK (or its key, Return,
// in the name field). With a refusal
// expected, the box that says so is closed and the dialog closed afterwards.
void TypeClipName(const QString &name, QStringList *refusal, QStringList *dialogTexts,
                  bool returnKey = false)
{
    WhenDialogOpens<DlgAskClipName>(
        [name, refusal, dialogTexts, returnKey](DlgAskClipName *dialog) {
            *dialogTexts << dialog->windowTitle() << dialog->leNewClipName->accessibleName()
                         << dialog->pbOk->accessibleName() << dialog->pbOk->toolTip()
                         << dialog->pbClose->accessibleName();
            dialog->leNewClipName->setText(name);
            if (refusal)
                AnswerNextBox(QStringLiteral("OK"), refusal);
            if (returnKey)
                QTest::keyClick(dialog->leNewClipName, Qt::Key_Return);
            else
                QTest::mouseClick(dialog->pbOk, Qt::LeftButton);
            if (dialog->isVisible())
                QTest::mouseClick(dialog->pbClose, Qt::LeftButton);
        });
}

} // namespace

class ServerFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void refreshSortsAndMarksTheLoadedFile();
    void listEnds_data();
    void listEnds();
    void recorderWithoutFiles_data();
    void recorderWithoutFiles();
    void remainingTimeInBothForms();
    void namesOutsidePrintableAscii();
    void loadFollowsTheSide_data();
    void loadFollowsTheSide();
    void clipNameRules_data();
    void clipNameRules();
    void renameSendsTheLoadedFileItsNewName();
    void deleteSendsTheSelectedRows();
    void keysWithoutRecorderDoNothing();
};

// The names come in the recorder's order and are shown sorted; only the
// file whose whole name is the loaded one is marked.
void ServerFilesTest::refreshSortsAndMarksTheLoadedFile()
{
    ServerFixture fixture("127.0.60.1");
    QVERIFY2(fixture.ConnectWithFiles({"CLIP0002", "NEWSROOM", "NEWS", "CLIP0000"},
                                      QStringLiteral("NEWS")),
             qPrintable(fixture.sim.ErrorString()));
    ServerPage *page = fixture.Page();
    const QList<QByteArray> frames = fixture.FramesOf([page] { page->pbUpdateListFile_pressed(); });
    QCOMPARE(frames, (QList<QByteArray>{kFileListFirst, kFileListNext, kFileListNext, kFileListNext,
                                        kFileListNext, kCurrentFileSense, kAvailableTime}));
    QCOMPARE(fixture.Rows(), (QStringList{"CLIP0000", "CLIP0002", "NEWS Loaded.", "NEWSROOM"}));
    QCOMPARE(page->FileNameAt(2), QStringLiteral("NEWS"));
    QVERIFY2(kRemainingTime.match(page->leRemainigTime->text()).hasMatch(),
             qPrintable(page->leRemainigTime->text()));
}

void ServerFilesTest::listEnds_data()
{
    QTest::addColumn<QString>("listEnd");
    QTest::addColumn<int>("replyGroup");
    QTest::addColumn<int>("nextRequests");
    QTest::newRow("end marker") << "marker" << 7 << 3;
    QTest::newRow("last name with command byte 0") << "last" << 7 << 2;
    QTest::newRow("never, the list starts over") << "never" << 7 << 3;
    QTest::newRow("another group") << "marker" << 11 << 3;
    QTest::newRow("another group, never ending") << "never" << 11 << 3;
}

// However the recorder ends its list, or fails to, and in whatever group it
// answers, the page shows each file once and the time left.
void ServerFilesTest::listEnds()
{
    QFETCH(QString, listEnd);
    QFETCH(int, replyGroup);
    QFETCH(int, nextRequests);
    ServerFixture fixture("127.0.60.2");
    xrsim::Scenario scenario;
    QVERIFY(Set(scenario, "list_end", listEnd));
    QVERIFY(Set(scenario, "file_reply_group", QString::number(replyGroup)));
    QVERIFY2(fixture.ConnectWithFiles({"CLIP0001", "CLIP0000", "CLIP0002"}, {}, scenario),
             qPrintable(fixture.sim.ErrorString()));
    ServerPage *page = fixture.Page();
    const QList<QByteArray> frames = fixture.FramesOf([page] { page->pbUpdateListFile_pressed(); });
    QCOMPARE(Count(frames, kFileListFirst), 1);
    QCOMPARE(Count(frames, kFileListNext), nextRequests);
    QCOMPARE(fixture.Rows(), (QStringList{"CLIP0000", "CLIP0001", "CLIP0002"}));
    QVERIFY2(kRemainingTime.match(page->leRemainigTime->text()).hasMatch(),
             qPrintable(page->leRemainigTime->text()));
}

void ServerFilesTest::recorderWithoutFiles_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("no file") << ""
                             << "";
    QTest::newRow("no file store (older firmware)") << "generation"
                                                    << "dv";
    QTest::newRow("list refused") << "answer"
                                  << "A0 14, 11 12 08";
}

// No file: an empty list, the time line emptied, nothing more asked.
void ServerFilesTest::recorderWithoutFiles()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    ServerFixture fixture("127.0.60.3");
    xrsim::Scenario scenario;
    if (!key.isEmpty())
        QVERIFY(Set(scenario, key.toLatin1().constData(), value));
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
    ServerPage *page = fixture.Page();
    page->TableFileList->setRowCount(2);
    page->leRemainigTime->setText(QStringLiteral("100:00:00:00"));
    const QList<QByteArray> frames = fixture.FramesOf([page] { page->pbUpdateListFile_pressed(); });
    QCOMPARE(frames, QList<QByteArray>{kFileListFirst});
    QCOMPARE(page->TableFileList->rowCount(), 0);
    QCOMPARE(page->leRemainigTime->text(), QString());
}

// The current form carries the hundreds of hours; the older one leaves
// their place blank. Flag bits in the seconds and frames bytes are dropped.
void ServerFilesTest::remainingTimeInBothForms()
{
    ProgramFlags flags;
    ServerFixture fixture("127.0.60.4");
    QVERIFY2(fixture.ConnectWithFiles({"CLIP0000"}), qPrintable(fixture.sim.ErrorString()));
    ServerPage *page = fixture.Page();
    const QByteArray time("\x64\xD9\x30\x12\xF1", 5);
    fixture.sim.ForceReply(0xA, 0x1D, SenseReturn(0x1D, time));
    fixture.sim.ForceReply(0xA, 0x1C, SenseReturn(0x1C, time.left(4)));

    legacyFirmware = 0;
    page->pbUpdateListFile_pressed();
    QCOMPARE(page->leRemainigTime->text(), QStringLiteral("112:30:59:24"));
    legacyFirmware = 1;
    const QList<QByteArray> frames = fixture.FramesOf([page] { page->pbUpdateListFile_pressed(); });
    QCOMPARE(frames.last(), kAvailableTimeLegacy);
    QCOMPARE(page->leRemainigTime->text(), QStringLiteral(" 12:30:59:24"));
}

// Bytes outside printable ASCII are shown as \xNN, never as they are; the
// commands send the recorder's own bytes back.
void ServerFilesTest::namesOutsidePrintableAscii()
{
    ProgramFlags flags;
    ServerFixture fixture("127.0.60.5");
    xrsim::Scenario scenario;
    QVERIFY(Set(scenario, "file", QStringLiteral("\\x01\\xFFCLIP\\x7F")));
    QVERIFY(Set(scenario, "file", QStringLiteral("BACK\\\\")));
    QVERIFY(Set(scenario, "loaded", QStringLiteral("\\x01\\xFFCLIP\\x7F")));
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
    ServerPage *page = fixture.Page();
    page->pbUpdateListFile_pressed();
    QCOMPARE(fixture.Rows(), (QStringList{"\\x01\\xFFCLIP\\x7F Loaded.", "BACK\\x5C"}));

    fixture.Tick();
    QCOMPARE(fixture.window->windowTitle(),
             QStringLiteral("Tavrel - %1 (\\x01\\xFFCLIP\\x7F Loaded).").arg(fixture.DeviceName()));

    recPlayMode = 1;
    page->TableFileList->setCurrentCell(0, 0);
    const QList<QByteArray> frames = fixture.FramesOf([page] { page->pbLoadFile_pressed(); });
    QCOMPARE(frames.first(), LoadClipFrame(QByteArray("\x01\xFF"
                                                      "CLIP\x7F")));
}

void ServerFilesTest::loadFollowsTheSide_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("player side loads") << 1 << false << LoadClipFrame("CLIP0001");
    QTest::newRow("recorder side records into it") << 0 << false << CreateFileFrame("CLIP0001");
    QTest::newRow("double click") << 1 << true << LoadClipFrame("CLIP0001");
}

// After the recorder's pause the loaded file is asked for: its row is marked
// and selected, the one marked before loses the mark.
void ServerFilesTest::loadFollowsTheSide()
{
    QFETCH(int, side);
    QFETCH(bool, doubleClick);
    QFETCH(QByteArray, command);
    ProgramFlags flags;
    ServerFixture fixture("127.0.60.6");
    QVERIFY2(
        fixture.ConnectWithFiles({"CLIP0000", "CLIP0001", "CLIP0002"}, QStringLiteral("CLIP0000")),
        qPrintable(fixture.sim.ErrorString()));
    ServerPage *page = fixture.Page();
    page->pbUpdateListFile_pressed();
    QCOMPARE(fixture.Rows(), (QStringList{"CLIP0000 Loaded.", "CLIP0001", "CLIP0002"}));

    recPlayMode = side;
    page->TableFileList->setCurrentCell(1, 0);
    page->TableFileList->clearSelection();
    const QList<QByteArray> frames = fixture.FramesOf([page, doubleClick] {
        if (doubleClick)
            emit page->TableFileList->cellDoubleClicked(1, 0);
        else
            QTest::mouseClick(page->pbLoadFile, Qt::LeftButton);
    });
    QCOMPARE(frames, (QList<QByteArray>{command, kCurrentFileSense}));
    QCOMPARE(fixture.Rows(), (QStringList{"CLIP0000", "CLIP0001 Loaded.", "CLIP0002"}));
    QVERIFY(page->TableFileList->item(1, 0)->isSelected());
}

void ServerFilesTest::clipNameRules_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QByteArray>("sent");
    const QString characters = QStringLiteral(
        "Please check clip name. Characters like '*', '#', space (...) are not allowed.");
    const QString length = QStringLiteral("Clip name length is limited to 8 characters.");
    QTest::newRow("space") << "take 1" << characters << QByteArray();
    QTest::newRow("hyphen") << "a-b" << characters << QByteArray();
    QTest::newRow("section sign") << QStringLiteral("A\u00A7B") << characters << QByteArray();
    QTest::newRow("outside ASCII") << QStringLiteral("caf\u00E9") << characters << QByteArray();
    QTest::newRow("nine characters") << "NINECHARS" << length << QByteArray();
    QTest::newRow("underscore") << "TAKE_001" << QString() << QByteArray("TAKE_001");
    QTest::newRow("upper-cased, zero-padded") << "take1" << QString() << QByteArray("TAKE1");
}

// A refused name sends nothing and keeps the dialog open; a good one is
// created, upper-cased, and the list walked twice (by the dialog and by the
// key once the dialog has closed).
void ServerFilesTest::clipNameRules()
{
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    QFETCH(QByteArray, sent);
    ServerFixture fixture("127.0.60.7");
    QVERIFY2(fixture.ConnectWithFiles({"CLIP0000"}), qPrintable(fixture.sim.ErrorString()));
    ServerPage *page = fixture.Page();
    QStringList box;
    QStringList dialog;
    TypeClipName(typed, refusal.isEmpty() ? nullptr : &box, &dialog);
    const QList<QByteArray> frames =
        fixture.FramesOf([page] { QTest::mouseClick(page->pbCreateFile_2, Qt::LeftButton); });
    QCOMPARE(dialog, (QStringList{"Enter clip name :", "Clip name", "OK", "OK (Return)", "Close"}));
    if (refusal.isEmpty()) {
        QCOMPARE(frames.first(), CreateFileFrame(sent));
        QCOMPARE(Count(frames, kFileListFirst), 2);
        QVERIFY(fixture.Rows().contains(QString::fromLatin1(sent) + QStringLiteral(" Loaded.")));
    } else {
        QCOMPARE(box.mid(0, 2), (QStringList{"Tavrel", refusal}));
        QCOMPARE(frames.first(), kFileListFirst);
        QCOMPARE(Count(frames, kFileListFirst), 1);
    }
}

void ServerFilesTest::renameSendsTheLoadedFileItsNewName()
{
    ServerFixture fixture("127.0.60.8");
    QVERIFY2(fixture.ConnectWithFiles({"CLIP0000", "CLIP0001"}, QStringLiteral("CLIP0001")),
             qPrintable(fixture.sim.ErrorString()));
    ServerPage *page = fixture.Page();
    QStringList dialog;
    TypeClipName(QStringLiteral("news1"), nullptr, &dialog, true);
    const QList<QByteArray> frames =
        fixture.FramesOf([page] { QTest::mouseClick(page->pbRenameClip, Qt::LeftButton); });
    QCOMPARE(frames.first(), RenameFileFrame("NEWS1"));
    QCOMPARE(Count(frames, kFileListFirst), 1);
    QCOMPARE(fixture.Rows(), (QStringList{"CLIP0000", "NEWS1 Loaded."}));
}

// Cancel deletes nothing; Ok deletes the selected rows top to bottom, then
// walks the list once.
void ServerFilesTest::deleteSendsTheSelectedRows()
{
    ServerFixture fixture("127.0.60.9");
    QVERIFY2(fixture.ConnectWithFiles({"CLIP0004", "CLIP0000", "CLIP0001", "CLIP0002", "CLIP0003"}),
             qPrintable(fixture.sim.ErrorString()));
    ServerPage *page = fixture.Page();
    page->pbUpdateListFile_pressed();
    const auto select = [page] {
        page->TableFileList->clearSelection();
        page->TableFileList->setCurrentCell(4, 0);
        for (const int row : {4, 1, 2})
            page->TableFileList->item(row, 0)->setSelected(true);
    };

    select();
    QStringList box;
    AnswerNextBox(QStringLiteral("Cancel"), &box);
    QCOMPARE(fixture.FramesOf([page] { QTest::mouseClick(page->pbDeleteFile_2, Qt::LeftButton); }),
             QList<QByteArray>{});
    QCOMPARE(box.mid(0, 2),
             (QStringList{"Tavrel", "Are you sure you want to delete selected clip(s) ?"}));
    QVERIFY(box.contains(QStringLiteral("&Ok")) && box.contains(QStringLiteral("&Cancel")));

    select();
    AnswerNextBox(QStringLiteral("Ok"));
    const QList<QByteArray> frames =
        fixture.FramesOf([page] { QTest::mouseClick(page->pbDeleteFile_2, Qt::LeftButton); });
    QCOMPARE(frames.mid(0, 4),
             (QList<QByteArray>{DeleteFileFrame("CLIP0001"), DeleteFileFrame("CLIP0002"),
                                DeleteFileFrame("CLIP0004"), kFileListFirst}));
    QCOMPARE(Count(frames, kFileListFirst), 1);
    QCOMPARE(fixture.Rows(), (QStringList{"CLIP0000", "CLIP0003"}));
}

void ServerFilesTest::keysWithoutRecorderDoNothing()
{
    ServerFixture fixture("127.0.60.10");
    QVERIFY2(fixture.ConnectWithFiles({"CLIP0000"}), qPrintable(fixture.sim.ErrorString()));
    ServerPage *page = fixture.Page();
    page->pbUpdateListFile_pressed();
    page->TableFileList->setCurrentCell(0, 0);
    CurrentDevice = nullptr;
    const QList<QByteArray> frames = fixture.FramesOf([page] {
        for (QPushButton *key : {page->pbUpdateListFile, page->pbLoadFile, page->pbCreateFile_2,
                                 page->pbRenameClip, page->pbDeleteFile_2})
            QTest::mouseClick(key, Qt::LeftButton);
    });
    QCOMPARE(frames, QList<QByteArray>{});
    QCOMPARE(fixture.Rows(), QStringList{"CLIP0000"});
}

QTEST_MAIN(ServerFilesTest)
#include "tst_serverfiles.moc"
