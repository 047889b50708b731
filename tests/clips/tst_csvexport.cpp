// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV export of both lists through the Save dialog, and the Open and
// Save dialogs of every file kind.

#include "clipsfixture.h"

#include "protocol/datafile.h"
#include "protocol/timecode.h"
#include "ui/clips/csvexport.h"
#include "ui/clips/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What a file dialog looked like when it opened.
struct DialogLook
{
    QString name;
    QString title;
    QStringList filters;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
};

// Answers the next file dialog with `path` (cancels it when empty) and
// keeps how it looked. A dialog takes a name only once it has listed its
// folder, so the name is given again until it holds it.
class FileDialogAnswer : public QObject
{
public:
    explicit FileDialogAnswer(const QString &path)
    {
        timer.setInterval(10);
        connect(&timer, &QTimer::timeout, this, [this, path] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            look = {dialog->objectName(), dialog->windowTitle(), dialog->nameFilters(),
                    dialog->acceptMode()};
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            if (QWidget *focus = dialog->focusWidget())
                focus->clearFocus();
            dialog->selectFile(path);
            if (dialog->selectedFiles().value(0) == path || ++tries > 200)
                static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
        });
        timer.start();
    }

    QTimer timer;
    DialogLook look;
    int tries = 0;
};

} // namespace

class CsvExportTest : public QObject
{
    Q_OBJECT

private slots:
    void segmentListLines();
    void playlistLinesFollowTheList();
    void emptyListEmptiesTheFile();
    void withoutRecorderTheListsOwnFrameSettings();
    void failedWriteKeepsTheOldFile();
    void dialogsFollowTheFileKind_data();
    void dialogsFollowTheFileKind();
    void saveDialogNamesTheFile();
};

// One line a segment, no header; a name that would break the fields is
// quoted.
void CsvExportTest::segmentListLines()
{
    ClipsFixture clips("127.0.53.1");
    QVERIFY2(clips.Connect(
                 {"segment = 2,00:00:01:00,00:00:02:00", "segment = 7,00:00:10:00,00:00:20:00"}),
             qPrintable(clips.error));
    clips.Import();
    clips.SelectSegment("Seg-2");
    clips.Segments()->DoRenameClip();
    clips.Segments()->lineEdit22_2->setText(QStringLiteral("Take 1, \"wide\""));
    clips.Segments()->lineEdit22_2_returnPressed();

    const QString chosen = clips.directory.filePath(QStringLiteral("list"));
    clips.answers.Choose(chosen);
    clips.window->segment->csv->ExportClipCSV_activated();
    QCOMPARE(Contents(chosen + QStringLiteral(".CSV")),
             QByteArray("2,\"Take 1, \"\"wide\"\"\",00:00:01:00,00:00:02:00\n"
                        "7,Seg-7,00:00:10:00,00:00:20:00\n"));
}

// A row whose segment has been cut gives no line; a segment named twice
// gives two.
void CsvExportTest::playlistLinesFollowTheList()
{
    ClipsFixture clips("127.0.53.2");
    QVERIFY2(clips.Connect(
                 {"segment = 2,00:00:01:00,00:00:02:00", "segment = 7,00:00:10:00,00:00:20:00"}),
             qPrintable(clips.error));
    clips.Import();
    for (const char *name : {"Seg-7", "Seg-2", "Seg-7"}) {
        clips.SelectSegment(name);
        clips.Segments()->DoCopyToEnd();
    }
    clips.SelectSegment("Seg-2");
    clips.Segments()->DoCut();
    const QString chosen = clips.directory.filePath(QStringLiteral("playlist.csv"));
    clips.answers.Choose(chosen);
    clips.window->segment->csv->ExportPListToCSV_activated();
    QCOMPARE(Contents(chosen), QByteArray("7,Seg-7,00:00:10:00,00:00:20:00\n"
                                          "7,Seg-7,00:00:10:00,00:00:20:00\n"));
}

void CsvExportTest::emptyListEmptiesTheFile()
{
    ClipsFixture clips("127.0.53.3");
    QVERIFY2(clips.Connect({}), qPrintable(clips.error));
    const QString chosen = clips.directory.filePath(QStringLiteral("old.CSV"));
    QVERIFY(WriteFile(chosen, "1,Seg-1,00:00:00:00,00:00:01:00\n"));
    clips.answers.Choose(chosen);
    clips.window->segment->csv->ExportClipCSV_activated();
    QCOMPARE(Contents(chosen), QByteArray());
    // Cancel writes nothing.
    clips.window->segment->csv->ExportClipCSV_activated();
    QCOMPARE(QDir(clips.directory.path()).entryList({"*.CSV"}), QStringList({"old.CSV"}));
}

// The rows came from the recorder whose frame settings they were shown
// with; without a current recorder those are written, whatever the program
// was set to since.
void CsvExportTest::withoutRecorderTheListsOwnFrameSettings()
{
    ClipsFixture clips("127.0.53.4");
    QVERIFY2(clips.Connect({"standard = 1", "drop_frame = on", "file = CLIP0000,300",
                            "loaded = CLIP0000", "segment = 3,00:01:00:00,00:02:00:00"}),
             qPrintable(clips.error));
    clips.Import();
    const QByteArray line = "3,Seg-3," + getCell(0, kInTextCell, clips.SegmentTable()) + ',' +
                            getCell(0, kOutTextCell, clips.SegmentTable()) + '\n';
    QCOMPARE(line, QByteArray("3,Seg-3,00:01:00:02,00:02:00:04\n"));

    DeviceRecord *device = CurrentDevice;
    CurrentDevice = nullptr;
    const quint32 divisor = positionDivisor;
    positionDivisor = 1;
    QCOMPARE(clips.window->segment->csv->SegmentListCsv(), line);
    positionDivisor = divisor;
    CurrentDevice = device;
}

