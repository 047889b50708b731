// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeconnectmenu.h"
#include "ordinaryuser.h"
#include "workdir.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "devices/deviceregistry.h"
#include "link/byteorder.h"
#include "link/ethernetlink.h"

#include <QRegularExpression>
#include <QTest>

namespace {

EthernetLink *Ethernet()
{
    return static_cast<EthernetLink *>(FindLinkByPortId(EthernetLink::kPortId));
}

QStringList DeviceNames()
{
    QStringList names;
    for (int i = 0; i < DeviceList.GetCount(); ++i)
        names.append(DeviceAt(i)->name);
    return names;
}

int PeerIndexOf(const DeviceRecord *device)
{
    return Ethernet()->FindAddress(device->address);
}

int PeersInUse()
{
    int used = 0;
    for (int i = 0; i < EthernetLink::kPeerCount; ++i)
        used += Ethernet()->Peer(i).IsEmpty() ? 0 : 1;
    return used;
}

const QString kEth = QStringLiteral("Ethernet - ");

} // namespace

class TestDeviceRegistry : public QObject
{
    Q_OBJECT

private slots:
    void serialPortsComeFirst();
    void fileLinesBecomeRecordersInOrder();
    void garbageLinesLoadAsUnreachableRecorders();
    void hostileFilesKeepEveryLine_data();
    void hostileFilesKeepEveryLine();
    void removalKeepsTheLinesAround();
    void hundredsOfRecordersOutgrowThePeerTable();
    void paddedAndPlainFormsAreDifferentRecorders();
    void saveWritesPlainAddressesWithoutSerialPorts();
    void saveWithoutLoadedListKeepsTheFile();
    void unsavedListIsToldOnTheTerminal();
    void enteredAddressAddedUnlessListed_data();
    void enteredAddressAddedUnlessListed();
    void removeTakesRecordAndMenuEntry();
    void removeNeverTakesTheCurrentRecorder();
    void removableNamesSkipCurrentAndSerial();
};

// With no xr.cfg, or an empty one, the serial ports are the whole list.
void TestDeviceRegistry::serialPortsComeFirst()
{
    for (const bool withFile : {false, true}) {
        WorkDir dir;
        QVERIFY(!withFile || dir.WriteConfig({}));
        FakeConnectMenu menu;
        CreateLinkList();
        LoadDeviceList(&menu);
        QCOMPARE(DeviceNames(), (QStringList{"Com1", "Com2"}));
        QCOMPARE(menu.XRMenuTexts(), (QStringList{"Add XR...", "Remove XR...", "Com1", "Com2"}));
        QCOMPARE(menu.IdOf(QStringLiteral("Com2")), 101);
        QCOMPARE(DeviceAt(1)->link->portId, quint16(1));
    }
}

void TestDeviceRegistry::fileLinesBecomeRecordersInOrder()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("10.0.0.5\n1.2.3.\n10.0.0.6"));
    FakeConnectMenu menu;
    CreateLinkList();
    LoadDeviceList(&menu);
    QCOMPARE(DeviceNames(), (QStringList{"Com1", "Com2", kEth + "10.0.0.5", kEth + "10.0.0.6"}));
    QCOMPARE(menu.IdOf(kEth + "10.0.0.5"), 102);
    QCOMPARE(menu.IdOf(kEth + "10.0.0.6"), 103);

    const DeviceRecord *first = DeviceAt(2);
    QCOMPARE(first->link, Ethernet());
    QCOMPARE(NetToHost32(first->address.ip), 0x0A000005u);
    QCOMPARE(NetToHost16(first->address.port), quint16(8080));
    QVERIFY(PeerIndexOf(first) >= 0);
    QVERIFY(PeerIndexOf(DeviceAt(3)) != PeerIndexOf(first));
}

