// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "segmentrows.h"

#include <QByteArray>
#include <QObject>

class Playlist;
class RecorderSession;
class SegmentList;

// The segment list and the playlist written out as CSV files for a
// spreadsheet: one line per segment, "number,name,in,out", no header. The
// file chosen replaces an existing one only once it is complete; the
// playlist file being edited is not touched.
class CsvExport : public QObject
{
    Q_OBJECT

public:
    CsvExport(RecorderSession &session, SegmentList &segments, Playlist &playlist, QObject *parent);

    // The lines, as written: each segment of the list from the top; for the
    // playlist, the segment each row names (rows whose segment is no longer
    // in the list are left out).
    QByteArray SegmentListCsv() const;
    QByteArray PlaylistCsv() const;

public slots:
    void ExportClipCSV_activated();
    void ExportPListToCSV_activated();

private:
    void Export(const QByteArray &lines);
    QByteArray SegmentLine(int row, const FrameSettings &frames) const;
    FrameSettings ExportFrameSettings() const;

    RecorderSession &session;
    SegmentList &segments;
    Playlist &playlist;
};
