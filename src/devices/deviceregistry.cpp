// SPDX-License-Identifier: GPL-3.0-or-later
#include "deviceregistry.h"

#include "connectmenu.h"
#include "devicefile.h"
#include "devicelists.h"
#include "devicerecord.h"
#include "link/byteorder.h"
#include "link/ethernetlink.h"
#include "link/linkstatus.h"
#include "link/seriallink.h"
#include "protocol/sensecommands.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace {

// The port kept with a networked recorder's address. It only makes two
// entries of the Ethernet link's peer table equal or different: datagrams
// always go to the recorder's own UDP port, 32896.
constexpr quint16 kPeerTablePort = 8080;

constexpr quint16 kFirstSerialPortId = 0;
constexpr quint16 kSecondSerialPortId = 1;

// Whether a list was loaded and not yet destroyed. Saving without one would
// empty xr.cfg, for example when the program ends before the list was read.
bool deviceListLoaded = false;

// The lines of xr.cfg after its last recorder that name no recorder.
QStringList fileLinesAfter;

QString &DeviceFile()
{
    static QString path = QString::fromLatin1(kDeviceFileName);
    return path;
}

void AddSerialDevice(ConnectMenu *menu, quint16 portId)
{
    DeviceLink *link = FindLinkByPortId(portId);
    if (!link) {
        CreateSerialLink(portId);
        link = FindLinkByPortId(portId);
    }
    const QString name =
        portId == kFirstSerialPortId ? QStringLiteral("Com1") : QStringLiteral("Com2");
    const PeerAddress none{0, 0};
    auto *device = new DeviceRecord(link, none, name);
    link->currentAddress = link->AddAddress(none);
    DeviceList.AddTail(device);
    if (menu)
        menu->InsertXRMenuItem(name);
}

template <typename Visit>
void ForEachDevice(Visit visit)
{
    for (int i = 0; i < DeviceList.GetCount(); ++i)
        visit(DeviceAt(i));
}

// The text a networked recorder was added with: its line of xr.cfg, or the
// address the add dialog gave.
QString DeviceLineText(const DeviceRecord &device)
{
    return device.name.mid(int(qstrlen(kEthernetNamePrefix)));
}

// A removed recorder's neighbouring lines of xr.cfg stay where they were:
// they go with the recorder after it, or to the end of the file.
void HandOnFileLines(DeviceRecord *removed)
{
    if (DeviceRecord *after = DeviceAt(DeviceList.IndexOf(removed) + 1))
        after->fileLinesBefore = removed->fileLinesBefore + after->fileLinesBefore;
    else
        fileLinesAfter = removed->fileLinesBefore + fileLinesAfter;
}

// The recorder named on the command line: a serial port by its name, a
// networked recorder by its address, whichever way the list writes it. One
// that is not listed yet is added.
DeviceRecord *ChosenDevice(ConnectMenu *menu, const QString &first)
{
    const bool serial = IsSerialDeviceName(first);
    const quint32 address = ParseIPv4(first);
    for (int i = 0; i < DeviceList.GetCount(); ++i) {
        DeviceRecord *device = DeviceAt(i);
        if (serial ? device->name == first
                   : !IsSerialDeviceName(device->name) && address != 0 &&
                         NetToHost32(device->address.ip) == address)
            return device;
    }
    return serial ? nullptr : AddEthernetDevice(menu, first);
}

QStringList DeviceFileLines()
{
    QStringList lines;
    ForEachDevice([&](DeviceRecord *device) {
        if (IsSerialDeviceName(device->name))
            return;
        lines += device->fileLinesBefore;
        lines.append(DeviceLineToSave(DeviceLineText(*device)));
    });
    return lines + fileLinesAfter;
}

} // namespace

void UseDeviceFile(const QString &path)
{
    DeviceFile() = path;
}

QString DeviceFileInUse()
{
    return DeviceFile();
}

bool IsSerialDeviceName(const QString &name)
{
    return name == QLatin1String("Com1") || name == QLatin1String("Com2");
}

void CreateLinkList()
{
    if (!FindLinkByPortId(EthernetLink::kPortId))
        LinkList.AddTail(new EthernetLink);
    LinkList.ForEach([](void *link, void *) { static_cast<DeviceLink *>(link)->Open(); }, nullptr);
}

void CreateSerialLink(quint16 portId)
{
    LinkList.AddTail(new SerialLink(portId));
}

void DestroyLinkList()
{
    LinkList.ForEach(
        [](void *value, void *) {
            auto *link = static_cast<DeviceLink *>(value);
            link->Close();
            delete link;
        },
        nullptr);
    LinkList.RemoveAll();
}

void LoadDeviceList(ConnectMenu *menu)
{
    DestroyDeviceList();
    deviceListLoaded = true;
    AddSerialDevice(menu, kFirstSerialPortId);
    AddSerialDevice(menu, kSecondSerialPortId);
    QStringList kept;
    for (const QString &line : ReadDeviceFile(DeviceFile())) {
        if (!IsDeviceLine(line)) {
            kept.append(line);
            continue;
        }
        DeviceRecord *device = AddEthernetDevice(menu, line);
        if (!device)
            return;
        device->fileLinesBefore = kept;
        kept.clear();
    }
    fileLinesAfter = kept;
}

