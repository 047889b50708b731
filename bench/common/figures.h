// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The figures every benchmark prints from its samples.

#include <algorithm>
#include <vector>

struct Figures
{
    double median;
    double p99;
};

inline Figures Summarise(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 99 / 100]};
}

inline double Median(std::vector<double> samples)
{
    return Summarise(std::move(samples)).median;
}
