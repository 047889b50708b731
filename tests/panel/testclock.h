// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/timing.h"

#include <QElapsedTimer>

#include <atomic>

// The program's clock for a test: the real passing of time plus an offset
// the test moves at will, so that waits still end while the reading jumps
// ahead (past a delay, or across the 32-bit boundary of a millisecond count).
// Installed for the object's lifetime.
//
//   TestClock clock(TestClock::kWrap32 - 50);   // 50 ms before 2^32
//   clock.Advance(10480);
class TestClock
{
public:
    static constexpr quint64 kWrap32 = quint64(1) << 32;

    explicit TestClock(quint64 reading)
    {
        Elapsed().start();
        offset = reading;
        previous = SetClockSource(&TestClock::Read);
    }
    ~TestClock() { SetClockSource(previous); }

    TestClock(const TestClock &) = delete;
    TestClock &operator=(const TestClock &) = delete;

    void Advance(quint64 ms) { offset += ms; }

private:
    static QElapsedTimer &Elapsed()
    {
        static QElapsedTimer timer;
        return timer;
    }
    static quint64 Read() { return offset + quint64(Elapsed().elapsed()); }

    static inline std::atomic<quint64> offset{0};
    ClockSource previous = nullptr;
};
