// SPDX-License-Identifier: GPL-3.0-or-later
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
    void Append(const QByteArray &frame);
    QList<QByteArray> Frames() const;
    void Clear();
    // Blocks until the log holds at least count frames; false on timeout.
    bool WaitForCount(int count, int timeoutMs) const;

private:
    mutable QMutex mutex;
    mutable QWaitCondition grown;
    QList<QByteArray> frames;
};

} // namespace xrsim
