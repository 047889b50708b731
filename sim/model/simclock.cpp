// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/simclock.h"

namespace xrsim {

SimClock::SimClock()
{
    timer.start();
}

qint64 SimClock::NowMs() const
{
    return timer.elapsed() + skipped.load();
}

void SimClock::Skip(qint64 ms)
{
    if (ms > 0)
        skipped.fetch_add(ms);
}

} // namespace xrsim
