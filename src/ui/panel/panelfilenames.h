// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

struct DeviceRecord;

// File names on the panel's display: the file browser shows a recorder's
// file on the lower line, and the upper line says whether a name typed or
// proposed there is free.

inline constexpr char kNameAvailable[] = "[AVAILABLE]";
inline constexpr char kNameUsed[] = "[ALREADY USED]";
// The recorder refused the question, or did not answer it.
inline constexpr char kNameRefused[] = "[REFUSED]";
inline constexpr char kNameUnanswered[] = "[NO ANSWER]";

// The name proposed for file number `number`: CLIP0000 to CLIP2047.
QString ClipName(int number);

// Keeps the name the browser shows (at most eight characters) as the one
// Enter acts on; it is not known to be free until checked.
void KeepPanelFileName(DeviceRecord &device, const QByteArray &name);

// Asks the recorder whether a file of the kept name exists and returns what
// the upper line says of it: "[AVAILABLE]", "[ALREADY USED]", or why the
// recorder could not tell. Only "[AVAILABLE]" lets Enter create the file.
QByteArray CheckPanelFileName(DeviceRecord &device);

// The eight characters whose last four the digit keys scroll: the kept name
// cut to eight characters or filled up with zeros, and CLIP0000 while no
// name is kept (never the recorder's own text on the display).
QString NameForDigits(const DeviceRecord &device);
