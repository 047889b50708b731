// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <vector>

// How long the window stays deaf: a 10 ms timer on the GUI thread, and how
// late each of its timeouts comes. While a command waits for its reply the
// event loop takes nothing, so a lost reply shows here as a whole wait.
class Deafness : public QObject
{
public:
    static constexpr int kPeriodMs = 10;

    Deafness()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(kPeriodMs);
        connect(&timer, &QTimer::timeout, this, [this] {
            lateness.push_back(std::max(0.0, since.nsecsElapsed() / 1e6 - kPeriodMs));
            since.start();
        });
    }

    // Starts a new series of samples; room for `seconds` of them is made
    // first, so that collecting them does not count as the program's growth.
    void Start(int seconds)
    {
        lateness.clear();
        lateness.reserve(size_t(seconds) * 1000 / kPeriodMs + 1000);
        since.start();
        timer.start();
    }

    std::vector<double> Stop()
    {
        timer.stop();
        return lateness;
    }

private:
    QTimer timer;
    QElapsedTimer since;
    std::vector<double> lateness; // ms
};
