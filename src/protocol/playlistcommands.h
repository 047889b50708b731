// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The recorder's playlist: a chain of segments in which each segment names
// the one played after it. The recorder signals in its status bytes when the
// playing segment changed and when the playlist changed; the application
// acknowledges each signal.

// The playing event changed (status byte 9 bit 6 of the last status sense).
bool EventChanged();
qint16 AckEventChange();

// The playlist changed (status byte 9 bit 1 of the last status sense).
bool PlaylistChanged();
qint16 AckPlaylistChange();

// The number of the segment being played. `number` is untouched unless the
// recorder answered with it.
qint16 CurrentEventSense(quint16 &number);

// How a chain frame goes out: through the engine with its failure counting,
// or through the manual path as the playlist export sends its chain.
enum class CommandPath { Counted, Manual };

// After segment `first` the recorder plays segment `next`; 0 ends the chain.
qint16 EventPairPreset(unsigned first, unsigned next, CommandPath path = CommandPath::Counted);

// Segment `first` starts the recorder's playlist.
qint16 PlaylistStart(unsigned first, CommandPath path = CommandPath::Counted);
