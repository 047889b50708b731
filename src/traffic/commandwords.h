// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// A frame the program sends, in words: the command's name from the program's
// command table and what its data bytes say, as in "StatusSense status bytes
// 0–9" or "CueUpWithData 01:02:03:04". A frame the table does not hold is
// named by its group and code. `length` counts the whole frame, checksum
// included.
QString CommandWords(const quint8 *frame, int length);

// The command group of a frame as the traffic monitor's filter offers it.
enum class CommandGroup : quint8 { System, Transport, Disk, Preset, Sense, File, Other };

CommandGroup GroupOf(quint8 cmd1);
QString GroupName(CommandGroup group);
