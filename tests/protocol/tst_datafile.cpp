// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "link/linkstatus.h"
#include "protocol/datafile.h"

#include <cstring>
#include <memory>

namespace {

constexpr quint32 kTextKind = 0x54455854; // "TEXT"

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString filePath(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    // A file holding `content`, opened for binary reading.
    std::unique_ptr<DataFile> readerOf(const QByteArray &content)
    {
        QFile file(filePath("input.bin"));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
            return nullptr;
        }
        file.close();
        auto reader = std::make_unique<DataFile>(kTextKind, file.fileName());
        return reader->Open(QIODevice::ReadOnly) == kStatusOk ? std::move(reader) : nullptr;
    }

    // What is left after the reads so far.
    static QByteArray rest(DataFile &file)
    {
        char buffer[32] = {};
        qint64 length = sizeof buffer;
        return file.Read(length, buffer) == kStatusOk ? QByteArray(buffer, int(length))
                                                      : QByteArray("read failed");
    }

    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void namesAndOpenFailures()
    {
        DataFile file(kTextKind, QStringLiteral("/home/op/shows/news.KPL"));
        QCOMPARE(file.Name(), "news.KPL");

        DataFile missing(kTextKind, filePath("missing.KPL"));
        QCOMPARE(missing.Open(QIODevice::ReadOnly), kStatusLinkError);
        QVERIFY(!missing.IsOpen());
        QCOMPARE(missing.Close(), kStatusOk);
        quint32 value = 7;
        QCOMPARE(missing.ReadHex8(value), kStatusLinkError);
        QCOMPARE(value, 7u);

        DataFile noDir(kTextKind, filePath("no/such/dir.KPL"));
        QCOMPARE(noDir.Open(QIODevice::WriteOnly), kStatusLinkError);

        // A path that does not fit is not opened under a shortened name.
        const QString longPath = m_dir.filePath(QString(DataFile::kMaxPathLength, u'x'));
        DataFile tooLong(kTextKind, longPath);
        QCOMPARE(tooLong.Open(QIODevice::WriteOnly), kStatusLinkError);
        QVERIFY(!QFile::exists(longPath.left(DataFile::kMaxPathLength)));
    }

    // A second Open neither reopens nor truncates the file.
    void openTwiceStaysOpen()
    {
        auto file = readerOf("00C0FFEE");
        QVERIFY(file);
        QCOMPARE(file->Open(QIODevice::WriteOnly | QIODevice::Truncate), kStatusOk);
        quint32 value = 0;
        QCOMPARE(file->ReadHex8(value), kStatusOk);
        QCOMPARE(value, 0x00C0FFEEu);
    }

    void typedRoundTrip()
    {
        const QString path = filePath("round.KPL");
        DataFile out(kTextKind, path);
        QCOMPARE(out.Open(QIODevice::WriteOnly | QIODevice::Truncate), kStatusOk);
        QCOMPARE(out.WriteHex8(0xDEADBEEF), kStatusOk);
        QCOMPARE(out.WriteNewline(), kStatusOk);
        QCOMPARE(out.WriteHex4(0x0C), kStatusOk);
        QCOMPARE(out.WriteHex2(0xA5), kStatusOk);
        QCOMPARE(out.WriteU32BE(0x434C4950), kStatusOk);
        QCOMPARE(out.WriteString("Seg-1"), kStatusOk);
        QCOMPARE(out.WriteString(""), kStatusOk);
        qint64 length = 3;
        QCOMPARE(out.Write(length, "xyz"), kStatusOk);
        QCOMPARE(length, qint64(3));
        QCOMPARE(out.Flush(), kStatusOk);
        QCOMPARE(out.Close(), kStatusOk);
        QCOMPARE(contentOf(path), QByteArray("DEADBEEF\n000CA5CLIPSeg-1\0\0xyz", 29));

        DataFile in(kTextKind, path);
        QCOMPARE(in.Open(QIODevice::ReadOnly), kStatusOk);
        quint32 hex8 = 0;
        quint16 hex4 = 0;
        quint8 hex2 = 0;
        quint32 word = 0;
        char name[33];
        QCOMPARE(in.ReadHex8(hex8), kStatusOk);
        QCOMPARE(in.SkipNewline(), kStatusOk);
        QCOMPARE(in.ReadHex4(hex4), kStatusOk);
        QCOMPARE(in.ReadHex2(hex2), kStatusOk);
        QCOMPARE(in.ReadU32BE(word), kStatusOk);
        QCOMPARE(in.ReadString(32, name), kStatusOk);
        QCOMPARE(hex8, 0xDEADBEEFu);
        QCOMPARE(hex4, quint16(0x0C));
        QCOMPARE(hex2, quint8(0xA5));
        QCOMPARE(word, 0x434C4950u);
        QCOMPARE(QByteArray(name), QByteArray("Seg-1"));
        QCOMPARE(in.ReadString(32, name), kStatusOk);
        QCOMPARE(name[0], '\0');
        QCOMPARE(rest(in), QByteArray("xyz"));
        QCOMPARE(in.ReadU32BE(word), kStatusLinkError);
    }

