// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>

// One segment as the segment list keeps it and the playlist file stores it:
// the in and out points (frame positions), the two further numbers the
// recorder reports with a segment (kept, not interpreted), the segment's
// number on the recorder (1-2045) and its name. The older binary playlist
// file holds these records raw, 48 bytes each, little-endian:
//
//   offset  0  inPoint   u32
//   offset  4  outPoint  u32
//   offset  8  extra1    u16
//   offset 10  extra2    u16
//   offset 12  number    u16
//   offset 14  name      34 bytes, NUL-terminated, at most 32 characters
struct SegmentRecord
{
    quint32 inPoint = 0;
    quint32 outPoint = 0;
    quint16 extra1 = 0;
    quint16 extra2 = 0;
    quint16 number = 0;
    std::array<char, 34> name{};
};

inline constexpr int kSegmentRecordSize = 48;
inline constexpr int kSegmentNameMax = 32;
