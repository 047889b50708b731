// SPDX-License-Identifier: GPL-3.0-or-later
#include "ordinaryuser.h"

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

QStringList ManyAddresses()
{
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines.append(QStringLiteral("192.168.0.%1").arg(i));
    return lines;
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
    void readsEveryLine_data();
    void readsEveryLine();
    void linesThatNameRecorders();
    void parsesDottedDecimal_data();
    void parsesDottedDecimal();
    void lineAddressAllowsAComment_data();
    void lineAddressAllowsAComment();
    void lineToSave_data();
    void lineToSave();
    void onlyUnicastAddressesAreProbed();
    void writesOneCrLfLinePerLine();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void readOnlyFolderGetsTheFileWrittenInPlace();
    void inPlaceWriteThatDoesNotFitPutsTheOldBack();
    void nothingWritableFailsAndKeepsTheFile();
};

void TestDeviceFile::readsEveryLine_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("last line without line feed")
        << QByteArray("10.0.0.5\n10.0.0.6") << QStringList{"10.0.0.5", "10.0.0.6"};
    QTest::newRow("CR LF endings")
        << QByteArray("10.0.0.5\r\n10.0.0.6\r\n") << QStringList{"10.0.0.5", "10.0.0.6"};
    QTest::newRow("CR endings") << QByteArray("10.0.0.5\r10.0.0.6\r10.0.0.7")
                                << QStringList{"10.0.0.5", "10.0.0.6", "10.0.0.7"};
    QTest::newRow("mixed endings")
        << QByteArray("a\rb\r\nc\nd\n\re") << QStringList{"a", "b", "c", "d", "", "e"};
    QTest::newRow("blank lines are lines")
        << QByteArray("\n\r\n\n1.2.3.4\n\n") << QStringList{"", "", "", "1.2.3.4", ""};
    QTest::newRow("CR LF cut short at the end")
        << QByteArray("1.2.3.4\r") << QStringList{"1.2.3.4"};
    QTest::newRow("CR before CR LF") << QByteArray("1.2.3.4\r\r\n") << QStringList{"1.2.3.4", ""};
    QTest::newRow("binary bytes decode one for one")
        << QByteArray("\x00\xff\x01zz\x80\x7f\n10.0.0.1", 16)
        << QStringList{QString::fromLatin1(QByteArray("\x00\xff\x01zz\x80\x7f", 7)), "10.0.0.1"};
    QTest::newRow("overlong line kept whole")
        << QByteArray(5000, '7') + "\n10.0.0.9" << QStringList{QString(5000, '7'), "10.0.0.9"};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void TestDeviceFile::readsEveryLine()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, lines);
    QCOMPARE(Lines(contents), lines);
}

void TestDeviceFile::linesThatNameRecorders()
{
    QVERIFY(!IsDeviceLine(QStringLiteral("1.2.3.")));
    QVERIFY(IsDeviceLine(QStringLiteral("1.2.3.4")));
    QVERIFY(IsDeviceLine(QString(255, 'x')));
    QVERIFY(!IsDeviceLine(QString(256, 'x')));
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

void TestDeviceFile::lineAddressAllowsAComment_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<quint32>("address");

    QTest::newRow("address") << "127.0.0.94" << 0x7F00005Eu;
    QTest::newRow("comment") << "127.0.0.94 # office" << 0x7F00005Eu;
    QTest::newRow("comment without blank") << "127.0.0.94#office" << 0x7F00005Eu;
    QTest::newRow("blanks around") << "\t127.0.0.94   " << 0x7F00005Eu;
    QTest::newRow("padded, tab, comment") << "127.000.000.094\t#" << 0x7F00005Eu;
    QTest::newRow("words after the address") << "127.0.0.94 office" << 0u;
    QTest::newRow("NUL byte after the address") << QString::fromLatin1("127.0.0.94\0", 11) << 0u;
    QTest::newRow("commented out") << "# 127.0.0.94" << 0u;
    QTest::newRow("two addresses") << "10.0.0.5 10.0.0.6" << 0u;
}

void TestDeviceFile::lineAddressAllowsAComment()
{
    QFETCH(QString, line);
    QFETCH(quint32, address);
    QCOMPARE(DeviceLineAddress(line), address);
}

void TestDeviceFile::lineToSave_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("saved");

    QTest::newRow("leading zeros dropped") << "192.168.001.020"
                                           << "192.168.1.20";
    QTest::newRow("comment kept") << "010.0.0.94 # office"
                                  << "10.0.0.94 # office";
    QTest::newRow("no address: as read") << "not an address"
                                         << "not an address";
    QTest::newRow("NUL byte: as read")
        << QString::fromLatin1("127.0.0.94\0x", 12) << QString::fromLatin1("127.0.0.94\0x", 12);
    QTest::newRow("commented out: as read") << "# 127.0.0.94"
                                            << "# 127.0.0.94";
    QTest::newRow("zero address: as read") << "000.000.000.000 # none"
                                           << "000.000.000.000 # none";
}

