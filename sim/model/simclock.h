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

    qint64 nowMs() const;
    // Pretends that ms more milliseconds have passed. Any thread.
    void skip(qint64 ms);

private:
    QElapsedTimer m_timer;
    std::atomic<qint64> m_skipped{0};
};

} // namespace xrsim