void TestDeviceRegistry::garbageLinesLoadAsUnreachableRecorders()
{
    WorkDir dir;
    const QByteArray binary("\xff\xfe\x00\x01\x02\x03\x04\x05", 8);
    const QByteArray overlong(400, 'x');
    QVERIFY(dir.WriteConfig("not an address\n" + binary + "\n" + overlong + "\n10.0.0.7\r\n"));
    CreateLinkList();
    LoadDeviceList(nullptr);
    QCOMPARE(DeviceList.GetCount(), quint16(5));
    QCOMPARE(DeviceAt(2)->name, kEth + "not an address");
    QCOMPARE(DeviceAt(2)->address.ip, 0u);
    QCOMPARE(DeviceAt(3)->address.ip, 0u);
    QCOMPARE(DeviceAt(4)->name, kEth + "10.0.0.7");

    // What cannot be read as an address is written back as it was read.
    QVERIFY(SaveDeviceList());
    QCOMPARE(dir.ReadConfig(),
             "not an address\r\n" + binary + "\r\n" + overlong + "\r\n10.0.0.7\r\n");
}

void TestDeviceRegistry::hostileFilesKeepEveryLine_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QList<quint32>>("addresses");
    QTest::addColumn<QByteArray>("saved");

    QTest::newRow("CR line ends") << QByteArray("10.0.0.5\r10.0.0.6\r127.0.0.94")
                                  << QList<quint32>{0x0A000005, 0x0A000006, 0x7F00005E}
                                  << QByteArray("10.0.0.5\r\n10.0.0.6\r\n127.0.0.94\r\n");
    QTest::newRow("address with a comment") << QByteArray("127.0.0.94 # office\n127.000.000.095#\n")
                                            << QList<quint32>{0x7F00005E, 0x7F00005F}
                                            << QByteArray("127.0.0.94 # office\r\n127.0.0.95#\r\n");
    QTest::newRow("NUL byte") << QByteArray("127.0.0.94\0 # office\n10.0.0.5", 29)
                              << QList<quint32>{0, 0x0A000005}
                              << QByteArray("127.0.0.94\0 # office\r\n10.0.0.5\r\n", 32);
    QTest::newRow("blank, short and comment lines")
        << QByteArray("\n# xr\n10.0.0.5\n\n# studio B\n10.0.0.6\n#\n")
        << QList<quint32>{0x0A000005, 0, 0x0A000006}
        << QByteArray("\r\n# xr\r\n10.0.0.5\r\n\r\n# studio B\r\n10.0.0.6\r\n#\r\n");
}

// Lines the program does not understand are the operator's: each goes back
// to the file as it was read, in its place.
void TestDeviceRegistry::hostileFilesKeepEveryLine()
{
    QFETCH(QByteArray, contents);
    QFETCH(QList<quint32>, addresses);
    QFETCH(QByteArray, saved);
    WorkDir dir;
    QVERIFY(dir.WriteConfig(contents));
    CreateLinkList();
    LoadDeviceList(nullptr);
    QList<quint32> loaded;
    for (int i = 2; i < DeviceList.GetCount(); ++i)
        loaded.append(NetToHost32(DeviceAt(i)->address.ip));
    QCOMPARE(loaded, addresses);
    QVERIFY(SaveDeviceList());
    QCOMPARE(dir.ReadConfig(), saved);

    // A second run reads what the first wrote and writes it again unchanged.
    DestroyDeviceList();
    LoadDeviceList(nullptr);
    QVERIFY(SaveDeviceList());
    QCOMPARE(dir.ReadConfig(), saved);
}

// A removed recorder's line goes; the lines around it stay, in order, ahead
// of the next recorder of the file or at its end, behind the recorders added.
void TestDeviceRegistry::removalKeepsTheLinesAround()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("# A\n10.0.0.5\n# B\n10.0.0.6\n# C\n10.0.0.7\n# end\n"));
    CreateLinkList();
    LoadDeviceList(nullptr);
    QVERIFY(RemoveEthernetDevice(nullptr, QStringLiteral("10.0.0.6")));
    QVERIFY(RemoveEthernetDevice(nullptr, QStringLiteral("10.0.0.7")));
    AddEthernetDevice(nullptr, QStringLiteral("192.168.001.020"));
    QVERIFY(SaveDeviceList());
    QCOMPARE(dir.ReadConfig(),
             QByteArray("# A\r\n10.0.0.5\r\n192.168.1.20\r\n# B\r\n# C\r\n# end\r\n"));
}

