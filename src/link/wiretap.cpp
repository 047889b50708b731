// SPDX-License-Identifier: GPL-3.0-or-later
#include "wiretap.h"

#include "timing.h"

#include <algorithm>
#include <array>

int wireTapCount = 0;

namespace {

std::array<WireTap *, kMaxWireTaps> taps{};

} // namespace

bool AddWireTap(WireTap *tap)
{
    if (wireTapCount >= kMaxWireTaps)
        return false;
    taps[wireTapCount++] = tap;
    return true;
}

void RemoveWireTap(WireTap *tap)
{
    const auto end = taps.begin() + wireTapCount;
    const auto kept = std::remove(taps.begin(), end, tap);
    std::fill(kept, end, nullptr);
    wireTapCount = static_cast<int>(kept - taps.begin());
}

void NotifyWireTaps(WireEvent &event)
{
    event.timeUs = MonotonicUs();
    for (int i = 0; i < wireTapCount; ++i)
        taps[i]->OnWire(event);
}
