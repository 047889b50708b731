// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// A networked recorder answers one block request that describes it: a
// four-character tag naming its hardware family, the video standard it runs
// and its compression code. The program reads it when it connects and when it
// refreshes the clip information.

// Recorder kinds by tag ("zaxo", "MPEG", "XRU ", "HDTV", "C_HD"); 0 for any
// other tag, and for a recorder that did not answer.
constexpr qint32 kRecorderKindUnknown = 0;
constexpr qint32 kRecorderKindZaxo = 1;
constexpr qint32 kRecorderKindMpeg = 2;
constexpr qint32 kRecorderKindXru = 3;
constexpr qint32 kRecorderKindHdtv = 4;
constexpr qint32 kRecorderKindCompactHd = 6;

// Sub-kinds of the XRU, HDTV and C_HD kinds, from the video standard.
constexpr qint32 kRecorderSubKindNone = 0;
constexpr qint32 kRecorderSubKindSd = 1;
constexpr qint32 kRecorderSubKindHd = 2;

// Reads the description into the current device's recorderKind,
// recorderSubKind and bitRateText. A recorder on a serial port cannot answer
// it: -1, nothing sent. Without a current device nothing is done. Otherwise 0,
// also when no reply came (kind 0, the other fields keep their values).
qint16 RecorderInfoRead();

// The pure decoding behind RecorderInfoRead.
qint32 RecorderKindFromTag(const quint8 *tagBytes);
qint32 RecorderSubKind(quint8 videoStandard);
QString BitRateText(qint32 kind, qint32 subKind, quint8 compression);

// Texts of the clip information panel.
QString GopText(int code);
QString FileFormatText(int videoStandard, int gop);
QString CompressionText(unsigned mbps);
