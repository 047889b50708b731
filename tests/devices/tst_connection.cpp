// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeconnectmenu.h"
#include "workdir.h"

#include "devices/connectionselection.h"
#include "devices/devicefile.h"
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "devices/deviceregistry.h"
#include "link/ethernetlink.h"
#include "link/linkstatus.h"
#include "protocol/recorderstate.h"
#include "protocol/sensecommands.h"

#include "simrecorder.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

namespace {

// Loopback addresses of this test: a simulated recorder listens on the first;
// nothing ever answers on the second.
const QString kRecorderAddress = QStringLiteral("127.0.5.1");
const QString kSilentAddress = QStringLiteral("127.0.5.2");
// The recorder again, under a name of its own.
const QString kPaddedRecorderAddress = QStringLiteral("127.000.005.001");
const QString kEth = QStringLiteral("Ethernet - ");

// The window's side of a selection: it notes what it is asked to do, and its
// version key reports an older firmware, as the panel's check would.
class FakePanel : public SelectionPanel
{
public:
    void SendVersionKey() override
    {
        calls.append(QStringLiteral("version key"));
        legacyFirmware = 1;
    }
    void ShowDiskInformation() override { calls.append(QStringLiteral("disk information")); }
    void ResetForNewDevice() override { calls.append(QStringLiteral("reset")); }

