// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class ConnectMenu;
struct DeviceRecord;

// The known recorders: the two serial ports, always present, and the
// networked recorders of xr.cfg and of the add dialog. These functions fill
// and empty LinkList and DeviceList (devices/devicelists.h), keep xr.cfg and
// probe recorders. GUI thread only.
//
// Order of use: at start-up CreateLinkList, LoadDeviceList, AutoConnect (or
// OpenDevices, which does the three); at exit SaveDeviceList,
// DestroyDeviceList, DestroyLinkList.
//
// Every function that takes a ConnectMenu accepts null for "no main window":
// the lists change and the menu is left alone.

// The file of networked recorders: one dotted IPv4 address per line. Its
// folder is chosen at start-up (devices/devicefileplace.h); until then it is
// the working folder.
inline constexpr char kDeviceFileName[] = "xr.cfg";

// Makes `path` the file that LoadDeviceList reads and SaveDeviceList writes.
void UseDeviceFile(const QString &path);

// The file in use: kDeviceFileName (in the working folder) unless
// UseDeviceFile chose another.
QString DeviceFileInUse();

// "Ethernet - " followed by the address text makes a networked recorder's name.
inline constexpr char kEthernetNamePrefix[] = "Ethernet - ";

// Whether the name is that of a recorder on a serial port: "Com1" or "Com2".
bool IsSerialDeviceName(const QString &name);

// Creates the Ethernet link, adds it to LinkList and opens it.
void CreateLinkList();

// Adds an unopened serial link for port id 0 (COM1) or 1 (COM2) to LinkList.
void CreateSerialLink(quint16 portId);

// Closes and deletes every link; LinkList is empty afterwards.
void DestroyLinkList();

// Builds DeviceList: "Com1", "Com2", then one recorder per line of xr.cfg
// that may name one (devices/devicefile.h). Each recorder also gets a menu
// entry. The other lines are kept to be written back in their places.
void LoadDeviceList(ConnectMenu *menu);

// Adds the networked recorder with this address text (dotted IPv4, possibly
// followed by a '#' comment; text that is not an address gives 0.0.0.0). Its
// name keeps the text as given. Returns the new record, or null without an
// Ethernet link.
DeviceRecord *AddEthernetDevice(ConnectMenu *menu, const QString &addressText);

// Removes every networked recorder whose name is "Ethernet - " + addressText,
// with its menu entry. Returns whether a recorder was removed. Its address
// stays in the Ethernet link's peer table.
bool RemoveEthernetDevice(ConnectMenu *menu, const QString &addressText);

// Writes the networked recorders to xr.cfg, one line per recorder in list
// order, each ended by CR LF: the address without leading zeros and the
// comment that followed it, or the line exactly as read when it gave no
// address. The lines of the file that named no recorder go back in their
// places. A missing folder of the file is made first. The file is replaced
// only by a complete new one; in a read-only folder it is overwritten in
// place (devices/devicefile.h). When it cannot be written, the lines not
// saved are printed on the terminal (stderr).
// Does nothing unless a list was loaded. Returns whether the file was
// written.
bool SaveDeviceList();

// Deletes every record and empties DeviceList. CurrentDevice becomes null.
void DestroyDeviceList();

// Probes a recorder with the device type request. True when it answered with
// a device type reply. A serial port is opened for the probe and closed again
// when the probe fails. A networked recorder at 0.0.0.0, the broadcast
// address or a multicast address is not probed: no recorder can answer there.
// CurrentDevice is the same before and after.
bool ConnectDevice(DeviceRecord *device);

// The first recorder, in list order, that answers the probe; null when none.
DeviceRecord *AutoConnect();

// Probes the recorder with exactly this name and, when it answers, makes it
// CurrentDevice. Returns it, or null when there is no such recorder or it did
// not answer (CurrentDevice is then unchanged).
DeviceRecord *SelectDeviceByName(const QString &name);

// The start-up sequence: CreateLinkList, no current device, LoadDeviceList,
// then CurrentDevice = AutoConnect(). Returns CurrentDevice.
//
// With a `first` recorder ("Com1", "Com2" or a dotted IPv4 address) only that
// one is probed instead of the list order, and it becomes current when it
// answers. An address not in the list is added to it, as the add dialog does.
DeviceRecord *OpenDevices(ConnectMenu *menu, const QString &first = QString());

// Whether an entered address text is already known: true when any of the
// menu texts contains it, ignoring case. Plain and zero-padded forms of one
// address are different texts.
bool AddressAlreadyListed(const QStringList &menuTexts, const QString &addressText);

// What the main window does with the address of an accepted add dialog: adds
// the recorder unless AddressAlreadyListed over the menu's texts. Returns
// whether it was added.
bool AddEnteredAddress(ConnectMenu &menu, const QString &addressText);

// The recorders the remove dialog offers: every networked recorder except the
// current one, without the "Ethernet - " prefix, sorted ascending. Names that
// contain "COM" in any case are never offered.
QStringList RemovableDeviceNames();
