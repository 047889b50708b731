// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// Program-wide state of the recorder being controlled. The sense commands fill
// it from the recorder's replies; the panels, the polling loop and the keypad
// read it. Only the GUI thread touches it.

// The device type reply: data byte 0 * 256 + data byte 1. Bit 0 of the high
// byte is set on a 50 Hz (625-line) recorder.
extern quint16 deviceType;

// 1 while the recorder shows its timer, anything else while it shows timecode.
extern quint8 timerMode;
constexpr quint8 kTimerModeTimer = 1;
constexpr quint8 kTimerModeTimecode = 0;

// The recorder's current time as it sends it: BCD frames, seconds, minutes,
// hours, with the field and drop-frame flag bits left in place.
extern std::array<quint8, 4> currentTime;

// Status bytes 0-9 of the last successful status sense.
extern std::array<quint8, 10> statusBytes;

// Set by the Delay mode start after it sends an edit preset; EndEditModes
// resets the recorder's preset and clears it.
extern quint8 editPresetArmed;

// The side of the recorder the panel drives: none chosen yet, the recorder
// (R) or the player (P).
extern qint32 recPlayMode;
constexpr qint32 kNoSideChosen = -1;
constexpr qint32 kRecorderSide = 0;
constexpr qint32 kPlayerSide = 1;

// 1 when the recorder runs an older firmware generation, which keeps a disk
// name instead of files and answers some senses in an older form.
extern quint8 legacyFirmware;

// The recorder's version text, at most 15 characters.
extern QString versionText;

// 1 when the version text names the smaller Pellet recorder.
extern quint8 pelletDevice;

// Status bits read by the commands and their callers (bit 0 least
// significant). A mask of two bits is set when either is.
struct StatusBit
{
    int byte;
    quint8 mask;
};
inline constexpr StatusBit kStatusLocal{0, 0x01};
// Play started by the plain play command, not the recorder's own variant.
inline constexpr StatusBit kStatusPlainPlay{0, 0x10};
// The recorder's display changed without a key: it is read again.
inline constexpr StatusBit kStatusDisplayChanged{0, 0x60};
inline constexpr StatusBit kStatusPlaying{1, 0x01};
inline constexpr StatusBit kStatusRecording{1, 0x02};
inline constexpr StatusBit kStatusFastForward{1, 0x04};
inline constexpr StatusBit kStatusRewinding{1, 0x08};
inline constexpr StatusBit kStatusStopped{1, 0x20};
inline constexpr StatusBit kStatusCueUpComplete{2, 0x01};
inline constexpr StatusBit kStatusStill{2, 0x02};
// Shuttle, jog or variable speed.
inline constexpr StatusBit kStatusShuttleFamily{2, 0x20};
inline constexpr StatusBit kStatusEditOn{4, 0x80};
inline constexpr StatusBit kStatusFullEeOn{4, 0x40};
inline constexpr StatusBit kStatusLtcOn{6, 0x04};
inline constexpr StatusBit kStatusPlaylistChanged{9, 0x02};
inline constexpr StatusBit kStatusEventChanged{9, 0x40};

inline bool StatusBitSet(StatusBit bit)
{
    return (statusBytes[bit.byte] & bit.mask) != 0;
}

// True for a 50 Hz (625-line) recorder, from the stored device type.
inline bool FiftyHzRecorder()
{
    return (deviceType & 0x0100) != 0;
}