// The peer table holds 16 addresses; every further recorder stays in the
// list and the menu, and gets an entry when it is commanded.
void TestDeviceRegistry::hundredsOfRecordersOutgrowThePeerTable()
{
    WorkDir dir;
    QByteArray contents;
    for (int i = 0; i < 300; ++i)
        contents += QStringLiteral("10.1.%1.%2\r\n").arg(i / 256).arg(i % 256).toLatin1();
    QVERIFY(dir.WriteConfig(contents));
    FakeConnectMenu menu;
    CreateLinkList();
    LoadDeviceList(&menu);
    QCOMPARE(DeviceList.GetCount(), quint16(302));
    QCOMPARE(menu.IdOf(kEth + "10.1.1.43"), 100 + 2 + 299);
    QCOMPARE(PeersInUse(), EthernetLink::kPeerCount);
    QCOMPARE(PeerIndexOf(DeviceAt(2 + 15)), 15);
    QCOMPARE(PeerIndexOf(DeviceAt(2 + 16)), -1);
    QCOMPARE(Ethernet()->currentAddress, qint16(-1));

    QVERIFY(SaveDeviceList());
    QCOMPARE(dir.ReadConfig(), contents);
}

void TestDeviceRegistry::paddedAndPlainFormsAreDifferentRecorders()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("192.168.1.20\r\n"));
    FakeConnectMenu menu;
    CreateLinkList();
    LoadDeviceList(&menu);
    QVERIFY(AddEnteredAddress(menu, QStringLiteral("192.168.001.020")));

    QCOMPARE(DeviceNames().mid(2), (QStringList{kEth + "192.168.1.20", kEth + "192.168.001.020"}));
    QCOMPARE(menu.IdOf(kEth + "192.168.001.020"), 103);
    QCOMPARE(PeerIndexOf(DeviceAt(2)), PeerIndexOf(DeviceAt(3)));
    QCOMPARE(PeersInUse(), 1);
    QVERIFY(SaveDeviceList());
    QCOMPARE(dir.ReadConfig(), QByteArray("192.168.1.20\r\n192.168.1.20\r\n"));
}

void TestDeviceRegistry::saveWritesPlainAddressesWithoutSerialPorts()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("010.000.000.005\n"));
    FakeConnectMenu menu;
    CreateLinkList();
    LoadDeviceList(&menu);
    QVERIFY(AddEnteredAddress(menu, QStringLiteral("192.168.001.020")));
    QCOMPARE(DeviceAt(3)->name, kEth + "192.168.001.020");
    QCOMPARE(dir.ReadConfig(), QByteArray("010.000.000.005\n")); // nothing written before exit

    QVERIFY(SaveDeviceList());
    QCOMPARE(dir.ReadConfig(), QByteArray("10.0.0.5\r\n192.168.1.20\r\n"));
}

// A list that was never loaded, or was already destroyed, is no reason to
// empty the file.
void TestDeviceRegistry::saveWithoutLoadedListKeepsTheFile()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("10.0.0.5\r\n"));
    CreateLinkList();
    QVERIFY(!SaveDeviceList());
    LoadDeviceList(nullptr);
    CurrentDevice = DeviceAt(0);
    DestroyDeviceList();
    QVERIFY(!CurrentDevice);
    QVERIFY(!SaveDeviceList());
    QCOMPARE(dir.ReadConfig(), QByteArray("10.0.0.5\r\n"));
}

// Neither a new file nor xr.cfg itself may be written: the operator learns
// on the terminal which recorders were not saved.
void TestDeviceRegistry::unsavedListIsToldOnTheTerminal()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("10.0.0.5 # studio\r\n"));
    CreateLinkList();
    LoadDeviceList(nullptr);
    AddEthernetDevice(nullptr, QStringLiteral("010.000.000.006"));
    const QString folder = QDir::currentPath();
    QVERIFY(QFile::setPermissions(dir.Path(QString::fromLatin1(kDeviceFileName)), kReadOnlyFile));
    QVERIFY(QFile::setPermissions(folder, kReadOnlyFolder));
    {
        const OrdinaryUser user;
        if (!user.Holds()) {
            QFile::setPermissions(folder, kOpenFolder);
            QSKIP("root could not give up its file rights: a read-only file does not stop it");
        }
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("recorder list was not saved to .*xr\\.cfg.*"
                                                "\\n10\\.0\\.0\\.5 # studio\\n10\\.0\\.0\\.6$"));
        QVERIFY(!SaveDeviceList());
    }
    QVERIFY(QFile::setPermissions(folder, kOpenFolder));
    QCOMPARE(dir.ReadConfig(), QByteArray("10.0.0.5 # studio\r\n"));
}

