// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deckreply.h"

#include <QString>
#include <QtGlobal>

// The recorder as a deck-protocol client sees it: one deck with one slot,
// the recorder's storage, which holds a disk whenever a recorder is
// controlled. The gateway fills it from the remote control's state topics;
// the replies and notifications below are made from it alone.
struct DeckView
{
    bool recorder = false;
    // "stopped", "play", "record", "forward", "rewind", "jog", "shuttle"
    QString status = QStringLiteral("stopped");
    int speed = 0;  // percent of play speed, signed
    int clipId = 0; // the clip of the segment last played; 0 for none
    QString timecode;
    bool loop = false;
    QString videoFormat = QStringLiteral("none");
    QString volume;                       // the recorder's name
    QString model = QStringLiteral("XR"); // or "Pellet"
    qint64 recordingSeconds = 0;
    bool commands = true; // the operator lets deck clients command
};

// "208 transport info:" (or its notification 508) with every field.
DeckReply TransportInfo(const DeckView &view, DeckCode code = DeckCode::TransportInfo);
// "202 slot info:" (or 502) of the one slot.
DeckReply SlotInfo(const DeckView &view, DeckCode code = DeckCode::SlotInfo);
// "210 remote info:" (or 510).
DeckReply RemoteInfo(const DeckView &view, DeckCode code = DeckCode::RemoteInfo);
// "211 configuration:" (or "511 configuration info:"): the inputs are fixed;
// the video format is the recorder's video standard.
DeckReply ConfigurationInfo(const DeckView &view, DeckCode code = DeckCode::Configuration);

// The lines of `now` that `before` did not have, under the code of `now`:
// a notification carries only what changed. No lines: nothing changed.
DeckReply ChangedLines(const DeckReply &before, const DeckReply &now);

// The recorder's shuttle speed byte (the 9-pin scale: 64 is play speed, 32
// steps a decade, 0 stands still) as a percent of play speed, and back.
int SpeedPercent(quint8 speedByte);
quint8 SpeedByte(int percent);
