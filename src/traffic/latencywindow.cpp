// SPDX-License-Identifier: GPL-3.0-or-later
#include "latencywindow.h"

#include <algorithm>
#include <vector>

namespace {

// The nearest-rank percentile: the smallest value that at least `percent`
// of the sorted values do not exceed.
quint32 Percentile(const std::vector<quint32> &sorted, int percent)
{
    const std::size_t rank = (sorted.size() * percent + 99) / 100;
    return sorted[std::max<std::size_t>(rank, 1) - 1];
}

} // namespace

void LatencyWindow::Add(quint64 timeUs, quint32 roundTripUs, bool timedOut)
{
    if (samples.size() >= kMaxSamples)
        samples.pop_front();
    samples.push_back({timeUs, roundTripUs, timedOut});
}

LatencyWindow::Figures LatencyWindow::Compute(quint64 nowUs)
{
    const quint64 since = nowUs > spanUs ? nowUs - spanUs : 0;
    while (!samples.empty() && samples.front().timeUs < since)
        samples.pop_front();
    Figures figures;
    std::vector<quint32> answered;
    answered.reserve(samples.size());
    for (const Sample &sample : samples) {
        if (sample.timedOut)
            ++figures.timeouts;
        else
            answered.push_back(sample.roundTripUs);
    }
    if (answered.empty())
        return figures;
    std::sort(answered.begin(), answered.end());
    figures.answered = static_cast<int>(answered.size());
    figures.medianUs = Percentile(answered, 50);
    figures.p99Us = Percentile(answered, 99);
    return figures;
}
