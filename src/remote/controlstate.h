// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

// What the remote control publishes of the recorder and the window, topic by
// topic, as plain values the window fills (ControlTarget) and topics.cpp
// turns into the messages clients receive. Times are timecode texts in the
// recorder's frame rate and drop-frame count ("01:02:03:04", "01:02:03;04").

// "connection": the recorder being controlled.
struct ConnectionState
{
    QString recorder;       // its "&Connect" menu name; empty when none is controlled
    QString link;           // "ethernet", "serial", or empty
    bool connected = false; // a recorder is controlled
    bool lost = false;      // the recorder stopped answering and was let go
    QString version;        // the recorder's version text
    bool pellet = false;
    int videoStandard = -1; // the recorder's video standard code; -1 for none
};

// "time": the recorder's time as its last time sense gave it.
struct TimeState
{
    bool known = false; // false without a recorder
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int frames = 0;
    bool dropFrame = false;
    int field = 1;      // 1 or 2, the field of an interlaced frame
    bool timer = false; // the recorder shows its timer rather than timecode
};

// "transport": the recorder's motion as its last status gave it.
struct TransportStatus
{
    int state = 2; // the panel's transport state, 0-10
    QString word;  // the display's transport word; empty when the status names none
    bool playing = false;
    bool recording = false;
    bool stopped = false;
    bool forward = false; // fast forward
    bool rewind = false;
    bool shuttle = false; // the recorder reports shuttle, jog or variable speed
    bool jog = false;     // ... and the panel drives it as a jog wheel
    bool variable = false;
    int shuttleSpeed = 0; // the dial's value, -120 to 120, while it shuttles
    QString side;         // "recorder", "player", or empty before one is chosen
    bool local = false;   // the recorder is switched to local control
    bool ltc = false;
    bool edit = false; // edit or E-E mode is on
    std::array<quint8, 10> status{};
};

// One segment of the recorder, as the segment list holds it.
struct SegmentEntry
{
    int number = 0; // the recorder's segment number, 1-2045
    QString name;
    QString in;
    QString out;
    QString duration;
};

// "segment": the segment the recorder was last told to play.
struct SegmentState
{
    SegmentEntry segment; // number 0: none
    QString remaining;    // from the recorder's time to the out point
};

// "playlist": the playlist's rows (segment names) and the row playing.
struct PlaylistState
{
    QStringList rows;
    int current = -1; // the selected row, -1 for none
    bool loop = false;
    QString remaining; // from the recorder's time to the end of the last row
};

// "file": the loaded file and the recording time left on the storage.
struct FileState
{
    QString loaded; // empty when no file is loaded
    QString storageRemaining;
};

// "display": the two lines of the recorder's front-panel display.
struct DisplayState
{
    QString upper;
    QString lower;
};

// The recorder's files, read afresh.
struct FileListing
{
    QStringList names;
    QString loaded;
    QString storageRemaining;
};
