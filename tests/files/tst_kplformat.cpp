// SPDX-License-Identifier: GPL-3.0-or-later
#include "kplsamples.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A document as text, field by field, so that a difference shows where it is.
QString Dump(const KplDocument &document)
{
    QStringList lines;
    for (const SegmentRecord &r : document.segments)
        lines << QStringLiteral("segment %1 %2 %3 %4 %5 [%6]")
                     .arg(r.number)
                     .arg(r.inPoint, 8, 16, QLatin1Char('0'))
                     .arg(r.outPoint, 8, 16, QLatin1Char('0'))
                     .arg(r.extra1)
                     .arg(r.extra2)
                     .arg(QString::fromLatin1(NameOf(r).toHex(' ')));
    for (const QByteArray &name : document.playlist)
        lines << QStringLiteral("playlist [%1]").arg(QString::fromLatin1(name.toHex(' ')));
    if (document.disk) {
        const DiskTable &disk = *document.disk;
        lines
            << QStringLiteral("disk [%1] %2").arg(QLatin1String(disk.name.data())).arg(disk.count);
        for (int i = 0; i < disk.count; ++i) {
            const SegmentSlotEntry &e = disk.entries[static_cast<std::size_t>(i)];
            lines << QStringLiteral("entry %1 %2 %3 %4 %5")
                         .arg(e.value1)
                         .arg(e.value2)
                         .arg(e.byte1)
                         .arg(e.byte2)
                         .arg(e.present);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

const char kGoldenText[] = "636C6970\n0001\n\n00000064\n000000C8\n0000\n0000\n0001\nSeg-1\0\n\n\n"
                           "504C4159\n0000\n4449534B\n0000\n\0\n";
const QByteArray kGolden(kGoldenText, sizeof(kGoldenText) - 1);

QByteArray WithLineEnds(QByteArray text, const QByteArray &lineEnd)
{
    return text.replace('\n', lineEnd);
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What any reading of any bytes must keep to: names terminated within their
// fields and a disk table of at most six entries.
void CheckBounds(const KplReading &reading)
{
    for (const SegmentRecord &record : reading.document.segments) {
        QVERIFY(record.name[kSegmentNameMax] == 0 && record.name[kSegmentNameMax + 1] == 0);
    }
    for (const QByteArray &name : reading.document.playlist) {
        QVERIFY(name.size() <= kSegmentNameMax && !name.contains('\0'));
    }
    if (reading.document.disk) {
        QVERIFY(reading.document.disk->count >= 0 && reading.document.disk->count <= 6);
        QCOMPARE(reading.document.disk->name[kDiskNameMax], '\0');
    }
}

// Every reading of a truncated file keeps a leading part of what the whole
// file holds, never more.
void CheckTruncations(const QByteArray &whole)
{
    const KplReading full = ReadKpl(whole);
    QVERIFY(full.form != KplForm::None);
    for (qsizetype size = 0; size <= whole.size(); ++size) {
        const KplReading part = ReadKpl(whole.left(size));
        CheckBounds(part);
        if (part.form == KplForm::None)
            continue;
        QCOMPARE(part.form, full.form);
        QVERIFY(part.document.segments.size() <= full.document.segments.size());
        QVERIFY(part.document.playlist.size() <= full.document.playlist.size());
        KplDocument leading = full.document;
        leading.segments.resize(part.document.segments.size());
        leading.playlist = leading.playlist.mid(0, part.document.playlist.size());
        leading.disk.reset();
        KplDocument partWithoutDisk = part.document;
        partWithoutDisk.disk.reset();
        QCOMPARE(Dump(partWithoutDisk), Dump(leading));
    }
}

QByteArray RandomBytes(qsizetype size, quint32 seed, const QByteArray &alphabet = {})
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes) {
        const quint32 value = random.generate();
        byte = alphabet.isEmpty() ? char(value) : alphabet.at(value % alphabet.size());
    }
    return bytes;
}

} // namespace

class KplFormatTest : public QObject
{
    Q_OBJECT

private slots:
    void writesTheLaidOutText();
    void readsEveryForm_data();
    void readsEveryForm();
    void segmentCountZeroEndsTheReading();
    void damagedTextKeepsWhatWasRead_data();
    void damagedTextKeepsWhatWasRead();
    void diskChunkKeepsSixEntries();
    void binaryBlockLengths_data();
    void binaryBlockLengths();
    void recognition_data();
    void recognition();
    void filesThatAreNoPlaylist();
    void truncatedAtEveryByte();
    void randomBytes();
    void writingReplacesTheFileOnlyWhenComplete();
};

// One segment Seg-1 from 0x64 to 0xC8, no playlist, no disk: the file as
// written, line by line.
void KplFormatTest::writesTheLaidOutText()
{
    QCOMPARE(KplText(OneSegmentDocument()), kGolden);
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("show.kpl"));
    QString error;
    QCOMPARE(WriteKplFile(path, OneSegmentDocument(), &error), KplWriteStatus::Written);
    QCOMPARE(ReadAll(path), kGolden);

    const KplReading reading = ReadKpl(kGolden);
    QCOMPARE(reading.form, KplForm::Text);
    QVERIFY(reading.reachedEnd);
    QCOMPARE(Dump(reading.document), Dump(OneSegmentDocument()));
}

