// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <deque>

// The round trips of the last minute (or another span): how long the
// recorder took to answer, and how often it did not. Bounded: beyond
// kMaxSamples the oldest samples go first.
class LatencyWindow
{
public:
    static constexpr quint64 kMinuteUs = 60'000'000;
    static constexpr std::size_t kMaxSamples = 100'000;

    struct Figures
    {
        int answered = 0;     // exchanges with a reply
        quint32 medianUs = 0; // of their round trips
        quint32 p99Us = 0;
        int timeouts = 0;
    };

    explicit LatencyWindow(quint64 spanUs = kMinuteUs) : spanUs(spanUs) {}

    // An exchange ended at `timeUs`: answered after `roundTripUs`, or timed out.
    void Add(quint64 timeUs, quint32 roundTripUs, bool timedOut);
    // The figures of the span that ends at `nowUs`; older samples are dropped.
    Figures Compute(quint64 nowUs);
    void Clear() { samples.clear(); }

private:
    struct Sample
    {
        quint64 timeUs;
        quint32 roundTripUs;
        bool timedOut;
    };

    quint64 spanUs;
    std::deque<Sample> samples;
};