DeviceRecord *AddEthernetDevice(ConnectMenu *menu, const QString &addressText)
{
    DeviceLink *link = FindLinkByPortId(EthernetLink::kPortId);
    if (!link)
        return nullptr;
    const PeerAddress address{HostToNet32(DeviceLineAddress(addressText)),
                              HostToNet16(kPeerTablePort)};
    auto *device = new DeviceRecord(link, address, kEthernetNamePrefix + addressText);
    // The 17th distinct address finds the peer table full and gets -1 here;
    // the engine makes room for it when the recorder is commanded.
    link->currentAddress = link->AddAddress(address);
    DeviceList.AddTail(device);
    if (menu)
        menu->InsertXRMenuItem(device->name);
    return device;
}

// The current recorder is never removed: CurrentDevice and the engine would
// be left pointing at a deleted record. The remove dialog does not offer it,
// but a second record of the same name may be removed while it is current.
bool RemoveEthernetDevice(ConnectMenu *menu, const QString &addressText)
{
    const QString name = kEthernetNamePrefix + addressText;
    QList<DeviceRecord *> doomed;
    ForEachDevice([&](DeviceRecord *device) {
        if (device->name == name && device != CurrentDevice)
            doomed.append(device);
    });
    for (DeviceRecord *device : doomed) {
        if (menu)
            menu->RemoveXRMenuItem(name);
        HandOnFileLines(device);
        DeviceList.Remove(device);
        delete device;
    }
    return !doomed.isEmpty();
}

// A list that cannot be saved is the operator's work of the whole run: the
// terminal gets every line that is lost, so that it can be put back by hand.
bool SaveDeviceList()
{
    if (!deviceListLoaded)
        return false;
    const QStringList lines = DeviceFileLines();
    const QFileInfo file(DeviceFile());
    QString error = QStringLiteral("its folder cannot be made");
    if (QDir().mkpath(file.absolutePath()) && WriteDeviceFile(DeviceFile(), lines, &error))
        return true;
    qWarning().noquote() << QStringLiteral("Tavrel: the recorder list was not saved to %1 (%2). "
                                           "Its lines were:\n%3")
                                .arg(QDir::toNativeSeparators(file.absoluteFilePath()), error,
                                     lines.join(QLatin1Char('\n')));
    return false;
}

void DestroyDeviceList()
{
    ForEachDevice([](DeviceRecord *device) { delete device; });
    DeviceList.RemoveAll();
    CurrentDevice = nullptr;
    deviceListLoaded = false;
    fileLinesAfter.clear();
}

bool ConnectDevice(DeviceRecord *device)
{
    if (!device)
        return false;
    if (!IsSerialDeviceName(device->name) && !IsUnicastIPv4(NetToHost32(device->address.ip)))
        return false; // no single recorder can answer there: nothing is sent
    DeviceRecord *const remembered = CurrentDevice;
    CurrentDevice = device;
    device->disconnected = 0;
    const bool serial = IsSerialDeviceName(device->name);
    if (serial)
        device->link->Open(); // a port that fails to open makes the probe time out
    const bool answered = DeviceTypeRequest() == kStatusOk;
    CurrentDevice = remembered;
    if (!answered && serial)
        device->link->Close(); // leave the port to other programs
    return answered;
}

DeviceRecord *AutoConnect()
{
    for (int i = 0; i < DeviceList.GetCount(); ++i) {
        if (ConnectDevice(DeviceAt(i)))
            return DeviceAt(i);
    }
    return nullptr;
}

DeviceRecord *SelectDeviceByName(const QString &name)
{
    auto sameName = [](void *device, void *context) {
        return static_cast<DeviceRecord *>(device)->name == *static_cast<const QString *>(context);
    };
    auto *device =
        static_cast<DeviceRecord *>(DeviceList.FindFirst(sameName, const_cast<QString *>(&name)));
    if (!ConnectDevice(device))
        return nullptr;
    CurrentDevice = device;
    return device;
}

DeviceRecord *OpenDevices(ConnectMenu *menu, const QString &first)
{
    CreateLinkList();
    CurrentDevice = nullptr;
    LoadDeviceList(menu);
    if (first.isEmpty()) {
        CurrentDevice = AutoConnect();
    } else {
        DeviceRecord *chosen = ChosenDevice(menu, first);
        CurrentDevice = ConnectDevice(chosen) ? chosen : nullptr;
    }
    return CurrentDevice;
}

bool AddressAlreadyListed(const QStringList &menuTexts, const QString &addressText)
{
    for (const QString &text : menuTexts) {
        if (text.contains(addressText, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool AddEnteredAddress(ConnectMenu &menu, const QString &addressText)
{
    if (AddressAlreadyListed(menu.XRMenuTexts(), addressText))
        return false;
    AddEthernetDevice(&menu, addressText);
    return true;
}

QStringList RemovableDeviceNames()
{
    const QString prefix = QString::fromLatin1(kEthernetNamePrefix);
    QStringList names;
    ForEachDevice([&](DeviceRecord *device) {
        if (device == CurrentDevice ||
            device->name.contains(QLatin1String("COM"), Qt::CaseInsensitive))
            return;
        names.append(device->name.startsWith(prefix) ? device->name.mid(prefix.size())
                                                     : device->name);
    });
    names.sort();
    return names;
}
