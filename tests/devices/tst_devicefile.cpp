#include "devices/devicefile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QStringList Lines(const QByteArray &contents)
{
    QBuffer buffer;
    buffer.setData(contents);
    buffer.open(QIODevice::ReadOnly);
    return ReadDeviceLines(buffer);
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lowers the largest file this process may write, as a full disk would stop
// it, and puts the limit back at the end of the scope. The signal the kernel
// sends on the overrun is ignored so that the write just fails.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

} // namespace

class TestDeviceFile : public QObject
{
    Q_OBJECT

private slots:
    void readsUsableLines_data();
    void readsUsableLines();
    void parsesDottedDecimal_data();
    void parsesDottedDecimal();
    void writesOneCrLfLinePerAddress();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
};

void TestDeviceFile::readsUsableLines_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("lines");

    const QByteArray longest(255, 'x');
    QTest::newRow("last line without line feed")
        << QByteArray("10.0.0.5\n10.0.0.6") << QStringList{"10.0.0.5", "10.0.0.6"};
    QTest::newRow("CR LF endings")
        << QByteArray("10.0.0.5\r\n10.0.0.6\r\n") << QStringList{"10.0.0.5", "10.0.0.6"};
    QTest::newRow("seven characters used, six skipped")
        << QByteArray("1.2.3.4\n1.2.3.\n") << QStringList{"1.2.3.4"};
    QTest::newRow("blank lines skipped")
        << QByteArray("\n\r\n\n1.2.3.4\n\n") << QStringList{"1.2.3.4"};
    QTest::newRow("CR LF cut short at the end")
        << QByteArray("1.2.3.4\r") << QStringList{"1.2.3.4"};
    QTest::newRow("CR inside a line is kept")
        << QByteArray("1.2.3.4\r9\n") << QStringList{"1.2.3.4\r9"};
    QTest::newRow("binary bytes decode one for one")
        << QByteArray("\x00\xff\x01zz\x80\x7f\n10.0.0.1", 16)
        << QStringList{QString::fromLatin1(QByteArray("\x00\xff\x01zz\x80\x7f", 7)), "10.0.0.1"};
    QTest::newRow("255 characters kept") << longest + "\r\n" << QStringList{QString(longest)};
    QTest::newRow("256 characters skipped") << longest + "y\n1.2.3.4" << QStringList{"1.2.3.4"};
    QTest::newRow("overlong line does not spill into the next")
        << QByteArray(5000, '7') + "\n10.0.0.9\n" + QByteArray(300, '8') << QStringList{"10.0.0.9"};
}

void TestDeviceFile::readsUsableLines()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, lines);
    QCOMPARE(Lines(contents), lines);
}

void TestDeviceFile::parsesDottedDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("address");

    QTest::newRow("plain") << "192.168.1.20" << 0xC0A80114u;
    QTest::newRow("zero-padded parts are decimal") << "192.168.001.020" << 0xC0A80114u;
    QTest::newRow("blanks around") << " 10.0.0.5\t" << 0x0A000005u;
    QTest::newRow("part above 255") << "256.1.1.1" << 0u;
    QTest::newRow("three parts") << "1.2.3" << 0u;
    QTest::newRow("empty part") << "1..2.3" << 0u;
    QTest::newRow("four digits") << "0001.2.3.4" << 0u;
    QTest::newRow("trailing letters") << "1.2.3.4x" << 0u;
}

void TestDeviceFile::parsesDottedDecimal()
{
    QFETCH(QString, text);
    QFETCH(quint32, address);
    QCOMPARE(ParseIPv4(text), address);
}

void TestDeviceFile::writesOneCrLfLinePerAddress()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("xr.cfg"));
    QVERIFY(WriteDeviceFile(path, {0x0A000005u, 0xC0A80114u, 0}));
    QCOMPARE(ReadAll(path), QByteArray("10.0.0.5\r\n192.168.1.20\r\n0.0.0.0\r\n"));

    QVERIFY(WriteDeviceFile(path, {}));
    QVERIFY(QFile::exists(path));
    QCOMPARE(ReadAll(path), QByteArray());
}

void TestDeviceFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<int>("room");
    QTest::newRow("room for a few lines") << 64;
    QTest::newRow("one byte short") << 1389; // the new file is 1390 bytes
}

// The disk fills up while the new list is being written: the old list must
// survive whole, and no half-written file may be left beside it.
void TestDeviceFile::failedWriteKeepsOldFile()
{
    QFETCH(int, room);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("xr.cfg"));
    const QByteArray old("10.0.0.5\r\n10.0.0.6\r\n");
    QVERIFY(WriteDeviceFile(path, {0x0A000005u, 0x0A000006u}));
    QCOMPARE(ReadAll(path), old);

    QList<quint32> many;
    for (quint32 i = 0; i < 100; ++i)
        many.append(0xC0A80000u + i);
    {
        const FileSizeLimit full(static_cast<rlim_t>(room));
        QVERIFY(!WriteDeviceFile(path, many));
    }
    QCOMPARE(ReadAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("xr.cfg")});

    QVERIFY(WriteDeviceFile(path, many));
    QCOMPARE(ReadAll(path).size(), 1390);
}

QTEST_GUILESS_MAIN(TestDeviceFile)
#include "tst_devicefile.moc"
