// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trafficrow.h"

#include "traffic/latencywindow.h"

#include <deque>
#include <vector>

// What the traffic monitor is told while it watches: every exchange of the
// command engine, and what the links throw away unread. Rows wait here
// until the monitor takes them (a few times a second), so that an exchange
// costs no more than a copy. Watching starts with Attach and ends with
// Detach; detached, the engine and the links see no observer at all.
class TrafficFeed : public ExchangeObserver, public WireTap
{
public:
    // Rows kept waiting at most, for a monitor that is paused.
    static constexpr std::size_t kMaxWaiting = 100'000;

    ~TrafficFeed() override;

    void Attach();
    void Detach();
    bool Attached() const { return attached; }

    // The rows that came since the last call, oldest first.
    std::vector<TrafficRow> Take();
    LatencyWindow::Figures Latency();
    void ClearLatency() { latency.Clear(); }

    void OnExchange(const ExchangeReport &report) override;
    void OnWire(const WireEvent &event) override;

private:
    void Add(TrafficRow row);

    bool attached = false;
    // The wall clock at a moment of the monotonic clock, to time rows by.
    qint64 wallMsAtStart = 0;
    quint64 usAtStart = 0;
    std::deque<TrafficRow> waiting;
    LatencyWindow latency;
};
