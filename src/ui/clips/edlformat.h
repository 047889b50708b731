// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

// Edit decision lists in the CMX 3600 form that edit systems read: a title
// line, the frame count mode, and one cut event per segment with its reel,
// source in and out and record in and out, followed by a "* FROM CLIP NAME:"
// comment. No widgets and no recorder: the export page gives the segments.

// The timecode an edit decision list counts in: whole frames a second (24,
// 25, 30, 50 or 60) and whether the count drops frame numbers. Only the
// 29.97 and 59.94 rates drop (two or four numbers at the start of every
// minute that is not a multiple of ten); 25 and 50 never do.
struct EdlRate
{
    int fps = 25;
    bool dropFrame = false;
};

// The rate of material shown at `fps` (the video standard's nominal rate)
// with the recorder's drop-frame flag.
EdlRate EdlRateFor(int fps, bool dropFrame);

// "HH:MM:SS:FF" of a frame count; the FCM line, not the separators, tells
// drop frame. The hours go on past 23. A negative count gives the zero
// timecode.
QByteArray EdlTimecode(qint64 frames, EdlRate rate);

// The frame count of a timecode typed as "HH:MM:SS:FF" (":" or ";" between
// the fields); false for a text that is no timecode of the rate, such as a
// frame number that drop frame skips.
bool ParseEdlTimecode(const QString &text, EdlRate rate, qint64 *frames);

// One event to be: a segment's name and its in and out points as frames of
// the list's rate (recorder positions already divided).
struct EdlSource
{
    QByteArray name;
    qint64 in = 0;
    qint64 out = 0;
};

struct EdlRequest
{
    QString title;
    QString reel; // the loaded file's name; "AX" (an auxiliary source) when empty
    EdlRate rate;
    qint64 recordStart = 0; // the first event's record in, in frames
    std::vector<EdlSource> sources;
};

// The lists written, and what the operator must be told.
struct EdlResult
{
    static constexpr int kMaxEvents = 999;

    // One list per file: a list holds at most 999 events, so a longer one
    // goes on in further lists whose record times continue.
    std::vector<QByteArray> lists;
    QStringList replaced; // "name -> name as written", for names the format cannot carry
    QStringList leftOut;  // names of sources whose out point precedes the in point
};

EdlResult MakeEdl(const EdlRequest &request);
