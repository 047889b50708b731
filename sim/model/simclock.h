// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>

#include <atomic>

namespace xrsim {

// The recorder's wall clock in milliseconds: a monotonic clock that tests
// may move forward to make time pass without waiting.
class SimClock
{
public:
    SimClock();

    qint64 NowMs() const;
    // Pretends that ms more milliseconds have passed. Any thread.
    void Skip(qint64 ms);

private:
    QElapsedTimer timer;
    std::atomic<qint64> skipped{0};
};

} // namespace xrsim
