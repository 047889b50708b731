// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Running the benchmark's event loop for a while or until something
// happened, the GUI thread's own CPU time, and the key's path next to a
// client's, as the remote control benchmarks measure them.

#include "stamprelay.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <atomic>
#include <ctime>
#include <vector>

// The calling thread's own CPU time.
inline double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

inline void RunFor(int ms)
{
    QTimer::singleShot(ms, &QApplication::quit);
    QApplication::exec();
}

template <typename F>
void RunUntil(F done, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// The Stop key's path and a client's stop, by turns `samples` times with the
// polling running between them: from the click, and from the client's send,
// to the Stop frame's arrival as `stops` and `lastStopNs` count it. `send`
// sends the client's stop, waits for its answer and returns when it went.
template <typename Key, typename Send>
void KeyAndClientStops(Key *stopKey, const std::atomic<int> &stops,
                       const std::atomic<qint64> &lastStopNs, int samples, int spacingMs, Send send,
                       std::vector<double> &keyToWire, std::vector<double> &clientToWire)
{
    while (int(clientToWire.size()) < samples) {
        RunFor(spacingMs);
        int before = stops;
        const qint64 click = NowNs();
        stopKey->click();
        if (stops != before)
            keyToWire.push_back((lastStopNs - click) / 1e3);
        RunFor(spacingMs);
        before = stops;
        const qint64 sent = send();
        if (stops != before)
            clientToWire.push_back((lastStopNs - sent) / 1e3);
    }
}
