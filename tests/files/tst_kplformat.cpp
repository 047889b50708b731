// SPDX-License-Identifier: GPL-3.0-or-later
#include "kplsamples.h"

#include "ui/clips/kplforms.h"

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
// fields, a disk table of at most six entries, a break inside the file.
void CheckBounds(const KplReading &reading, qsizetype size = -1)
{
    if (reading.damage) {
        QVERIFY(reading.damage->offset >= 0 && (size < 0 || reading.damage->offset <= size));
        QVERIFY(!reading.damage->problem.isEmpty() && !reading.reachedEnd);
    }
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
// file holds, never more, and says where it breaks, but at the sizes given:
// the line ends that close the last item, or the end of a binary block
// after which the next blocks may be missing.
void CheckTruncations(const QByteArray &whole, const QList<qsizetype> &unnoticed)
{
    const KplReading full = ReadKpl(whole);
    QVERIFY(full.form != KplForm::None && full.reachedEnd && !full.damage);
    for (qsizetype size = 0; size <= whole.size(); ++size) {
        const KplReading part = ReadKpl(whole.left(size));
        CheckBounds(part);
        if (part.form == KplForm::None)
            continue;
        QCOMPARE(part.form, full.form);
        if (size < whole.size() && !unnoticed.contains(size)) {
            QVERIFY2(part.damage && part.damage->offset <= size, qPrintable(QString::number(size)));
        }
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
    void damageSaysWhereTheFileBreaks_data();
    void damageSaysWhereTheFileBreaks();
    void diskChunkKeepsSixEntries();
    void binaryBlockLengths_data();
    void binaryBlockLengths();
    void recognition_data();
    void recognition();
    void filesThatAreNoPlaylist();
    void truncatedAtEveryByte();
    void randomBytes();
    void namesWithEveryByteValue();
    void everyWrittenDocumentReadsBackTheSame();
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
    QVERIFY(reading.reachedEnd && !reading.damage);
    QCOMPARE(Dump(reading.document), Dump(RichDocument()));
}

// A count of 0 is a valid, empty playlist file; what follows it is not read.
void KplFormatTest::segmentCountZeroEndsTheReading()
{
    QByteArray bytes = KplText(RichDocument());
    bytes.replace(9, 4, "0000");
    const KplReading reading = ReadKpl(bytes);
    QCOMPARE(reading.form, KplForm::Text);
    QVERIFY(!reading.reachedEnd && !reading.damage);
    QVERIFY(reading.document.segments.empty());
    QVERIFY(reading.document.playlist.isEmpty());
    QVERIFY(!reading.document.disk);
}

void KplFormatTest::damageSaysWhereTheFileBreaks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("chunk");
    QTest::addColumn<int>("item");
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<int>("segments");
    QTest::addColumn<int>("playlistRows");

    const int segments = int(KplChunk::Segments);
    const int playlist = int(KplChunk::Playlist);
    const int disk = int(KplChunk::Disk);
    const QByteArray rich = KplText(RichDocument());
    const qsizetype playTag = rich.indexOf("504C4159");
    const qsizetype diskTag = rich.indexOf("4449534B");
    const QByteArray longName(32, 'L');
    const auto with = [&rich](qsizetype at, const QByteArray &from, const QByteArray &to) {
        return QByteArray(rich).replace(at, from.size(), to);
    };
    const qsizetype thirdRow = rich.lastIndexOf(QByteArray("Seg-1\0", 6));

    QTest::newRow("count not hex") << with(9, "0003", "00x3") << segments << 0 << qsizetype(9)
                                   << "the count is not 4 hex digits" << 0 << 0;
    QTest::newRow("entry cut short") << rich.left(rich.indexOf("Intro") + 3) << segments << 2
                                     << rich.indexOf("Intro") << "the file ends" << 1 << 0;
    QTest::newRow("field not hex")
        << with(rich.indexOf("00989680"), "00989680", "0098968G") << segments << 2
        << rich.indexOf("00989680") << "the in point is not 8 hex digits" << 1 << 0;
    QTest::newRow("name of 33 bytes")
        << with(rich.indexOf(longName), longName, longName + 'L') << segments << 3
        << rich.indexOf(longName) << "the name has no NUL within 32 bytes" << 2 << 0;
    QTest::newRow("count beyond the entries")
        << with(9, "0003", "0004") << segments << 4 << playTag + 9
        << "the out point is not 8 hex digits" << 3 << 0;
    QTest::newRow("count short of the entries")
        << with(9, "0003", "0002") << segments << 0 << rich.indexOf("000003E8")
        << "more segments follow than its count of 2" << 2 << 0;
    QTest::newRow("file ends after the segments")
        << rich.left(playTag) << playlist << 0 << playTag << "the file ends" << 3 << 0;
    QTest::newRow("playlist tag wrong") << with(playTag, "504C4159", "504C4158") << playlist << 0
                                        << playTag << "the tag is not 504C4159" << 3 << 0;
    QTest::newRow("playlist row without NUL")
        << with(thirdRow, QByteArray("Seg-1\0", 6), QByteArray(40, 'S')) << playlist << 3
        << thirdRow << "the name has no NUL within 32 bytes" << 3 << 2;
    QTest::newRow("file ends inside a row")
        << rich.left(diskTag - 3) << playlist << 3 << thirdRow << "the file ends" << 3 << 2;
    QTest::newRow("disk tag wrong") << with(diskTag, "4449534B", "4449534C") << disk << 0 << diskTag
                                    << "the tag is not 4449534B" << 3 << 3;
    QTest::newRow("disk name without NUL")
        << with(rich.indexOf("XR DISK"), QByteArray("XR DISK 15chars\0", 16), QByteArray(20, 'D'))
        << disk << 0 << rich.indexOf("XR DISK") << "the disk name has no NUL within 15 bytes" << 3
        << 3;
    QTest::newRow("disk entry cut short") << rich.left(rich.size() - 10) << disk << 2
                                          << rich.size() - 10 << "the file ends" << 3 << 3;
}

// A damaged file is read up to the field that breaks, which the reading
// names; the end is not reached, so the recorder's disk table is not asked
// for. A segment count that differs from the entries breaks the segment
// chunk: today's phantom segment made of the playlist's bytes, and the
// segments a short count would drop, are both caught.
void KplFormatTest::damageSaysWhereTheFileBreaks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, chunk);
    QFETCH(int, item);
    QFETCH(qsizetype, offset);
    QFETCH(QString, problem);
    QFETCH(int, segments);
    QFETCH(int, playlistRows);
    const KplReading reading = ReadKpl(bytes);
    QCOMPARE(reading.form, KplForm::Text);
    QVERIFY(!reading.reachedEnd);
    QVERIFY(reading.damage);
    QCOMPARE(int(reading.damage->chunk), chunk);
    QCOMPARE(reading.damage->item, item);
    QCOMPARE(reading.damage->offset, offset);
    QCOMPARE(reading.damage->problem, problem);
    QCOMPARE(reading.SegmentsWhole(), chunk != int(KplChunk::Segments));
    QCOMPARE(int(reading.document.segments.size()), segments);
    QCOMPARE(int(reading.document.playlist.size()), playlistRows);
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
    QTest::addColumn<int>("broken");      // the chunk that breaks, -1 for none

    const KplDocument rich = RichDocument();
    const std::vector<SegmentSlotEntry> two{rich.disk->entries[0], rich.disk->entries[1]};
    const auto file = [&](qint64 l1, qint64 l2, const QByteArray &after1 = {},
                          const QByteArray &after2 = {}) {
        return BinaryKpl()
            .Segments(rich.segments, l1)
            .Raw(after1)
            .Playlist(rich.playlist, l2)
            .Raw(after2)
            .Disk("XR", two)
            .bytes;
    };
    const auto disk = [&](std::size_t entries, qint64 length = -1) {
        std::vector<SegmentSlotEntry> many(entries, rich.disk->entries[0]);
        for (std::size_t i = 0; i < std::min<std::size_t>(entries, 2); ++i)
            many[i] = two[i];
        return BinaryKpl()
            .Segments(rich.segments)
            .Playlist(rich.playlist)
            .Disk("XR", many, length)
            .bytes;
    };
    const int none = -1;
    const int segments = int(KplChunk::Segments);
    const int playlist = int(KplChunk::Playlist);
    QTest::newRow("whole blocks") << file(-1, -1) << 3 << 3 << 2 << none;
    QTest::newRow("segment block not whole records")
        << file(3 * 48 + 5, -1, "12345") << 0 << 0 << -1 << segments;
    QTest::newRow("playlist block not whole names")
        << file(-1, 3 * 32 + 7, {}, "1234567") << 3 << 0 << -1 << playlist;
    QTest::newRow("disk block with bytes beyond its entries")
        << BinaryKpl()
               .Segments(rich.segments)
               .Playlist({})
               .Disk("XR", two, 16 + 2 * 12 + 5)
               .Raw("12345")
               .bytes
        << 3 << 0 << 2 << none;
    QTest::newRow("disk block shorter than its name") << disk(2, 10) << 3 << 3 << 0 << none;
    QTest::newRow("disk entry count in a byte") << disk(256) << 3 << 3 << 0 << none;
    QTest::newRow("disk entry count beyond a byte") << disk(258) << 3 << 3 << 2 << none;
    QTest::newRow("disk length beyond the file")
        << disk(2, 16 + 3 * 12) << 3 << 3 << -1 << int(KplChunk::Disk);
    QTest::newRow("segment length beyond the file")
        << BinaryKpl().Segments(rich.segments, 0xFFFFFFF0).bytes << 0 << 0 << -1 << segments;
    QTest::newRow("playlist length beyond the file")
        << BinaryKpl().Segments(rich.segments).Playlist(rich.playlist, 0x7FFFFFFF).bytes << 3 << 0
        << -1 << playlist;
    QTest::newRow("segments alone")
        << BinaryKpl().Segments(rich.segments).bytes << 3 << 0 << -1 << none;
    QTest::newRow("tags in reading order")
        << BinaryKpl().Segments(rich.segments).Raw("PLAY").bytes << 3 << 0 << -1 << playlist;
}

