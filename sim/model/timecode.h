// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace xrsim {

// A timecode label, HH:MM:SS:FF, and the arithmetic between labels and
// frame counts. With drop frame (30 frame timecode only) the frame numbers
// 00 and 01 are left out of every minute that is not a multiple of ten, so
// that the labels keep pace with 29.97 Hz pictures.
struct Timecode
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int frames = 0;

    static Timecode FromCount(qint64 count, int fps, bool dropFrame);
    qint64 ToCount(int fps, bool dropFrame) const;
    bool IsValid(int fps) const;

    // "HH:MM:SS:FF" (also with ';' or '.' before the frames); false when the
    // text is not a timecode.
    static bool Parse(const QString &text, Timecode *out);

    // The four wire bytes, frames first, each two BCD digits. Bit 6 of the
    // frames byte marks drop frame; the second field of a picture is marked
    // in bit 7 of the hours byte on a 50 Hz recorder, of the seconds byte
    // otherwise.
    QByteArray Pack(bool dropFrame, bool secondField, bool fiftyHz) const;
    // False when fewer than four bytes are given or a digit is not decimal.
    static bool Unpack(const QByteArray &bytes, bool fiftyHz, Timecode *out, bool *secondField);
};

quint8 ToBcd(int value);
// -1 when a nibble is above 9.
int FromBcd(quint8 byte);

} // namespace xrsim
