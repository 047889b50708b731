// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deckreply.h"

#include <QList>
#include <QString>

// The recorder's segments as the deck protocol's clips: clip id 1 is the
// segment list's first row, and the rows stay in segment number order, so an
// id names the same segment until segments are made or cut before it.
struct DeckClip
{
    int number = 0; // the recorder's segment number
    QString name;
    QString start;    // the in point's timecode
    QString duration; // from the in point to the out point
};

// "205 clips info:" with the clip count and "id: name start duration" lines.
DeckReply ClipsInfo(const QList<DeckClip> &clips);
// "206 disk list:" with the slot and "id: name format video-format duration".
DeckReply DiskList(const QList<DeckClip> &clips, const QString &videoFormat);
// "214 clips count:".
DeckReply ClipsCount(const QList<DeckClip> &clips);

// The clip id of a segment number, 0 when no clip is that segment.
int ClipIdOf(const QList<DeckClip> &clips, int segmentNumber);

// The clip that "goto: clip id:" names: an id from 1, or "+n" / "-n" clips
// from the current one (id 0: none, counted from the first clip), clamped to
// the first and last clip as a deck does. False with the code to answer: no
// clips at all, an id beyond the last, or a value that is no number.
bool ResolveClipId(const QString &value, const QList<DeckClip> &clips, int current, int &id,
                   DeckCode &error);