void TestDeviceRegistry::enteredAddressAddedUnlessListed_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("added");

    QTest::newRow("new address") << "010.000.000.007" << true;
    QTest::newRow("same padded text") << "010.000.000.005" << false;
    QTest::newRow("text inside a longer name") << "010.000.000.00" << false;
    QTest::newRow("plain form of a listed padded address") << "10.0.0.5" << true;
    QTest::newRow("case ignored") << "COM1" << false;
}

void TestDeviceRegistry::enteredAddressAddedUnlessListed()
{
    QFETCH(QString, entered);
    QFETCH(bool, added);
    WorkDir dir;
    FakeConnectMenu menu;
    CreateLinkList();
    LoadDeviceList(&menu);
    AddEthernetDevice(&menu, QStringLiteral("010.000.000.005"));
    const int before = DeviceList.GetCount();

    QCOMPARE(AddEnteredAddress(menu, entered), added);
    QCOMPARE(DeviceList.GetCount(), before + (added ? 1 : 0));
    QCOMPARE(menu.entries.size(), 2 + before + (added ? 1 : 0));
    QCOMPARE(AddressAlreadyListed(menu.XRMenuTexts(), entered), true);
}

void TestDeviceRegistry::removeTakesRecordAndMenuEntry()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("10.0.0.5\n10.0.0.6\n10.0.0.5\n"));
    FakeConnectMenu menu;
    CreateLinkList();
    LoadDeviceList(&menu);
    const int peer = PeerIndexOf(DeviceAt(2));
    QCOMPARE(PeerIndexOf(DeviceAt(4)), peer); // one address, one peer

    QVERIFY(!RemoveEthernetDevice(&menu, QStringLiteral("10.0.0.9")));
    QVERIFY(!RemoveEthernetDevice(&menu, QStringLiteral("Com1")));
    QVERIFY(RemoveEthernetDevice(&menu, QStringLiteral("10.0.0.5")));
    QCOMPARE(DeviceNames(), (QStringList{"Com1", "Com2", kEth + "10.0.0.6"}));
    QCOMPARE(menu.XRMenuTexts(),
             (QStringList{"Add XR...", "Remove XR...", "Com1", "Com2", kEth + "10.0.0.6"}));
    QCOMPARE(Ethernet()->Peer(peer).ip, HostToNet32(0x0A000005u)); // the peer stays

    // Ids are not handed out again.
    AddEthernetDevice(&menu, QStringLiteral("10.0.0.8"));
    QCOMPARE(menu.IdOf(kEth + "10.0.0.8"), 105);

    QVERIFY(SaveDeviceList());
    QCOMPARE(dir.ReadConfig(), QByteArray("10.0.0.6\r\n10.0.0.8\r\n"));
}

void TestDeviceRegistry::removeNeverTakesTheCurrentRecorder()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("10.0.0.5\n10.0.0.5\n"));
    FakeConnectMenu menu;
    CreateLinkList();
    LoadDeviceList(&menu);
    CurrentDevice = DeviceAt(2);

    QVERIFY(RemoveEthernetDevice(&menu, QStringLiteral("10.0.0.5")));
    QCOMPARE(DeviceList.GetCount(), quint16(3));
    QCOMPARE(DeviceAt(2), CurrentDevice);
    QCOMPARE(menu.XRMenuTexts().count(kEth + "10.0.0.5"), 1);
    QVERIFY(!RemoveEthernetDevice(&menu, QStringLiteral("10.0.0.5")));
}

void TestDeviceRegistry::removableNamesSkipCurrentAndSerial()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("10.0.0.9\n10.0.0.10\n10.0.0.1\n"));
    CreateLinkList();
    LoadDeviceList(nullptr);
    AddEthernetDevice(nullptr, QStringLiteral("telecom.example"));
    QCOMPARE(RemovableDeviceNames(), (QStringList{"10.0.0.1", "10.0.0.10", "10.0.0.9"}));

    CurrentDevice = DeviceAt(4);
    QCOMPARE(RemovableDeviceNames(), (QStringList{"10.0.0.10", "10.0.0.9"}));
}

QTEST_GUILESS_MAIN(TestDeviceRegistry)
#include "tst_deviceregistry.moc"
