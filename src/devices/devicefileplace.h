// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the recorder list (xr.cfg) lives, in this order of precedence:
//
// 1. the file the operator named (the command line's --config);
// 2. xr.cfg in the working folder, when there is one: set-ups made before
//    the program had a place of its own keep working;
// 3. xr.cfg in the user's configuration folder, $XDG_CONFIG_HOME/tavrel
//    (usually ~/.config/tavrel), which the first save creates.
//
// `chosen` is the named file, empty when none. The result is absolute.
QString DeviceFilePlace(const QString &chosen);

// The user's own recorder list: the third place above.
QString UserDeviceFile();