void TestDeviceFile::lineToSave()
{
    QFETCH(QString, line);
    QFETCH(QString, saved);
    QCOMPARE(DeviceLineToSave(line), saved);
}

void TestDeviceFile::onlyUnicastAddressesAreProbed()
{
    QVERIFY(IsUnicastIPv4(0x7F000001u));
    QVERIFY(IsUnicastIPv4(0xDFFFFFFEu)); // 223.255.255.254
    QVERIFY(!IsUnicastIPv4(0));
    QVERIFY(!IsUnicastIPv4(0xFFFFFFFFu));
    QVERIFY(!IsUnicastIPv4(0xE0000001u)); // 224.0.0.1
    QVERIFY(!IsUnicastIPv4(0xEFFFFFFAu)); // 239.255.255.250
}

void TestDeviceFile::writesOneCrLfLinePerLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("xr.cfg"));
    const QString withNul = QString::fromLatin1("a\0\xff", 3);
    QVERIFY(WriteDeviceFile(path, {"10.0.0.5", "", withNul}));
    QCOMPARE(ReadAll(path), QByteArray("10.0.0.5\r\n\r\na\0\xff\r\n", 17));

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
    QVERIFY(WriteDeviceFile(path, {"10.0.0.5", "10.0.0.6"}));
    QCOMPARE(ReadAll(path), old);

    {
        const FileSizeLimit full(static_cast<rlim_t>(room));
        QString error;
        QVERIFY(!WriteDeviceFile(path, ManyAddresses(), &error));
        QVERIFY(!error.isEmpty());
    }
    QCOMPARE(ReadAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("xr.cfg")});

    QVERIFY(WriteDeviceFile(path, ManyAddresses()));
    QCOMPARE(ReadAll(path).size(), 1390);
}

// The operator may not make files in the working folder but may write
// xr.cfg: it is overwritten in place, so it keeps its hard links.
void TestDeviceFile::readOnlyFolderGetsTheFileWrittenInPlace()
{
    ReadOnlyFolder folder("10.0.0.5\r\n10.0.0.6\r\n10.0.0.7\r\n", kWritableFile);
    const QString link = folder.Path(QStringLiteral("xr-link.cfg"));
    QVERIFY(folder.Ready() && folder.AddHardLink(link));
    const OrdinaryUser user;
    if (!user.Holds())
        QSKIP("root could not give up its file rights: a read-only folder does not stop it");

    QVERIFY(WriteDeviceFile(folder.File(), {"192.168.1.20"}));
    QCOMPARE(ReadAll(folder.File()), QByteArray("192.168.1.20\r\n"));
    QVERIFY(WriteDeviceFile(folder.File(), ManyAddresses()));
    QCOMPARE(ReadAll(link).size(), 1390);
    QCOMPARE(QDir(folder.Path({})).entryList(QDir::Files), (QStringList{"xr-link.cfg", "xr.cfg"}));
}

// Overwriting in place, the disk fills up: the old list is written back.
void TestDeviceFile::inPlaceWriteThatDoesNotFitPutsTheOldBack()
{
    const QByteArray old("10.0.0.5\r\n10.0.0.6\r\n");
    ReadOnlyFolder folder(old, kWritableFile);
    QVERIFY(folder.Ready());
    const OrdinaryUser user;
    if (!user.Holds())
        QSKIP("root could not give up its file rights: a read-only folder does not stop it");
    {
        const FileSizeLimit full(100);
        QString error;
        QVERIFY(!WriteDeviceFile(folder.File(), ManyAddresses(), &error));
        QVERIFY(!error.isEmpty());
    }
    QCOMPARE(ReadAll(folder.File()), old);
}

void TestDeviceFile::nothingWritableFailsAndKeepsTheFile()
{
    const QByteArray old("10.0.0.5\r\n");
    ReadOnlyFolder folder(old, kReadOnlyFile);
    QVERIFY(folder.Ready());
    const OrdinaryUser user;
    if (!user.Holds())
        QSKIP("root could not give up its file rights: a read-only file does not stop it");
    QString error;
    QVERIFY(!WriteDeviceFile(folder.File(), {"192.168.1.20"}, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadAll(folder.File()), old);
}

QTEST_GUILESS_MAIN(TestDeviceFile)
#include "tst_devicefile.moc"
