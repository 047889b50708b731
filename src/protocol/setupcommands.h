// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// The recorder's setup pages (numbered 0-10) and the commands that depend on
// them: the recorder/player side and the version text.

// A page as the recorder answers it: byte 0 is not a setting, bytes 1-14 are
// page bytes 0-13. Pages shorter than 14 bytes leave zeros at the end.
constexpr int kSetupReplySize = 15;
constexpr int kSetupPageBytes = 14;
using SetupPageReply = std::array<quint8, kSetupReplySize>;

// How many bytes setup page `page` holds: what a read of it must carry after
// the reply's first byte, and what a write sends back. 0 for page 7, which
// the recorder numbers but never uses, and for numbers beyond page 10.
int SetupPageSize(int page);

// Reads page `page` into `reply`. The recorder is told first that a page read
// follows; the answer to that is not checked. `reply` is set only from a sense
// return that carries the whole page: the bytes the recorder announced, zeros
// after them. A reply with fewer bytes than the page holds is
// kStatusShortReply and leaves `reply` alone: the missing bytes are not the
// recorder's setup, and a caller that wrote them back would overwrite it.
qint16 SetupPageRead(quint8 page, SetupPageReply &reply);

// Writes `count` page bytes (at most 14) to page `page`.
qint16 SetupPageWrite(quint8 page, const quint8 *bytes, int count);

// Makes the recorder take the written page into use.
qint16 SetupPageApply(quint8 page);

// Page 0 byte 13 holds the recorder's channel mode; only the "1R-1P" mode
// offers a separate player side.
constexpr quint8 kModeOneRecorderOnePlayer = 0x54;

// Whether the recorder offers a player side: `available` is set only when
// setup page 0 was read whole; the status says why it was not.
qint16 PlayerModeSense(bool &available);

// The same, false on any failure.
bool PlayerModeAvailable();

// Switches the side the panel drives: 0 recorder, 1 player.
qint16 RecorderPlayerSelect(quint8 mode);

// Reads the recorder's version text: the data of the sense return up to the
// first zero byte, at most 15 characters. `text` is untouched unless the
// recorder answered with a sense return.
qint16 VersionSense(QString &text);
