// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <cstddef>

// Timecode as the operator types it, as the recorder sends and receives it, and
// as the panels show it.
//
// On the wire a timecode is four BCD bytes, frames first, then seconds, minutes
// and hours. Bit 7 of one byte marks the second field of an interlaced frame:
// the hours byte on a 50 Hz (625-line) recorder, the seconds byte otherwise.

// The keypad's entry buffer. As text it reads "HHMMSSFF.F": eight digits, a dot
// and the field digit "1" or "2". PackTimecodeBcd turns it in place into the
// four wire bytes followed by a zero byte, ready to be sent as command data.
struct TimecodeEntry
{
    static constexpr int kDigitCount = 8;
    static constexpr int kFieldIndex = 9;
    static constexpr int kTextLength = 10;
    static constexpr int kWireLength = 5;

    char chars[kTextLength + 1] = "00000000.1";

    void Reset();
    const quint8 *WireBytes() const { return reinterpret_cast<const quint8 *>(chars); }
};

// Fills `entry` from operator text such as "1:2", "10:00:00:00.2" or "123456".
// Digits are taken from the right (frames units first) and everything else is
// skipped; a trailing ".2" selects the second field. Only an empty text fails.
bool ParseTimecodeText(const QString &text, TimecodeEntry &entry);

// Packs the digits of `entry` into the wire form in place. The digits are not
// range-checked, so minutes "75" pack as 0x75.
void PackTimecodeBcd(TimecodeEntry &entry, bool fiftyHz);

// The recorder's time as it sends it (frames, seconds, minutes, hours in BCD),
// read: the drop-frame flag is bit 6 of the frames byte, the second-field
// mark bit 7 of the hours byte (50 Hz) or the seconds byte.
struct RecorderTime
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int frames = 0;
    bool dropFrame = false;
    int field = 1;
};
RecorderTime ReadRecorderTime(const std::array<quint8, 4> &time, bool fiftyHz);

// The frame count of a timecode, the reverse of FramesToTimecode (same rates,
// same drop-frame count); 0 for a rate that makes no sense.
qint64 TimecodeToFrames(const RecorderTime &time, double fps, bool dropFrame);

// "HH:MM:SS:FF" of a frame count. Frame rates above 30 are shown as half-rate
// timecode (50 as 25, 60 as 30). With `dropFrame` the 30 fps count skips frame
// numbers 00 and 01 in every minute that is not a multiple of ten. Hours are
// not limited unless `wrap24h` asks for wrapping at 24 hours. Counts or rates
// that make no sense give "00:00:00:00".
QString FramesToTimecode(qint64 frames, double fps, bool dropFrame, bool wrap24h);

// Timecode text of a recorder position into a NUL-terminated buffer of
// `destinationSize` bytes, truncated to fit. The position is divided by
// `divisor` first, since the recorder counts fields for interlaced standards.
// Without separators the text is the bare HHMMSSFF. A divisor of 0 gives the
// zero timecode.
void FormatFramePosition(quint32 position, char *destination, std::size_t destinationSize,
                         bool withSeparators, double fps, quint32 divisor, bool dropFrame);

// Positions at or beyond this count (48 hours of timecode) cannot be addressed
// by timecode and are cued by frame number instead.
quint32 TimecodeFrameLimit(bool fiftyHz);

// Divides recorder positions before they are shown: 2 for an interlaced video
// standard, where the recorder counts fields, 1 otherwise. Starts at 2 and is
// set whenever the loaded clip's information is read.
extern quint32 positionDivisor;
