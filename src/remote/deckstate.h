// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gateways/deckclips.h"
#include "gateways/decktimecode.h"
#include "gateways/deckview.h"

#include <QList>
#include <QStringList>

class ControlTarget;
struct SegmentEntry;

// The recorder's shuttle speed byte for the panel dial's distance from its
// centre (0-120): the panel's own table, handed to the gateway by the
// program so that the dial and the deck protocol share it.
using ShuttleTable = quint8 (*)(int distance);

// The recorder as the window shows it, in the deck protocol's terms. The
// clip id is left 0: it needs the segment rows (DeckClipsOf, ClipIdOf).
DeckView DeckViewOf(const ControlTarget &target, bool commands, ShuttleTable shuttleSpeed);

// The recorder's timecode rate, 25 frames without a recorder.
DeckRate DeckRateOfTarget(const ControlTarget &target);

// The segment rows as clips, in segment number order.
QList<DeckClip> DeckClipsOf(const QList<SegmentEntry> &segments);
