// SPDX-License-Identifier: GPL-3.0-or-later
#include "videostandard.h"

namespace {

constexpr bool RowsMatchCodes()
{
    for (std::size_t i = 0; i < kVideoStandards.size(); ++i) {
        if (kVideoStandards[i].code != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}

// Lookups index the table by code.
static_assert(RowsMatchCodes(), "row n of the video standard table must describe code n");

} // namespace

const VideoStandard &VideoStandardFor(int code)
{
    if (code < 0 || code >= kVideoStandardCount) {
        return kVideoStandards[kUndefinedVideoStandard];
    }
    return kVideoStandards[static_cast<std::size_t>(code)];
}

QString VideoStandardName(int code)
{
    return QLatin1String(VideoStandardFor(code).name);
}

int VideoStandardFps(int code)
{
    return VideoStandardFor(code).nominalFps;
}

bool VideoStandardInterlaced(int code)
{
    return VideoStandardFor(code).interlaced;
}
