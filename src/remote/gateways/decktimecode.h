// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

struct VideoStandard;

// The timecode rate of a recorder: its timecode frames per second (50 and 60
// frame standards count timecode at half rate) and whether it drops frame
// numbers (30 frame standards only).
struct DeckRate
{
    int fps = 25;
    bool dropFrame = false;
};

DeckRate DeckRateOf(const VideoStandard &standard, bool dropFrame);

// The frame count of "HH:MM:SS:FF" (";" or "." before the frames as well).
// False for any other text, for minutes or seconds from 60, frames from the
// rate, or a frame number that drop frame skips.
bool DeckTimecodeFrames(const QString &text, const DeckRate &rate, qint64 &frames);

// "+HH:MM:SS:FF" or "-HH:MM:SS:FF": a signed count of frames.
bool DeckTimecodeOffset(const QString &text, const DeckRate &rate, qint64 &frames);

// The timecode of a frame count, wrapped at 24 hours (a negative count from
// the end of the day), ";" before the frames under drop frame.
QString DeckTimecodeText(qint64 frames, const DeckRate &rate);

// The deck protocol's name of a video standard: "PAL", "NTSC", "1080i50",
// "1080p23976", "720p5994"; "none" for a standard the recorder did not name.
QString DeckVideoFormat(const VideoStandard &standard);
