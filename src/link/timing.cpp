#include "timing.h"

#include <QElapsedTimer>
#include <QThread>

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

} // namespace

quint32 NowMs()
{
    return static_cast<quint32>(ProcessClock().elapsed());
}

quint32 ElapsedMs(quint32 start)
{
    const quint32 now = NowMs();
    return now < start ? now : now - start;
}

void DelayMs(quint32 milliseconds)
{
    const quint32 start = NowMs();
    for (quint32 elapsed = 0; elapsed < milliseconds; elapsed = ElapsedMs(start))
        QThread::msleep(milliseconds - elapsed);
}