void KplFormatTest::readsEveryForm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("form");
    const KplDocument rich = RichDocument();
    const QByteArray text = KplText(rich);
    QTest::newRow("LF") << text << int(KplForm::Text);
    QTest::newRow("CR LF") << WithLineEnds(text, "\r\n") << int(KplForm::Text);
    QTest::newRow("LF CR") << WithLineEnds(text, "\n\r") << int(KplForm::Text);
    QTest::newRow("LF LF") << WithLineEnds(text, "\n\n") << int(KplForm::Text);
    QTest::newRow("lower-case hex") << QByteArray(text).replace("C8", "c8") << int(KplForm::Text);
    QTest::newRow("binary") << BinaryKpl()
                                   .Segments(rich.segments)
                                   .Playlist(rich.playlist)
                                   .Disk("XR DISK 15chars",
                                         {rich.disk->entries[0], rich.disk->entries[1]})
                                   .bytes
                            << int(KplForm::Binary);
}

// The text in every line-end form, and the binary form, give the document
// that was written.
void KplFormatTest::readsEveryForm()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, form);
    QCOMPARE(int(RecognizeKpl(bytes)), form);
    const KplReading reading = ReadKpl(bytes);
    QCOMPARE(int(reading.form), form);
    QVERIFY(reading.reachedEnd);
    QCOMPARE(Dump(reading.document), Dump(RichDocument()));
}

// A count of 0 is a valid, empty playlist file; what follows it is not read.
void KplFormatTest::segmentCountZeroEndsTheReading()
{
    QByteArray bytes = KplText(RichDocument());
    bytes.replace(9, 4, "0000");
    const KplReading reading = ReadKpl(bytes);
    QCOMPARE(reading.form, KplForm::Text);
    QVERIFY(!reading.reachedEnd);
    QVERIFY(reading.document.segments.empty());
    QVERIFY(reading.document.playlist.isEmpty());
    QVERIFY(!reading.document.disk);
}

void KplFormatTest::damagedTextKeepsWhatWasRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("segments");
    QTest::addColumn<int>("playlistRows");
    QTest::addColumn<QString>("disk");

    const QByteArray rich = KplText(RichDocument());
    const qsizetype playTag = rich.indexOf("504C4159");
    const qsizetype diskTag = rich.indexOf("4449534B");
    QTest::newRow("playlist tag wrong")
        << QByteArray(rich).replace("504C4159", "504C4158") << 3 << 0 << "none";
    QTest::newRow("disk tag wrong")
        << QByteArray(rich).replace("4449534B", "4449534C") << 3 << 3 << "none";
    QTest::newRow("segment count beyond the data")
        << QByteArray(rich.left(playTag)).replace(9, 4, "0FFF") << 3 << 0 << "none";
    QTest::newRow("file ends inside the playlist chunk")
        << rich.left(diskTag - 3) << 3 << 2 << "none";

    QByteArray unterminated = KplText(RichDocument());
    unterminated.replace(QByteArray("Intro \xE9t\xE9"), QByteArray(40, 'N'));
    QTest::newRow("segment name without NUL") << unterminated << 1 << 0 << "none";

    QByteArray diskName = rich;
    diskName.replace(QByteArray("XR DISK 15chars\0", 16), QByteArray(20, 'D'));
    QTest::newRow("disk name without NUL") << diskName << 3 << 3 << "DDDDDDDDDDDDDDD 0";
    QTest::newRow("disk entry cut short")
        << rich.left(rich.size() - 10) << 3 << 3 << "XR DISK 15chars 1";
}