// Lengths count bytes. The segment and playlist blocks hold whole items
// within the file, or the file breaks there; the playlist and disk blocks
// may be missing at the end.
void KplFormatTest::binaryBlockLengths()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, segments);
    QFETCH(int, playlistRows);
    QFETCH(int, diskEntries);
    QFETCH(int, broken);
    const KplReading reading = ReadKpl(bytes);
    CheckBounds(reading, bytes.size());
    QCOMPARE(reading.form, KplForm::Binary);
    QCOMPARE(reading.reachedEnd, broken < 0);
    QCOMPARE(reading.damage ? int(reading.damage->chunk) : -1, broken);
    QCOMPARE(int(reading.document.segments.size()), segments);
    QCOMPARE(int(reading.document.playlist.size()), playlistRows);
    QCOMPARE(reading.document.disk ? reading.document.disk->count : -1, diskEntries);
    KplDocument leading = RichDocument();
    leading.segments.resize(std::size_t(segments));
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
    QTest::newRow("tag alone") << QByteArray("636C6970\n") << int(KplForm::Text);
    QTest::newRow("count cut short") << QByteArray("636C6970\n000") << int(KplForm::Text);
    QTest::newRow("another tag") << QByteArray("504C4159\n0000\n") << none;
    QTest::newRow("letters clip") << QByteArray("clip\0\0\0\0", 8) << none;
    QTest::newRow("tag not hex") << QByteArray("636C697G\n0001\n") << none;
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
// neither form, none at all, or one whose segments break is refused with
// its name.
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

    const QString cut = directory.filePath(QStringLiteral("cut.kpl"));
    QVERIFY(WriteAll(cut, kGolden.left(30)));
    reading = ReadKplFile(cut);
    QCOMPARE(reading.status, KplFileStatus::Damaged);
    QCOMPARE(reading.error, cut + QStringLiteral(" cannot be opened: the segment list breaks at "
                                                 "byte 24, in segment 1 of 1: the file ends. "
                                                 "Nothing was changed."));

    const QString show = directory.filePath(QStringLiteral("show.kpl"));
    QVERIFY(WriteAll(show, kGolden));
    reading = ReadKplFile(show);
    QCOMPARE(reading.status, KplFileStatus::Read);
    QCOMPARE(reading.document.segments.size(), std::size_t(1));
}

