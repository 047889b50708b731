// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtualtime.h"

#include "link/timing.h"

namespace {

// Far from zero, so that a start taken "before" the first case still lies
// in the past.
quint64 now = 1000000;
VirtualTime::Listener *listener = nullptr;

quint64 ReadClock()
{
    return now;
}

void Sleep(quint32 milliseconds)
{
    VirtualTime::AdvanceTo(now + milliseconds);
}

} // namespace

void VirtualTime::Install()
{
    SetClockSource(&ReadClock);
    SetSleepFunction(&Sleep);
}

quint64 VirtualTime::Now()
{
    return now;
}

void VirtualTime::AdvanceTo(quint64 ms)
{
    if (ms > now)
        now = ms;
    if (listener)
        listener->TimePassed(now);
}

void VirtualTime::SetListener(Listener *newListener)
{
    listener = newListener;
}