    QStringList calls;
};

// A sense return of the version request carrying the given data bytes.
QByteArray VersionReply(const QByteArray &data)
{
    QByteArray frame;
    frame.append(static_cast<char>(0x70 | data.size()));
    frame.append(static_cast<char>(0xB1));
    frame.append(data);
    quint8 sum = 0;
    for (const char byte : frame)
        sum = static_cast<quint8>(sum + static_cast<quint8>(byte));
    frame.append(static_cast<char>(sum));
    return frame;
}

// CMD1 and CMD2 of each frame the recorder received.
QList<QByteArray> Commands(const QList<QByteArray> &frames)
{
    QList<QByteArray> commands;
    for (const QByteArray &frame : frames)
        commands.append(frame.left(2));
    return commands;
}

const QByteArray kDeviceTypeRequest("\x00\x11", 2);
const QByteArray kVersionSense("\x60\xB1", 2);

// How many of this process's file descriptors are open on the device. A
// serial link keeps its opened flag after Close, so the descriptors tell
// whether the port was really let go.
int OpenDescriptors(const QString &device)
{
    const QDir fds(QStringLiteral("/proc/self/fd"));
    int count = 0;
    for (const QString &fd : fds.entryList(QDir::System))
        count += QFileInfo(fds.filePath(fd)).symLinkTarget() == device ? 1 : 0;
    return count;
}

DeviceRecord *Named(const QString &name)
{
    for (int i = 0; i < DeviceList.GetCount(); ++i) {
        if (DeviceAt(i)->name == name)
            return DeviceAt(i);
    }
    return nullptr;
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void probeAsksForDeviceType();
    void probeNeedsDeviceTypeReply();
    void autoConnectTakesFirstThatAnswers();
    void namedRecorderIsTheOnlyOneProbed();
    void namedAddressJoinsTheList();
    void namedSerialPortIsTheOnlyOneProbed();
    void silentNamedRecorderLeavesNoneCurrent();
    void serialProbeReleasesPortOnFailure();
    void leavingSerialRecorderClosesItsPort();
    void addAndRemoveEntriesSelectNothing();
    void selectionRunsForTheChosenRecorder();
    void unansweredChoiceKeepsPreviousRecorder();
    void unansweredChoiceWithoutCurrentStops();
    void junkFileProbesNoEmptyAddress();
    void everyListedRecorderCanBeChosen();
    void delayModeHoldsSelection_data();
    void delayModeHoldsSelection();
    void detectsKindFromVersion_data();
    void detectsKindFromVersion();
    void failedVersionSenseClearsKind();

private:
    void LoadDevices(const QByteArray &config);
    int IdOf(const QString &address) const { return menu.IdOf(kEth + address); }

    std::unique_ptr<WorkDir> dir;
    std::unique_ptr<xrsim::SimRecorder> recorder;
    FakeConnectMenu menu;
    FakePanel panel;
};

void TestConnection::init()
{
    dir = std::make_unique<WorkDir>();
    recorder = std::make_unique<xrsim::SimRecorder>();
    xrsim::SimConfig config;
    config.address = QHostAddress(kRecorderAddress);
    config.pty = true;
    QVERIFY2(recorder->Start(config), qPrintable(recorder->ErrorString()));
    menu = FakeConnectMenu();
    panel = FakePanel();
    recPlayMode = -1;
    legacyFirmware = 0;
    pelletDevice = 0;
    versionText.clear();
}

void TestConnection::cleanup()
{
    dir.reset(); // tears the lists down while the recorder still runs
    recorder.reset();
}

void TestConnection::LoadDevices(const QByteArray &config)
{
    QVERIFY(dir->WriteConfig(config));
    CreateLinkList();
    LoadDeviceList(&menu);
}

void TestConnection::probeAsksForDeviceType()
{
    LoadDevices(kRecorderAddress.toLatin1());
    DeviceRecord *device = Named(kEth + kRecorderAddress);
    DeviceRecord *other = DeviceAt(1);
    CurrentDevice = other;
    device->disconnected = 1;

    QVERIFY(!ConnectDevice(nullptr));
    QVERIFY(ConnectDevice(device));
    QCOMPARE(recorder->ReceivedFrames(), QList<QByteArray>{QByteArray("\x00\x11\x11", 3)});
    QCOMPARE(CurrentDevice, other);
    QCOMPARE(device->disconnected, quint8(0));
}

void TestConnection::probeNeedsDeviceTypeReply()
{
    LoadDevices(kRecorderAddress.toLatin1());
    DeviceRecord *device = Named(kEth + kRecorderAddress);
    recorder->ForceReply(0x0, 0x11, QByteArray("\x10\x01\x11", 3), 1); // a plain acknowledge
    QVERIFY(!ConnectDevice(device));
    recorder->ForceReply(0x0, 0x11, QByteArray("\x11\x12\x01\x24", 4), 1); // a NAK
    QVERIFY(!ConnectDevice(device));
    QVERIFY(ConnectDevice(device));
}

void TestConnection::autoConnectTakesFirstThatAnswers()
{
    QVERIFY(dir->WriteConfig((kSilentAddress + "\n" + kRecorderAddress + "\n").toLatin1()));
    DeviceRecord *found = OpenDevices(&menu);
    QVERIFY(found);
    QCOMPARE(found->name, kEth + kRecorderAddress);
    QCOMPARE(CurrentDevice, found);
    QCOMPARE(DeviceList.GetCount(), quint16(4)); // the silent one stays listed
    QCOMPARE(DeviceAt(0)->link->opened, quint8(0));
    QCOMPARE(DeviceAt(1)->link->opened, quint8(0));
    QCOMPARE(FindLinkByPortId(EthernetLink::kPortId)->opened, quint8(1));
}

// A recorder named on the command line is found under whatever form the list
// writes its address in; the serial ports and the recorders before it are
// not probed.
void TestConnection::namedRecorderIsTheOnlyOneProbed()
{
    qputenv("TAVREL_COM1", QFile::encodeName(recorder->PtyPath()));
    QVERIFY(dir->WriteConfig((kSilentAddress + "\n" + kPaddedRecorderAddress + "\n").toLatin1()));
    DeviceRecord *found = OpenDevices(&menu, kRecorderAddress);
    QVERIFY(found);
    QCOMPARE(found->name, kEth + kPaddedRecorderAddress);
    QCOMPARE(CurrentDevice, found);
    QCOMPARE(DeviceList.GetCount(), quint16(4));
    QCOMPARE(Commands(recorder->ReceivedFrames()), QList<QByteArray>{kDeviceTypeRequest});
}

void TestConnection::namedAddressJoinsTheList()
{
    QVERIFY(dir->WriteConfig((kSilentAddress + "\n").toLatin1()));
    DeviceRecord *found = OpenDevices(&menu, kRecorderAddress);
    QVERIFY(found);
    QCOMPARE(found->name, kEth + kRecorderAddress);
    QCOMPARE(menu.IdOf(found->name), 103);
    QVERIFY(SaveDeviceList());
    QCOMPARE(dir->ReadConfig(), (kSilentAddress + "\r\n" + kRecorderAddress + "\r\n").toLatin1());
}

void TestConnection::namedSerialPortIsTheOnlyOneProbed()
{
    qputenv("TAVREL_COM2", QFile::encodeName(recorder->PtyPath()));
    QVERIFY(dir->WriteConfig((kRecorderAddress + "\n").toLatin1()));
    DeviceRecord *found = OpenDevices(&menu, QStringLiteral("Com2"));
    QVERIFY(found);
    QCOMPARE(found->name, QStringLiteral("Com2"));
    QCOMPARE(Commands(recorder->ReceivedFrames()), QList<QByteArray>{kDeviceTypeRequest});
    QCOMPARE(DeviceAt(0)->link->opened, quint8(0));
}

// The operator asked for that recorder: another one answering instead would
// be a surprise, so none is current and the title says so.
void TestConnection::silentNamedRecorderLeavesNoneCurrent()
{
    QVERIFY(dir->WriteConfig((kRecorderAddress + "\n" + kSilentAddress + "\n").toLatin1()));
    QVERIFY(!OpenDevices(&menu, kSilentAddress));
    QVERIFY(!CurrentDevice);
    QVERIFY(recorder->ReceivedFrames().isEmpty());
    QCOMPARE(DeviceList.GetCount(), quint16(4));
}

void TestConnection::serialProbeReleasesPortOnFailure()
{
    qputenv("TAVREL_COM1", QFile::encodeName(recorder->PtyPath()));
    LoadDevices({});
    DeviceRecord *com1 = DeviceAt(0);
    const int idle = OpenDescriptors(recorder->PtyPath());
    QVERIFY(ConnectDevice(com1));
    QCOMPARE(OpenDescriptors(recorder->PtyPath()), idle + 1);

    recorder->DropReplies(1);
    QVERIFY(!ConnectDevice(com1));
    QCOMPARE(OpenDescriptors(recorder->PtyPath()), idle);
    QCOMPARE(AutoConnect(), com1);
}

void TestConnection::leavingSerialRecorderClosesItsPort()
{
    qputenv("TAVREL_COM1", QFile::encodeName(recorder->PtyPath()));
    LoadDevices((kRecorderAddress + "\n" + kPaddedRecorderAddress + "\n").toLatin1());
    const int idle = OpenDescriptors(recorder->PtyPath());
    CurrentDevice = AutoConnect();
    QCOMPARE(CurrentDevice, DeviceAt(0));
    QCOMPARE(OpenDescriptors(recorder->PtyPath()), idle + 1);

    SelectControl(102, menu, panel);
    QCOMPARE(CurrentDevice, DeviceAt(2));
    QCOMPARE(OpenDescriptors(recorder->PtyPath()), idle);

    // From one networked recorder to another the shared link stays open.
    SelectControl(103, menu, panel);
    QCOMPARE(CurrentDevice, DeviceAt(3));
    QCOMPARE(DeviceAt(3)->link->opened, quint8(1));
    QCOMPARE(menu.CheckedIds(), QList<int>{103});
}

void TestConnection::addAndRemoveEntriesSelectNothing()
{
    LoadDevices(kRecorderAddress.toLatin1());
    for (const int id : {ConnectMenu::kAddMenuId, ConnectMenu::kRemoveMenuId, 0, -5, 999})
        SelectControl(id, menu, panel);
    QVERIFY(recorder->ReceivedFrames().isEmpty());
    QVERIFY(!CurrentDevice);
    QVERIFY(panel.calls.isEmpty());
    QVERIFY(menu.CheckedIds().isEmpty());
}

void TestConnection::selectionRunsForTheChosenRecorder()
{
    LoadDevices(kRecorderAddress.toLatin1());
    recorder->ForceReply(0x6, 0xB1, VersionReply("DV2.10"));
    legacyFirmware = 0;

    SelectControl(IdOf(kRecorderAddress), menu, panel);
    QCOMPARE(CurrentDevice, Named(kEth + kRecorderAddress));
    QCOMPARE(Commands(recorder->ReceivedFrames()),
             (QList<QByteArray>{kDeviceTypeRequest, kVersionSense}));
    QCOMPARE(menu.CheckedIds(), QList<int>{IdOf(kRecorderAddress)});
    QCOMPARE(versionText, QStringLiteral("DV2.10"));
    QCOMPARE(panel.calls, (QStringList{"version key", "disk information", "reset"}));
    QCOMPARE(legacyFirmware, quint8(1));

    // Choosing it again probes it again and redoes the resets.
    recorder->ClearReceivedFrames();
    panel.calls.clear();
    SelectControl(IdOf(kRecorderAddress), menu, panel);
    QCOMPARE(Commands(recorder->ReceivedFrames()).first(), kDeviceTypeRequest);
    QCOMPARE(panel.calls.mid(1), (QStringList{"disk information", "reset"}));
}

// The recorder chosen does not answer: the previous one stays current and is
// shown afresh, and the check mark stays on it.
void TestConnection::unansweredChoiceKeepsPreviousRecorder()
{
    LoadDevices((kRecorderAddress + "\n" + kSilentAddress + "\n").toLatin1());
    SelectControl(IdOf(kRecorderAddress), menu, panel);
    DeviceRecord *previous = CurrentDevice;
    QVERIFY(previous);
    panel.calls.clear();

    SelectControl(IdOf(kSilentAddress), menu, panel);
    QCOMPARE(CurrentDevice, previous);
    QCOMPARE(menu.CheckedIds(), QList<int>{IdOf(kRecorderAddress)});
    QCOMPARE(panel.calls, (QStringList{"disk information", "reset"}));
}

void TestConnection::unansweredChoiceWithoutCurrentStops()
{
    LoadDevices(kSilentAddress.toLatin1());
    QVERIFY(!AutoConnect());
    QVERIFY(!SelectDeviceByName(QStringLiteral("Ethernet - nowhere")));
    SelectControl(IdOf(kSilentAddress), menu, panel);
    QVERIFY(!CurrentDevice);
    QVERIFY(panel.calls.isEmpty());
    QVERIFY(menu.CheckedIds().isEmpty());
}

// 100 kB of random bytes make hundreds of recorders at 0.0.0.0. None is
// probed (a probe there can only run out), so start-up goes straight on to
// the recorders that may answer; and the file comes back line for line.
void TestConnection::junkFileProbesNoEmptyAddress()
{
    QRandomGenerator random(8);
    QByteArray junk(100 * 1024, Qt::Uninitialized);
    for (char &byte : junk)
        byte = static_cast<char>(random.bounded(256));
    junk += "\n255.255.255.255\n000.000.000.000 # nowhere\n";
    LoadDevices(junk);
    QVERIFY(DeviceList.GetCount() > 200);
    DeviceLink *ethernet = FindLinkByPortId(EthernetLink::kPortId);
    const qint16 failures = ethernet->errorCount;
    QVERIFY(!AutoConnect());
    QCOMPARE(ethernet->errorCount, failures); // not one probe was sent
    QVERIFY(recorder->ReceivedFrames().isEmpty());

    AddEthernetDevice(&menu, kRecorderAddress);
    QCOMPARE(AutoConnect(), DeviceAt(DeviceList.GetCount() - 1));
    QCOMPARE(recorder->ReceivedFrames().size(), 1);

    QVERIFY(SaveDeviceList());
    QStringList lines = ReadDeviceFile(QString::fromLatin1(kDeviceFileName));
    QCOMPARE(lines.takeLast(), kRecorderAddress);
    QBuffer original(&junk);
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(lines, ReadDeviceLines(original));
}

// More recorders than the Ethernet link has peer entries: the one chosen
// takes over an entry and is reached like any other.
void TestConnection::everyListedRecorderCanBeChosen()
{
    QByteArray config;
    for (int i = 1; i <= EthernetLink::kPeerCount + 4; ++i)
        config += QStringLiteral("127.0.10.%1\n").arg(i).toLatin1();
    LoadDevices(config + kRecorderAddress.toLatin1());
    const int id = IdOf(kRecorderAddress);
    SelectControl(id, menu, panel);
    QCOMPARE(CurrentDevice, Named(kEth + kRecorderAddress));
    QCOMPARE(menu.CheckedIds(), QList<int>{id});
    QCOMPARE(Commands(recorder->ReceivedFrames()).first(), kDeviceTypeRequest);

    // Silent recorders beyond the table are probed in turn; the chosen one is
    // still reached after them.
    for (int i = EthernetLink::kPeerCount + 1; i <= EthernetLink::kPeerCount + 4; ++i)
        QVERIFY(!ConnectDevice(Named(kEth + QStringLiteral("127.0.10.%1").arg(i))));
    recorder->ClearReceivedFrames();
    QCOMPARE(StatusSense(), kStatusOk);
    QCOMPARE(Commands(recorder->ReceivedFrames()), QList<QByteArray>{QByteArray("\x61\x20", 2)});
}

void TestConnection::delayModeHoldsSelection_data()
{
    QTest::addColumn<int>("recording");
    QTest::addColumn<int>("playPending");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("held");

    QTest::newRow("recording, recorder channel") << 1 << 0 << 0 << true;
    QTest::newRow("recording, player channel") << 1 << 0 << 1 << false;
    QTest::newRow("playback pending, player channel") << 0 << 1 << 1 << true;
    QTest::newRow("playback pending, recorder channel") << 0 << 1 << 0 << false;
    QTest::newRow("both, no channel chosen") << 1 << 1 << -1 << false;
}

void TestConnection::delayModeHoldsSelection()
{
    QFETCH(int, recording);
    QFETCH(int, playPending);
    QFETCH(int, mode);
    QFETCH(bool, held);

    LoadDevices((kRecorderAddress + "\n" + kPaddedRecorderAddress + "\n").toLatin1());
    SelectControl(102, menu, panel);
    CurrentDevice->delayRecording = static_cast<quint8>(recording);
    CurrentDevice->delayPlayPending = static_cast<quint8>(playPending);
    recPlayMode = mode;
    QCOMPARE(DelayModeHoldsDevice(), held);

    recorder->ClearReceivedFrames();
    SelectControl(103, menu, panel);
    QCOMPARE(CurrentDevice, DeviceAt(held ? 2 : 3));
    QCOMPARE(recorder->ReceivedFrames().isEmpty(), held);
}

void TestConnection::detectsKindFromVersion_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("versionKey");
    QTest::addColumn<bool>("pellet");

