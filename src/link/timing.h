#pragma once

#include <QtGlobal>

// The program's millisecond clock. Every wait in the program is measured with
// it: reply timeouts, cue-up waits and the fixed pauses between commands.
quint32 NowMs();

// Milliseconds since start. When the clock wrapped past 2^32 ms since start
// was taken, the present reading itself is returned.
quint32 ElapsedMs(quint32 start);

// Blocks the calling thread for the given time without running the event
// loop: callers rely on nothing else happening while a command waits. The
// thread sleeps rather than spins, so a wait costs no CPU.
void DelayMs(quint32 milliseconds);
