// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filecommands.h"

#include <QString>
#include <QtGlobal>

// Information about one file for the clip information panel. Every output is
// set only from a sense return that carries all the bytes read; on any other
// answer it keeps its contents and the status says why (commandsend.h).

struct FileFormat
{
    quint8 videoStandard = 0; // code of the video standard table
    quint8 compression = 0;   // Mb/s
    quint8 gop = 0;           // GOP structure code 1-4 (GopText)
};

qint16 FileFormatSense(const QString &name, FileFormat &format);

// First and last position of the file; its duration is last - first + 1.
qint16 FileExtentSense(const QString &name, quint32 &first, quint32 &last);

qint16 FileAudioSense(const QString &name, quint8 &tracks);

// Whether the recorder counts drop-frame timecode.
qint16 DropFrameSense(quint8 &flag);

// Free and total storage in megabytes, as decimal text. Both are emptied
// first and stay empty unless the recorder answered with both numbers; a
// refusal still returns 0, the panel then simply shows no space line.
qint16 StorageSpaceSense(QString &freeText, QString &totalText);

// The duration of the loaded material as "HH:MM:SS". Two requests are made
// and the second answer is the one kept; a failing request ends it with its
// status, and an answer whose hours, minutes or seconds are no BCD with
// kStatusWrongReply.
qint16 DurationSense(QString &text);
