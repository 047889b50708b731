// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class ConnectMenu;
struct DeviceRecord;

// The recorders of one run of the program, from start-up to exit: the links,
// the known recorders of xr.cfg and the first that answers. The program's
// entry point runs it around the main window, which itself touches no
// recorder and no file:
//
//   DeviceSession devices;
//   MainWindow window;             // widgets and menus only
//   devices.Open(&window);         // links, xr.cfg, probes, menu entries
//   window.Start();
//   ... event loop ...
//   devices.Save();                // xr.cfg, before anything is torn down
//   (window destroyed)
//   devices.Close();               // records, then links
//
// A session that was never opened leaves the device lists alone, so a test
// can build a window with no recorder and no working folder.
class DeviceSession
{
public:
    DeviceSession() = default;
    ~DeviceSession();
    DeviceSession(const DeviceSession &) = delete;
    DeviceSession &operator=(const DeviceSession &) = delete;

    // Creates the links, loads the recorders of xr.cfg with their menu
    // entries (none without a menu) and makes the first that answers the
    // current device, or only probes `first` when one is named (see
    // OpenDevices). Returns the current device, or null when none answered.
    DeviceRecord *Open(ConnectMenu *menu, const QString &first = QString());

    // Writes the networked recorders to xr.cfg. Nothing is written, and
    // false returned, for a session that was not opened.
    bool Save();

    // Deletes the records, then closes and deletes the links. Done by the
    // destructor as well; a second call does nothing.
    void Close();

private:
    bool open = false;
};
