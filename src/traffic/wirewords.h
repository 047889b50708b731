// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

enum class WireFate : quint8;

// Small pieces of the traffic in words, shared by the command and the reply
// descriptions.

// "61 20 0A 8B": upper-case hex bytes separated by blanks.
QString HexBytes(const quint8 *bytes, int length);

// "10:00:00:00" of four BCD bytes sent frames first, with the flag bits
// named after it: the field mark (bit 7 of the seconds or the hours byte)
// as "field 2", bit 6 of the frames byte as "drop frame".
QString BcdTimecodeWords(const quint8 *bytes);

// A name of up to `length` bytes, up to its first zero byte, in quotes;
// bytes that are not printable show as \xNN.
QString QuotedName(const quint8 *bytes, int length);

// The data bytes of a frame of `length` bytes that arrived: as many as CMD1
// announces when the checksum came too, else all that came after CMD2.
int DataBytesIn(const quint8 *frame, int length);

// A segment number: two BCD bytes, high byte first.
int SegmentNumberAt(const quint8 *bytes);

// Why received bytes were thrown away unread; empty for bytes taken.
QString FateWords(WireFate fate);
