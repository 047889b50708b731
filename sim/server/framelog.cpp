#include "server/framelog.h"

#include <QDeadlineTimer>

namespace xrsim {

void FrameLog::append(const QByteArray &frame)
{
    QMutexLocker lock(&m_mutex);
    m_frames.append(frame);
    m_grown.wakeAll();
}

QList<QByteArray> FrameLog::frames() const
{
    QMutexLocker lock(&m_mutex);
    return m_frames;
}

void FrameLog::clear()
{
    QMutexLocker lock(&m_mutex);
    m_frames.clear();
}

bool FrameLog::waitForCount(int count, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker lock(&m_mutex);
    while (m_frames.size() < count) {
        if (!m_grown.wait(&m_mutex, deadline))
            return m_frames.size() >= count;
    }
    return true;
}

} // namespace xrsim
