// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Cues the recorder to a stored position and waits for the cue-up: by
// timecode below 48 hours of timecode, by frame number beyond. The timecode
// is made with the current device's frame rate, drop-frame flag and the
// position divisor.
void LocateByPosition(quint32 position);
