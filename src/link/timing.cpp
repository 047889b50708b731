// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing.h"

#include <QElapsedTimer>
#include <QThread>

#include <atomic>

namespace {

const QElapsedTimer &ProcessClock()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return clock;
}

quint64 ProcessClockMs()
{
    return static_cast<quint64>(ProcessClock().elapsed());
}

std::atomic<ClockSource> clockSource{nullptr};
std::atomic<SleepFunction> sleepFunction{nullptr};

} // namespace

quint64 NowMs()
{
    const ClockSource source = clockSource.load();
    return source ? source() : ProcessClockMs();
}

quint64 MonotonicUs()
{
    return static_cast<quint64>(ProcessClock().nsecsElapsed() / 1000);
}

quint64 ElapsedMs(quint64 start)
{
    const quint64 now = NowMs();
    return now < start ? now : now - start;
}

void DelayMs(quint32 milliseconds)
{
    if (const SleepFunction sleep = sleepFunction.load()) {
        sleep(milliseconds);
        return;
    }
    const quint64 start = NowMs();
    for (quint64 elapsed = 0; elapsed < milliseconds; elapsed = ElapsedMs(start))
        QThread::msleep(static_cast<unsigned long>(milliseconds - elapsed));
}

ClockSource SetClockSource(ClockSource source)
{
    return clockSource.exchange(source);
}

SleepFunction SetSleepFunction(SleepFunction sleep)
{
    return sleepFunction.exchange(sleep);
}