    QTest::newRow("DV") << QByteArray("DV1.40") << "DV1.40" << true << false;
    QTest::newRow("dv") << QByteArray("dv1.40") << "dv1.40" << true << false;
    QTest::newRow("dV") << QByteArray("dV9") << "dV9" << true << false;
    QTest::newRow("VD") << QByteArray("VD1.40") << "VD1.40" << false << false;
    QTest::newRow("PELLET") << QByteArray("XR PELLET 2") << "XR PELLET 2" << false << true;
    QTest::newRow("DV PELLET") << QByteArray("DVPELLET") << "DVPELLET" << true << true;
    QTest::newRow("pellet lower case") << QByteArray("xr pellet") << "xr pellet" << false << false;
    QTest::newRow("ends at zero byte") << QByteArray("XR\0PELLET", 9) << "XR" << false << false;
    QTest::newRow("at most 15 characters")
        << QByteArray("ABCDEFGHIJKLMNO") << "ABCDEFGHIJKLMNO" << false << false;
}

void TestConnection::detectsKindFromVersion()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, version);
    QFETCH(bool, versionKey);
    QFETCH(bool, pellet);

    LoadDevices(kRecorderAddress.toLatin1());
    CurrentDevice = SelectDeviceByName(kEth + kRecorderAddress);
    QVERIFY(CurrentDevice);
    recorder->ForceReply(0x6, 0xB1, VersionReply(data));
    legacyFirmware = 1; // left by the previous recorder
    pelletDevice = pellet ? 0 : 1;

    DetectDeviceKind(panel);
    QCOMPARE(versionText, version);
    QCOMPARE(panel.calls.contains(QStringLiteral("version key")), versionKey);
    QCOMPARE(legacyFirmware, quint8(versionKey ? 1 : 0));
    QCOMPARE(pelletDevice, quint8(pellet ? 1 : 0));
}

void TestConnection::failedVersionSenseClearsKind()
{
    LoadDevices(kRecorderAddress.toLatin1());
    CurrentDevice = SelectDeviceByName(kEth + kRecorderAddress);
    versionText = QStringLiteral("XR PELLET");
    legacyFirmware = 1;
    pelletDevice = 1;
    recorder->DropReplies(1);

    DetectDeviceKind(panel);
    QCOMPARE(versionText, QString());
    QCOMPARE(legacyFirmware, quint8(0));
    QCOMPARE(pelletDevice, quint8(0));
    QVERIFY(panel.calls.isEmpty());
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
