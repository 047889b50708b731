// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// Segments: numbered stretches (1-9999, in practice 1-2045) of the recorder's
// material between an in and an out point. Segment numbers travel as two BCD
// bytes, thousands and hundreds first.
std::array<quint8, 2> SegmentNumberBytes(unsigned number);

// What the recorder reports about one segment: in and out positions, then two
// further numbers that the program keeps and stores without interpreting.
struct SegmentInfo
{
    quint32 inPoint = 0;
    quint32 outPoint = 0;
    quint16 extra1 = 0;
    quint16 extra2 = 0;
};

// Makes segment `number` from the in and out points marked on the recorder.
// True when the recorder accepted it.
bool CreateSegment(unsigned number);

// Reads a segment. True, with `info` filled, when the recorder answered with
// the whole segment information; `info` is untouched otherwise (no reply, a
// refusal, a reply of another kind or one too short for the whole information).
bool SegmentInfoSense(unsigned number, SegmentInfo &info);

// Reads the name of the file the segment was cut from (8 characters at most).
// True, with `source` set, when the recorder answered with a name.
bool SegmentSourceSense(unsigned number, QString &source);

// Deletes a segment; kStatusNak when the recorder refuses (no such segment).
qint16 DeleteSegment(unsigned number);

qint16 PlaySegment(unsigned number);

// The recorder's description of its disks, kept in the playlist file: six
// entries of two 32-bit numbers, two bytes, a present flag and a spare byte.
// Only the present flag is interpreted.
struct SegmentSlotEntry
{
    quint32 value1 = 0;
    quint32 value2 = 0;
    quint8 byte1 = 0;
    quint8 byte2 = 0;
    quint8 present = 0;
    quint8 spare = 0;
};

// Tag of the block: the big-endian value of the characters "zaxo".
constexpr quint32 kSegmentSlotsTag = 0x7A61786Fu;
constexpr int kSegmentSlotCount = 6;

struct SegmentSlotsBlock
{
    quint32 tag = kSegmentSlotsTag;
    quint32 count = 0;
    std::array<SegmentSlotEntry, kSegmentSlotCount> entries{};
};

// Asks for the six entries in turn. An entry that comes back without its
// present flag ends the reading; an entry the recorder does not answer is
// skipped. `count` is one more than the index of the last present entry read.
// Returns 0, or the status of the last exchange that failed.
qint16 SegmentSlotsSense(SegmentSlotsBlock &block);