// A damaged playlist or disk chunk keeps the segments (and rows) read before
// it; the end is not reached, so the recorder's disk table is not asked for.
void KplFormatTest::damagedTextKeepsWhatWasRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, segments);
    QFETCH(int, playlistRows);
    QFETCH(QString, disk);
    const KplReading reading = ReadKpl(bytes);
    QCOMPARE(reading.form, KplForm::Text);
    QVERIFY(!reading.reachedEnd);
    QCOMPARE(int(reading.document.segments.size()), segments);
    QCOMPARE(int(reading.document.playlist.size()), playlistRows);
    const std::optional<DiskTable> &table = reading.document.disk;
    QCOMPARE(table
                 ? QStringLiteral("%1 %2").arg(QLatin1String(table->name.data())).arg(table->count)
                 : QStringLiteral("none"),
             disk);
    KplDocument leading = RichDocument();
    leading.segments.resize(std::size_t(segments));
    QCOMPARE(Dump({reading.document.segments, {}, {}}), Dump({leading.segments, {}, {}}));
}

// A file may list more disks than the table holds: the first six are kept,
// the rest passed over, in both forms.
void KplFormatTest::diskChunkKeepsSixEntries()
{
    std::vector<SegmentSlotEntry> eight;
    for (quint8 i = 1; i <= 8; ++i)
        eight.push_back(DiskEntry(1000u * i, 1, i));
    KplDocument six = OneSegmentDocument();
    std::copy(eight.begin(), eight.begin() + 6, six.disk->entries.begin());
    six.disk->count = 6;

    QByteArray text = KplText(six);
    text.replace("4449534B\n0006", "4449534B\n0008");
    text += "00001B58\n01020304\n01\n07\n01\n\n00001F40\n01020304\n01\n08\n01\n\n";
    const QByteArray binary = BinaryKpl().Segments(six.segments).Playlist({}).Disk("", eight).bytes;
    for (const QByteArray &bytes : {text, binary}) {
        const KplReading reading = ReadKpl(bytes);
        QVERIFY(reading.reachedEnd);
        QCOMPARE(Dump(reading.document), Dump(six));
    }
}

void KplFormatTest::binaryBlockLengths_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("segments");
    QTest::addColumn<int>("playlistRows");
    QTest::addColumn<int>("diskEntries"); // -1: no disk chunk read

    const KplDocument rich = RichDocument();
    const std::vector<SegmentSlotEntry> two{rich.disk->entries[0], rich.disk->entries[1]};
    const auto file = [&](qint64 l1, qint64 l2, qint64 l3, const QByteArray &after1 = {},
                          const QByteArray &after2 = {}) {
        return BinaryKpl()
            .Segments(rich.segments, l1)
            .Raw(after1)
            .Playlist(rich.playlist, l2)
            .Raw(after2)
            .Disk("XR", two, l3)
            .bytes;
    };
    QTest::newRow("whole blocks") << file(-1, -1, -1) << 3 << 3 << 2;
    QTest::newRow("segment block not whole records")
        << file(3 * 48 + 5, -1, -1, "12345") << 3 << 0 << -1;
    QTest::newRow("playlist block not whole names")
        << file(-1, 3 * 32 + 7, -1, {}, "1234567") << 3 << 3 << -1;
    QTest::newRow("disk block with bytes beyond its entries")
        << BinaryKpl()
               .Segments(rich.segments)
               .Playlist({})
               .Disk("XR", two, 16 + 2 * 12 + 5)
               .Raw("12345")
               .bytes
        << 3 << 0 << 2;
    QTest::newRow("disk block shorter than its name") << file(-1, -1, 10) << 3 << 3 << 0;
    QTest::newRow("disk entry count in a byte") << file(-1, -1, 16 + 256 * 12) << 3 << 3 << 0;
    QTest::newRow("disk entry count beyond a byte") << file(-1, -1, 16 + 258 * 12) << 3 << 3 << 2;
    QTest::newRow("segment length beyond the file")
        << BinaryKpl().Segments(rich.segments, 0xFFFFFFF0).bytes << 3 << 0 << -1;
    QTest::newRow("playlist length beyond the file")
        << BinaryKpl().Segments(rich.segments).Playlist(rich.playlist, 0x7FFFFFFF).bytes << 3 << 3
        << -1;
    QTest::newRow("tags in reading order")
        << BinaryKpl().Segments(rich.segments).Raw("PLAY").bytes << 3 << 0 << -1;
}

