// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/videostandard.h"

#include <iterator>

namespace xrsim {

namespace {

const VideoStandard kStandards[] = {
    {0, "PAL", 25, 1, 25, true},
    {1, "NTSC", 30000, 1001, 30, true},
    {2, "1080 59.94i", 30000, 1001, 30, true},
    {3, "1080 60i", 30, 1, 30, true},
    {4, "1080 25p", 25, 1, 25, false},
    {5, "1080 50i", 25, 1, 25, true},
    {6, "1080 23.98p", 24000, 1001, 24, false},
    {7, "1080 24p", 24, 1, 24, false},
    {8, "720 59.94p", 60000, 1001, 60, false},
    {9, "720 60p", 60, 1, 60, false},
    {10, "1080 29.97p", 30000, 1001, 30, false},
    {11, "1080 30p", 30, 1, 30, false},
    {12, "1080 47.95i", 24000, 1001, 24, true},
    {13, "1080 48i", 24, 1, 24, true},
    {14, "480 30", 30, 1, 30, false},
    {15, "480 29.97p", 30000, 1001, 30, false},
    {16, "576 25p", 25, 1, 25, false},
    {17, "480 24", 24, 1, 24, false},
    {18, "480 23.98p", 24000, 1001, 24, false},
    {19, "576 24", 24, 1, 24, false},
    {20, "720 29.97p", 30000, 1001, 30, false},
    {21, "720 50p", 50, 1, 50, false},
    {22, "720 25p", 25, 1, 25, false},
    {23, "720 23.98p", 24000, 1001, 24, false},
    {24, "720 24p", 24, 1, 24, false},
    {25, "720 59.94i", 30000, 1001, 30, true},
    {26, "720 60i", 30, 1, 30, true},
    {27, "720 50i", 25, 1, 25, true},
    {28, "720 47.95i", 24000, 1001, 24, true},
    {29, "720 48i", 24, 1, 24, true},
    {30, "480 59.94p", 60000, 1001, 60, false},
    {31, "480 60p", 60, 1, 60, false},
    {32, "2k  23.98p", 24000, 1001, 24, false},
    {33, "2k  24p", 24, 1, 24, false},
    {34, "2k  47.95i", 24000, 1001, 24, true},
    {35, "2k  48i", 24, 1, 24, true},
    {36, "768 60p", 60, 1, 60, false},
    {37, "Undefined", 30, 1, 30, true},
};

} // namespace

const VideoStandard &VideoStandard::ByCode(int code)
{
    if (code < 0 || code >= Count())
        return kStandards[Count() - 1];
    return kStandards[code];
}

int VideoStandard::Count()
{
    return int(std::size(kStandards));
}

} // namespace xrsim
