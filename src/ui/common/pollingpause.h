// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recordersession.h"

// Holds the window's polling for as long as it lives: long work that talks
// to the recorder for seconds keeps the status senses of the 100 ms tick from
// coming between its own exchanges. Pauses nest.
class PollingPause
{
public:
    explicit PollingPause(RecorderSession &session) : session(session) { session.SuspendPolling(); }
    ~PollingPause() { session.ResumePolling(); }

    PollingPause(const PollingPause &) = delete;
    PollingPause &operator=(const PollingPause &) = delete;

private:
    RecorderSession &session;
};
