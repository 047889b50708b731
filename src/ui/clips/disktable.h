// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/segmentcommands.h"

#include <array>

// The recorder's disks as it describes them (SegmentSlotsSense), kept beside
// the segment list and stored in the playlist file, with the disk name the
// file carries: at most six entries, carried without interpretation but for
// each entry's present flag, and a name of at most 15 characters.
struct DiskTable
{
    int count = 0;
    std::array<SegmentSlotEntry, kSegmentSlotCount> entries{};
    std::array<char, 16> name{};
};

inline constexpr int kDiskNameMax = 15;