void KplFormatTest::truncatedAtEveryByte()
{
    const KplDocument rich = RichDocument();
    // The blank line and the line end of the last disk entry's flag.
    const QByteArray text = KplText(rich);
    CheckTruncations(text, {text.size() - 2, text.size() - 1});
    const QByteArray crlf = WithLineEnds(text, "\r\n");
    CheckTruncations(crlf, {crlf.size() - 4, crlf.size() - 3, crlf.size() - 2, crlf.size() - 1});
    const qsizetype segmentsEnd = 8 + 3 * 48;
    CheckTruncations(BinaryKpl()
                         .Segments(rich.segments)
                         .Playlist(rich.playlist)
                         .Disk("XR DISK", {rich.disk->entries[0], rich.disk->entries[1]})
                         .bytes,
                     {segmentsEnd, segmentsEnd + 8 + 3 * 32});
}

// Garbage behind a valid opening runs deep into both readers; plain garbage
// is refused outright. Nothing may read or write out of bounds.
void KplFormatTest::randomBytes()
{
    const QByteArray tenMegabytes = RandomBytes(10 * 1024 * 1024, 1);
    QCOMPARE(ReadKpl(tenMegabytes).form, KplForm::None);
    const auto check = [](const QByteArray &bytes) { CheckBounds(ReadKpl(bytes), bytes.size()); };
    check(QByteArray("636C6970\nFFFF\n\n") + tenMegabytes);
    check(QByteArray("CLIP\xFF\xFF\xFF\xFF", 8) + tenMegabytes);

    const QByteArray fieldish = QByteArray("0123456789ABCDEF\n\r\0Seg", 23);
    check(QByteArray("636C6970\nFFFF\n\n") + RandomBytes(1024 * 1024, 2, fieldish));
    QRandomGenerator random(3);
    for (quint32 seed = 10; seed < 3010; ++seed) {
        const qsizetype size = random.bounded(400);
        const QByteArray body = RandomBytes(size, seed, seed % 2 ? fieldish : QByteArray());
        check(QByteArray("636C6970\n0009\n\n") + body);
        check(QByteArray("CLIP\x90\0\0\0", 8) + body);
        check(KplText(RichDocument()).left(size) + body);
    }
}

