// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The transport states the panel shows on its transport keys, as the panel
// refresh reads them from the recorder's status. In the shuttle family the
// recorder reports one state; the panel's own dial mode and the direction
// of the last speed it sent tell shuttle, jog and variable speed apart.
enum TransportStateCode : int {
    kNoTransportState = -1, // before the first state is shown
    kStatePlay = 0,
    kStateRecord = 1,
    kStateStop = 2,
    kStateRewind = 3,
    kStateForward = 4,
    kStateShuttleForward = 5,
    kStateJogForward = 6,
    kStateVariable = 7,
    kStateShuttleReverse = 8,
    kStateJogReverse = 9,
    kStateReverseMotion = 10, // never read from a status
    kLastTransportState = kStateReverseMotion,
};

// Whether the recorder reports shuttle, the state in which the dial's turns
// are sent as shuttle speeds.
inline bool ShuttleState(int state)
{
    return state == kStateShuttleForward || state == kStateShuttleReverse;
}