// A file that cannot be written is reported; the file chosen stays as it
// was, also while the dialog is open.
void CsvExportTest::failedWriteKeepsTheOldFile()
{
    ClipsFixture clips("127.0.53.5");
    QVERIFY2(clips.Connect({"segment = 2,00:00:01:00,00:00:02:00"}), qPrintable(clips.error));
    clips.Import();
    const QString kept = clips.directory.filePath(QStringLiteral("kept.CSV"));
    QVERIFY(WriteFile(kept, "old lines\n"));
    clips.answers.Choose(kept);
    const std::unique_ptr<DataFile> file = saveFileDialog(kFileKindCsv, nullptr);
    QVERIFY(file);
    QCOMPARE(file->Path(), kept);
    QCOMPARE(Contents(kept), QByteArray("old lines\n"));
    const QString folder = clips.directory.filePath(QStringLiteral("folder.CSV"));
    QVERIFY(QDir().mkdir(folder));
    clips.answers.Choose(folder);
    clips.window->segment->csv->ExportClipCSV_activated();
    QTRY_COMPARE(clips.answers.texts,
                 QStringList{QStringLiteral("Could not write %1.").arg(folder)});
    QVERIFY(QFileInfo(folder).isDir());
}

void CsvExportTest::dialogsFollowTheFileKind_data()
{
    QTest::addColumn<quint32>("kind");
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::newRow("open playlist") << kFileKindClip << false << "Open Playlist File"
                                   << "XR Play List Files (*.KPL)";
    QTest::newRow("open other") << kFileKindText << false << "Open Firmware File"
                                << "XR Firmware Files (*.BIN)";
    QTest::newRow("save CSV") << kFileKindCsv << true << "New Excel File"
                              << "CSV (comma delimited) (*.CSV)";
    QTest::newRow("save playlist") << kFileKindText << true << "New Playlist File"
                                   << "XR Play List Files (*.KPL)";
    QTest::newRow("save other") << kFileKindClip << true << "New Playlist File"
                                << "XR Play List Files (*.KPL)";
}

// Cancel gives no file; otherwise a file object of the kind for the path.
void CsvExportTest::dialogsFollowTheFileKind()
{
    QFETCH(quint32, kind);
    QFETCH(bool, save);
    QFETCH(QString, title);
    QFETCH(QString, filter);
    {
        FileDialogAnswer answer{QString()};
        QVERIFY(!(save ? saveFileDialog(kind, nullptr) : openFileDialog(kind, nullptr)));
        QCOMPARE(answer.look.name, title);
        QCOMPARE(answer.look.title, title);
        QCOMPARE(answer.look.filters, QStringList{filter});
        QCOMPARE(answer.look.mode, save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    }
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("take.bin"));
    QVERIFY(WriteFile(path, "x"));
    FileDialogAnswer answer(path);
    const std::unique_ptr<DataFile> file =
        save ? saveFileDialog(kind, nullptr) : openFileDialog(kind, nullptr);
    QVERIFY(file);
    QCOMPARE(file->Kind(), kind);
    QCOMPARE(file->Name(),
             save ? QStringLiteral("take.bin") + QLatin1String(SaveDialogTexts(kind).extension)
                  : QStringLiteral("take.bin"));
    QVERIFY(!file->IsOpen());
}

// The kind's extension is added unless the name ends in it, in any case;
// a new file is there, empty, when the dialog returns; a path of fewer than
// five characters gives no file.
void CsvExportTest::saveDialogNamesTheFile()
{
    QTemporaryDir directory;
    const auto saved = [&](const QString &name) {
        FileDialogAnswer answer(name.startsWith(QLatin1Char('/')) ? name
                                                                  : directory.filePath(name));
        const std::unique_ptr<DataFile> file = saveFileDialog(kFileKindText, nullptr);
        return file ? file->Name() : QString();
    };
    QCOMPARE(saved(QStringLiteral("show.kpl")), QStringLiteral("show.kpl"));
    QCOMPARE(saved(QStringLiteral("show")), QStringLiteral("show.KPL"));
    QVERIFY(QFileInfo(directory.filePath(QStringLiteral("show.KPL"))).exists());
    QCOMPARE(QFileInfo(directory.filePath(QStringLiteral("show.KPL"))).size(), 0);
    QCOMPARE(saved(QStringLiteral("/a")), QString());
    QCOMPARE(SavedFilePath(QStringLiteral("clip.kmf"), ".KMF"), QStringLiteral("clip.kmf"));
    QCOMPARE(SavedFilePath(QStringLiteral("clip.txt"), ".CSV"), QStringLiteral("clip.txt.CSV"));
}

QTEST_MAIN(CsvExportTest)
#include "tst_csvexport.moc"
