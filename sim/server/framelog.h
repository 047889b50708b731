#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QWaitCondition>

namespace xrsim {

// The frames the recorder received, bare (no packet header), in arrival
// order. Written by the simulator's thread, read and cleared by tests.
class FrameLog
{
public:
    void append(const QByteArray &frame);
    QList<QByteArray> frames() const;
    void clear();
    // Blocks until the log holds at least count frames; false on timeout.
    bool waitForCount(int count, int timeoutMs) const;

private:
    mutable QMutex m_mutex;
    mutable QWaitCondition m_grown;
    QList<QByteArray> m_frames;
};

} // namespace xrsim
