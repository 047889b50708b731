// SPDX-License-Identifier: GPL-3.0-or-later
#include "speedtables.h"

#include <climits>
#include <cstddef>

namespace {

const SpeedStep kShuttleSpeeds[] = {
    {10, 0x00}, {25, 0x20}, {40, 0x2A},  {55, 0x36},
    {80, 0x40}, {95, 0x4A}, {110, 0x56}, {INT_MAX, 0x60},
};

const SpeedStep kDialVariableSpeeds[] = {
    {10, 0x0000},  {13, 0x0A00},  {17, 0x1B00},      {18, 0x1C00}, {20, 0x2000},  {22, 0x2200},
    {25, 0x2580},  {30, 0x2A00},  {34, 0x2C56},      {37, 0x2D80}, {40, 0x2F00},  {44, 0x3100},
    {50, 0x3340},  {60, 0x3667},  {70, 0x3900},      {76, 0x3A56}, {100, 0x3C00}, {105, 0x3CDC},
    {110, 0x3D80}, {115, 0x3EC0}, {INT_MAX, 0x4000},
};

const SpeedStep kSlowMotionSpeeds[] = {
    {10, 0x0000}, {11, 0x0A00}, {12, 0x1B00}, {13, 0x1C00}, {14, 0x1E00},      {15, 0x2000},
    {16, 0x2200}, {17, 0x2400}, {18, 0x2580}, {19, 0x2700}, {20, 0x2A00},      {21, 0x2C56},
    {22, 0x2CAB}, {23, 0x2D80}, {24, 0x2F00}, {25, 0x3100}, {26, 0x3340},      {27, 0x33C0},
    {28, 0x3667}, {29, 0x3900}, {30, 0x3A56}, {31, 0x3C00}, {32, 0x3CDC},      {33, 0x3D80},
    {34, 0x3EC0}, {45, 0x4000}, {50, 0x4200}, {55, 0x4500}, {INT_MAX, 0x4800},
};

template <std::size_t N>
quint16 Lookup(const SpeedStep (&table)[N], int value)
{
    for (const SpeedStep &step : table) {
        if (value <= step.upTo)
            return step.speed;
    }
    return table[N - 1].speed;
}

} // namespace

quint8 ShuttleSpeed(int distance)
{
    return static_cast<quint8>(Lookup(kShuttleSpeeds, distance));
}

quint16 DialVariableSpeed(int value)
{
    return Lookup(kDialVariableSpeeds, value);
}

quint16 SlowMotionSpeed(int distance)
{
    return Lookup(kSlowMotionSpeeds, distance);
}
