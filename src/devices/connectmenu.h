// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The main window as the device registry and the connection selection see
// it. The registry and the selection are free functions that run without a
// window in tests and tools; they reach the window only through these two
// interfaces, which the window implements (the first through the object
// behind its "&Connect" menu). Everything here is called on the GUI thread,
// from inside the window's own slots or its constructor.

// The "&Connect" menu. Its entries, by position:
//
//   0        separator
//   1        "Add XR..."     id 1   (opens the add dialog)
//   2        "Remove XR..."  id 2   (opens the remove dialog)
//   3 ...    one entry per known recorder, text = the recorder's name
//            ("Com1", "Com2", "Ethernet - 192.168.1.20"), ids 100, 101, ...
//            in the order the entries were inserted
//
// The menu keeps a "next menu id": it starts at kFirstRecorderMenuId, before
// LoadDeviceList runs, and is never lowered, so an id is never given twice
// even after its entry was removed. Every entry is checkable, and the
// menu's activated(id) goes to the window's SelectControl slot, which calls
// the SelectControl function of devices/connectionselection.h with the id.
class ConnectMenu
{
public:
    static constexpr int kAddMenuId = 1;
    static constexpr int kRemoveMenuId = 2;
    static constexpr int kFirstRecorderMenuId = 100;

    virtual ~ConnectMenu() = default;

    // Appends an entry at the end of the menu with the name as its text and
    // the next menu id as its id, then increments the next menu id.
    virtual void InsertXRMenuItem(const QString &name) = 0;

    // Removes the first entry, from position 1 on, whose text equals the name
    // exactly (case included). Returns whether an entry was removed.
    virtual bool RemoveXRMenuItem(const QString &name) = 0;

    // The texts of the entries from position 1 on, in menu order: "Add XR...",
    // "Remove XR...", then the recorder names. The separator is not listed.
    virtual QStringList XRMenuTexts() const = 0;

    // The text of the entry with this id, or an empty text when the menu has
    // no entry with it.
    virtual QString XRMenuText(int id) const = 0;

    // Puts the check mark on the entry with this id and clears it on every
    // other entry.
    virtual void CheckXRMenuItem(int id) = 0;
};

// The parts of a change of recorder that are the window's own: the panel's
// version key and the widgets that show the previous recorder's material.
// SelectControl calls them, in the order below, once the new recorder is
// current; the window's start-up calls the first two itself (see
// DetectDeviceKind in devices/connectionselection.h).
class SelectionPanel
{
public:
    virtual ~SelectionPanel() = default;

    // Sends the panel's version key, SendPanelKey(0), to the current
    // recorder. The panel's version check sets legacyFirmware from the reply.
    virtual void SendVersionKey() = 0;

    // Shows the disk line for the current recorder. With legacyFirmware 1 the
    // recorder keeps a disk name: read it with DiskNameSense into EdDiskName
    // and label the line (textLabel1_3) "Disk name :". Otherwise empty
    // EdDiskName and label the line "Created from :".
    virtual void ShowDiskInformation() = 0;

    // Drops what the window shows of the previous recorder, in this order:
    // MClearClipList(), MClearPlaylist(), remove every row of
    // TableFileList from the last row to the first; then set recPlayMode to
    // -1, run pbR_pressed (choose the record channel), switch pbLock and
    // pbOption off, empty the remembered file-list key so that the next
    // refresh reloads it, and run pbUpdateListFile_pressed.
    virtual void ResetForNewDevice() = 0;
};