// Lengths count bytes; what is left over of a block stays where the next
// tag is looked for.
void KplFormatTest::binaryBlockLengths()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, segments);
    QFETCH(int, playlistRows);
    QFETCH(int, diskEntries);
    const KplReading reading = ReadKpl(bytes);
    QCOMPARE(reading.form, KplForm::Binary);
    QVERIFY(reading.reachedEnd);
    QCOMPARE(int(reading.document.segments.size()), segments);
    QCOMPARE(int(reading.document.playlist.size()), playlistRows);
    QCOMPARE(reading.document.disk ? reading.document.disk->count : -1, diskEntries);
    KplDocument leading = RichDocument();
    leading.playlist = leading.playlist.mid(0, playlistRows);
    leading.disk.reset();
    KplDocument read = reading.document;
    read.disk.reset();
    QCOMPARE(Dump(read), Dump(leading));
}

void KplFormatTest::recognition_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("form");
    const int none = int(KplForm::None);
    QTest::newRow("empty") << QByteArray() << none;
    QTest::newRow("tag cut short") << QByteArray("636C697") << none;
    QTest::newRow("tag alone") << QByteArray("636C6970\n") << none;
    QTest::newRow("count cut short") << QByteArray("636C6970\n000") << none;
    QTest::newRow("another tag") << QByteArray("504C4159\n0000\n") << none;
    QTest::newRow("letters clip") << QByteArray("clip\0\0\0\0", 8) << none;
    QTest::newRow("binary length cut short") << QByteArray("CLIP\x01\x00\x00", 7) << none;
    QTest::newRow("a CSV export") << QByteArray("7,Seg-7,00:00:10:00,00:00:20:00\n") << none;
    QTest::newRow("text, count only") << QByteArray("636C6970\n0000") << int(KplForm::Text);
    QTest::newRow("text, CR LF") << QByteArray("636C6970\r\n0002\r\n") << int(KplForm::Text);
    QTest::newRow("binary, length only") << QByteArray("CLIP\0\0\0\0", 8) << int(KplForm::Binary);
}

void KplFormatTest::recognition()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, form);
    QCOMPARE(int(RecognizeKpl(bytes)), form);
    const KplReading reading = ReadKpl(bytes);
    QCOMPARE(int(reading.form), form);
    if (reading.form == KplForm::None) {
        QVERIFY(reading.document.segments.empty() && !reading.document.disk);
    }
}