// A name may hold any byte but those that end it in the text form (its NUL)
// or that the reader takes for the line end before it: a name of every
// other byte, at its start, middle or end, reads back as it was written.
void KplFormatTest::namesWithEveryByteValue()
{
    for (int value = 0; value < 256; ++value) {
        const char byte = char(value);
        const bool carried = byte != '\0' && byte != '\n' && byte != '\r';
        for (const QByteArray &name :
             {QByteArray(1, byte) + "name", "na" + QByteArray(1, byte) + "me",
              "name" + QByteArray(1, byte)}) {
            KplDocument document = OneSegmentDocument();
            document.playlist = {name};
            SetDiskName(*document.disk, name.left(kDiskNameMax));
            if (value != 0)
                SetRecordName(document.segments[0], name);
            const QString problem = KplDocumentProblem(document);
            QVERIFY2(problem.isEmpty() == carried, qPrintable(QString::number(value)));
            if (!carried)
                continue;
            const KplReading reading = ReadKpl(KplText(document));
            QVERIFY2(reading.reachedEnd && !reading.damage, qPrintable(QString::number(value)));
            QCOMPARE(Dump(reading.document), Dump(document));
        }
    }
}

// Documents of random values and random names: whatever the writer accepts
// reads back as the same document, and it refuses only names the text form
// cannot carry.
void KplFormatTest::everyWrittenDocumentReadsBackTheSame()
{
    QRandomGenerator random(17);
    // Any byte value; one name in ten spoilt by a byte the form cannot
    // carry, one in (max + 2) a byte too long.
    const QByteArray spoilers("\0\n\r", 3);
    const auto name = [&random, &spoilers](int max) {
        QByteArray text(random.bounded(max + 2), Qt::Uninitialized);
        for (char &byte : text) {
            do
                byte = char(random.bounded(256));
            while (spoilers.contains(byte));
        }
        if (!text.isEmpty() && random.bounded(10) == 0)
            text[random.bounded(text.size())] = spoilers.at(random.bounded(spoilers.size()));
        return text;
    };
    const auto carried = [](const QByteArray &text, int max) {
        return text.size() <= max && !text.contains('\0') && !text.contains('\n') &&
               !text.contains('\r');
    };
    int accepted = 0;
    for (int round = 0; round < 2000; ++round) {
        KplDocument document;
        bool writable = true;
        for (int i = random.bounded(1, 6); i > 0; --i) {
            SegmentRecord record =
                Segment(quint16(random.bounded(1, 2046)), random.generate(), random.generate(), {},
                        quint16(random.bounded(10000)), quint16(random.bounded(10000)));
            SetRecordName(record, name(kSegmentNameMax));
            writable = writable && carried(RecordName(record), kSegmentNameMax);
            document.segments.push_back(record);
        }
        for (int i = random.bounded(4); i > 0; --i) {
            document.playlist << name(kSegmentNameMax);
            writable = writable && carried(document.playlist.last(), kSegmentNameMax);
        }
        DiskTable &disk = document.disk.emplace();
        SetDiskName(disk, name(kDiskNameMax));
        writable = writable && carried(DiskName(disk), kDiskNameMax);
        disk.count = random.bounded(kSegmentSlotCount + 1);
        for (int i = 0; i < disk.count; ++i)
            disk.entries[std::size_t(i)] = DiskEntry(random.generate(), quint8(random.bounded(256)),
                                                     quint8(random.bounded(256)));

        QCOMPARE(KplDocumentProblem(document).isEmpty(), writable);
        if (!writable)
            continue;
        ++accepted;
        for (const QByteArray &lineEnd : {QByteArray("\n"), QByteArray("\r\n")}) {
            const KplReading reading = ReadKpl(WithLineEnds(KplText(document), lineEnd));
            QVERIFY(reading.reachedEnd && !reading.damage);
            QCOMPARE(Dump(reading.document), Dump(document));
        }
    }
    QVERIFY2(accepted > 200, qPrintable(QString::number(accepted)));
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

    // A name the file could not give back is not cut to fit: nothing is
    // written, and the error says which name.
    KplDocument longNames = OneSegmentDocument();
    longNames.playlist = {"Seg-1", QByteArray(33, 'P')};
    QCOMPARE(WriteKplFile(path, longNames, &error), KplWriteStatus::Failed);
    QVERIFY2(error.contains(QLatin1String("playlist row 2 is longer than 32 bytes")),
             qPrintable(error));
    QCOMPARE(ReadAll(path), kGolden);
}

QTEST_GUILESS_MAIN(KplFormatTest)
#include "tst_kplformat.moc"
