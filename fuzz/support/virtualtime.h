// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The program's clock for a fuzz target: time moves only when a wait asks it
// to, so a reply timeout or a fixed pause costs no real time, and a case runs
// the same on every replay. Installing it replaces NowMs and DelayMs for the
// whole process.
class VirtualTime
{
public:
    // Told whenever the time has moved on, so that what was due by then can
    // arrive (a scripted link delivers its bytes).
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void TimePassed(quint64 nowMs) = 0;
    };

    static void Install();
    static quint64 Now();
    // Moves the time on to `ms` (never back) and tells the listener.
    static void AdvanceTo(quint64 ms);
    static void SetListener(Listener *listener);
};