// Opening checks the whole file before anything changes: a file that is
// neither form, or none at all, is refused with its name.
void KplFormatTest::filesThatAreNoPlaylist()
{
    QTemporaryDir directory;
    const QString notes = directory.filePath(QStringLiteral("notes.txt"));
    QVERIFY(WriteAll(notes, "Playlist for Friday\n"));
    KplFileReading reading = ReadKplFile(notes);
    QCOMPARE(reading.status, KplFileStatus::NotPlaylist);
    QVERIFY2(reading.error.contains(QLatin1String("notes.txt")), qPrintable(reading.error));
    QVERIFY(reading.document.segments.empty());

    const QString missing = directory.filePath(QStringLiteral("gone.kpl"));
    reading = ReadKplFile(missing);
    QCOMPARE(reading.status, KplFileStatus::CannotOpen);
    QVERIFY2(reading.error.contains(QLatin1String("gone.kpl")), qPrintable(reading.error));

    reading = ReadKplFile(directory.path());
    QVERIFY(reading.status != KplFileStatus::Read);

    const QString show = directory.filePath(QStringLiteral("show.kpl"));
    QVERIFY(WriteAll(show, kGolden));
    reading = ReadKplFile(show);
    QCOMPARE(reading.status, KplFileStatus::Read);
    QCOMPARE(reading.document.segments.size(), std::size_t(1));
}

void KplFormatTest::truncatedAtEveryByte()
{
    const KplDocument rich = RichDocument();
    CheckTruncations(KplText(rich));
    CheckTruncations(WithLineEnds(KplText(rich), "\r\n"));
    CheckTruncations(BinaryKpl()
                         .Segments(rich.segments)
                         .Playlist(rich.playlist)
                         .Disk("XR DISK", {rich.disk->entries[0], rich.disk->entries[1]})
                         .bytes);
}

// Garbage behind a valid opening runs deep into both readers; plain garbage
// is refused outright. Nothing may read or write out of bounds.
void KplFormatTest::randomBytes()
{
    const QByteArray tenMegabytes = RandomBytes(10 * 1024 * 1024, 1);
    QCOMPARE(ReadKpl(tenMegabytes).form, KplForm::None);
    CheckBounds(ReadKpl(QByteArray("636C6970\nFFFF\n\n") + tenMegabytes));
    CheckBounds(ReadKpl(QByteArray("CLIP\xFF\xFF\xFF\xFF", 8) + tenMegabytes));

    const QByteArray fieldish = QByteArray("0123456789ABCDEF\n\r\0Seg", 23);
    CheckBounds(ReadKpl(QByteArray("636C6970\nFFFF\n\n") + RandomBytes(1024 * 1024, 2, fieldish)));
    QRandomGenerator random(3);
    for (quint32 seed = 10; seed < 3010; ++seed) {
        const qsizetype size = random.bounded(400);
        const QByteArray body = RandomBytes(size, seed, seed % 2 ? fieldish : QByteArray());
        CheckBounds(ReadKpl(QByteArray("636C6970\n0009\n\n") + body));
        CheckBounds(ReadKpl(QByteArray("CLIP\x90\0\0\0", 8) + body));
        CheckBounds(ReadKpl(KplText(RichDocument()).left(size) + body));
    }
}

// The file changes only when the whole text is written; a document without
// segments writes nothing.
void KplFormatTest::writingReplacesTheFileOnlyWhenComplete()
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("show.kpl"));
    const QByteArray previous = KplText(RichDocument());
    QVERIFY(WriteAll(path, previous));

    QString error;
    QCOMPARE(WriteKplFile(path, KplDocument{}, &error), KplWriteStatus::Empty);
    QCOMPARE(ReadAll(path), previous);

    QCOMPARE(WriteKplFile(path, OneSegmentDocument(), &error), KplWriteStatus::Written);
    QCOMPARE(ReadAll(path), kGolden);

    const QString folder = directory.filePath(QStringLiteral("folder.kpl"));
    QVERIFY(QDir().mkdir(folder));
    QCOMPARE(WriteKplFile(folder, OneSegmentDocument(), &error), KplWriteStatus::Failed);
    QVERIFY2(error.contains(QLatin1String("folder.kpl")), qPrintable(error));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList{"show.kpl"});

    KplDocument longNames = OneSegmentDocument();
    longNames.playlist = {QByteArray(40, 'P')};
    QCOMPARE(WriteKplFile(path, longNames, &error), KplWriteStatus::Written);
    QCOMPARE(ReadKplFile(path).document.playlist, QList<QByteArray>{QByteArray(32, 'P')});
}

QTEST_GUILESS_MAIN(KplFormatTest)
#include "tst_kplformat.moc"
