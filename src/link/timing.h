// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The program's millisecond clock. Every wait in the program is measured with
// it: reply timeouts, cue-up waits, the fixed pauses between commands and the
// delay of Delay mode. It counts from the start of the process and is 64 bits
// wide: a control station runs for months, and 32 bits of milliseconds would
// wrap after 49.7 days, in the middle of a wait.
quint64 NowMs();

// Microseconds of the process clock, for the time stamps of the traffic on
// the wire. Unlike NowMs it does not follow SetClockSource.
quint64 MonotonicUs();

// Milliseconds since start. A start later than the present reading (one taken
// from another clock) gives the present reading itself.
quint64 ElapsedMs(quint64 start);

// Blocks the calling thread for the given time without running the event
// loop: callers rely on nothing else happening while a command waits. The
// thread sleeps rather than spins, so a wait costs no CPU.
void DelayMs(quint32 milliseconds);

// The clock NowMs reads: a function returning milliseconds, or null for the
// process clock. Lets a test run the program's waits at any reading, such as
// across the 32-bit boundary. Returns the source it replaces.
using ClockSource = quint64 (*)();
ClockSource SetClockSource(ClockSource source);

// How DelayMs lets its time pass: a function given the milliseconds, or null
// for the thread's sleep. A clock source whose time moves only when told (the
// virtual time of a fuzz target, where a reply timeout must cost nothing)
// comes with one that moves it. Returns the function it replaces.
using SleepFunction = void (*)(quint32 milliseconds);
SleepFunction SetSleepFunction(SleepFunction sleep);