    void hexFields_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint16>("status");
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QByteArray>("left");
        QTest::newRow("upper") << QByteArray("636C6970\n") << kStatusOk << 0x636C6970u
                               << QByteArray("\n");
        QTest::newRow("lower") << QByteArray("ffffffff") << kStatusOk << 0xFFFFFFFFu
                               << QByteArray();
        QTest::newRow("stops at bad digit")
            << QByteArray("12G45678AB") << kStatusOk << 0x12u << QByteArray("AB");
        QTest::newRow("no digits") << QByteArray("ZZZZZZZZ") << kStatusOk << 0u << QByteArray();
        QTest::newRow("no separators")
            << QByteArray("0000000100000002") << kStatusOk << 1u << QByteArray("00000002");
        QTest::newRow("short at end")
            << QByteArray("1234") << kStatusLinkError << 99u << QByteArray();
    }

    // A field always takes exactly its width, whatever its characters are.
    void hexFields()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint16, status);
        QFETCH(quint32, value);
        QFETCH(QByteArray, left);
        auto file = readerOf(content);
        QVERIFY(file);
        quint32 read = 99;
        QCOMPARE(file->ReadHex8(read), status);
        QCOMPARE(read, value);
        QCOMPARE(rest(*file), left);
    }

    void decimalField()
    {
        auto file = readerOf("000123-0001212a456999");
        QVERIFY(file);
        qint32 value = 0;
        QCOMPARE(file->ReadDecimal6(value), kStatusOk);
        QCOMPARE(value, 123);
        QCOMPARE(file->ReadDecimal6(value), kStatusOk);
        QCOMPARE(value, -12);
        QCOMPARE(file->ReadDecimal6(value), kStatusOk);
        QCOMPARE(value, 12);
        QCOMPARE(file->ReadDecimal6(value), kStatusLinkError);
        QCOMPARE(value, 12);
    }

    void skipNewline_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("skipped");
        QTest::newRow("LF") << QByteArray("\nX") << 1;
        QTest::newRow("CR") << QByteArray("\rX") << 1;
        QTest::newRow("CR LF") << QByteArray("\r\nX") << 2;
        QTest::newRow("LF CR") << QByteArray("\n\rX") << 2;
        QTest::newRow("LF LF") << QByteArray("\n\nX") << 2;
        QTest::newRow("at most two") << QByteArray("\n\n\nX") << 2;
        QTest::newRow("no line end") << QByteArray("X\n") << 0;
        QTest::newRow("LF at end") << QByteArray("\n") << 1;
        QTest::newRow("empty") << QByteArray() << 0;
    }

    void skipNewline()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, skipped);
        auto file = readerOf(content);
        QVERIFY(file);
        QCOMPARE(file->SkipNewline(), kStatusOk);
        QCOMPARE(rest(*file), content.mid(skipped));
    }

    void readString_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("max");
        QTest::addColumn<qint16>("status");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("consumed");
        QTest::newRow("max characters")
            << QByteArray("ABCDEFGH\0Z", 10) << 8 << kStatusOk << QByteArray("ABCDEFGH") << 9;
        QTest::newRow("one too many")
            << QByteArray("ABCDEFGHIJ") << 8 << kStatusLinkError << QByteArray("ABCDEFGH") << 9;
        QTest::newRow("empty text") << QByteArray("\0Z", 2) << 8 << kStatusOk << QByteArray() << 1;
        QTest::newRow("end before NUL")
            << QByteArray("AB") << 8 << kStatusLinkError << QByteArray("AB") << 2;
        QTest::newRow("end of file") << QByteArray() << 8 << kStatusLinkError << QByteArray() << 0;
        QTest::newRow("max 0") << QByteArray("A") << 0 << kStatusLinkError << QByteArray() << 1;
    }

    // The buffer holds max + 1 bytes: the bytes behind it stay untouched and the
    // text is terminated even when the read fails.
    void readString()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, max);
        QFETCH(qint16, status);
        QFETCH(QByteArray, text);
        QFETCH(int, consumed);
        auto file = readerOf(content);
        QVERIFY(file);
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        QCOMPARE(file->ReadString(max, buffer), status);
        QCOMPARE(QByteArray(buffer), text);
        const int guard = int(sizeof buffer) - max - 1;
        QCOMPARE(QByteArray(buffer + max + 1, guard), QByteArray(guard, '#'));
        QCOMPARE(rest(*file), content.mid(consumed));
    }

    void positioning()
    {
        auto file = readerOf("0123456789");
        QVERIFY(file);
        QCOMPARE(file->Seek(DataFile::kSeekFromStart, 4), kStatusOk);
        qint64 size = 0;
        QCOMPARE(file->GetSize(size), kStatusOk);
        QCOMPARE(size, qint64(10));
        QCOMPARE(file->Seek(DataFile::kSeekFromCurrent, 2), kStatusOk);
        QCOMPARE(rest(*file), QByteArray("6789"));
        QCOMPARE(file->Seek(0, 1), kStatusOk);
        QCOMPARE(rest(*file), QByteArray("123456789"));
        QCOMPARE(file->Seek(DataFile::kSeekFromCurrent, -11), kStatusLinkError);
    }

    // Writers on a reading stream, and readers on a writing stream, fail cleanly.
    void wrongDirection()
    {
        auto reader = readerOf("ABCD");
        QVERIFY(reader);
        QCOMPARE(reader->WriteHex8(1), kStatusLinkError);
        qint64 length = 2;
        QCOMPARE(reader->Write(length, "xy"), kStatusLinkError);
        QCOMPARE(length, qint64(0));

        DataFile writer(kTextKind, filePath("out.bin"));
        QCOMPARE(writer.Open(QIODevice::WriteOnly), kStatusOk);
        quint16 value = 0;
        char text[4];
        QCOMPARE(writer.ReadHex4(value), kStatusLinkError);
        QCOMPARE(writer.SkipNewline(), kStatusLinkError);
        QCOMPARE(writer.ReadString(3, text), kStatusLinkError);
        QCOMPARE(text[0], '\0');
    }

    void destructorCloses()
    {
        const QString path = filePath("left-open.KPL");
        {
            DataFile file(kTextKind, path);
            QCOMPARE(file.Open(QIODevice::WriteOnly), kStatusOk);
            QCOMPARE(file.WriteHex2(0x0F), kStatusOk);
        }
        QCOMPARE(contentOf(path), QByteArray("0F"));
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
