// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/framelog.h"

#include <QDeadlineTimer>

namespace xrsim {

void FrameLog::Append(const QByteArray &frame)
{
    QMutexLocker lock(&mutex);
    frames.append(frame);
    grown.wakeAll();
}

QList<QByteArray> FrameLog::Frames() const
{
    QMutexLocker lock(&mutex);
    return frames;
}

void FrameLog::Clear()
{
    QMutexLocker lock(&mutex);
    frames.clear();
}

bool FrameLog::WaitForCount(int count, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker lock(&mutex);
    while (frames.size() < count) {
        if (!grown.wait(&mutex, deadline))
            return frames.size() >= count;
    }
    return true;
}

} // namespace xrsim
