// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>

// Sense requests that fill the program-wide recorder state (recorderstate.h).
// A reply is stored only when it is a sense return carrying every byte the
// request reads; otherwise the stored values keep their previous contents.
// Each returns the engine's status, kStatusNak (1) when the recorder refused,
// kStatusShortReply when the sense return was too short to store, and 0 for a
// successful exchange, also when a reply of another group was not stored.

// Asks the recorder what it is; the answer decides among others whether it is
// a 50 Hz recorder. The answer comes in group 1 with the request's command
// byte; any other reply, a refusal included, gives kStatusWrongReply, and one
// without both type bytes kStatusShortReply.
qint16 DeviceTypeRequest();

qint16 TimerModeSense();

// Reads the time the recorder shows: its timer while the stored timer mode is
// 1, the timecode otherwise.
qint16 CurrentTimeSense();

// Reads status bytes 0-9.
qint16 StatusSense();

// Reads the eight audio levels, two 4-bit levels a byte (audiolevels.h). The
// four bytes are cleared first and filled only from a sense return carrying
// all four; since they feed the meters rather than the store, any other answer
// is a failure (kStatusNak, kStatusWrongReply or kStatusShortReply).
qint16 AudioLevelSense(std::array<quint8, 4> &levels);

// Whether the last status sense showed the recorder playing. Sends nothing.
bool IsPlaying();
