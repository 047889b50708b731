#include "model/simclock.h"

namespace xrsim {

SimClock::SimClock()
{
    m_timer.start();
}

qint64 SimClock::nowMs() const
{
    return m_timer.elapsed() + m_skipped.load();
}

void SimClock::skip(qint64 ms)
{
    if (ms > 0)
        m_skipped.fetch_add(ms);
}

} // namespace xrsim
