// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edlformat.h"

#include <QObject>

class Playlist;
class RecorderSession;
class SegmentList;

// "Export segments as EDL..." and "Export playlist as EDL...": the segment
// list, or the segment of each playlist row, as an edit decision list for an
// edit system. The reel is the loaded file's name; the record times run on
// from a start the operator gives (01:00:00:00 unless changed). Every file
// replaces an existing one only once complete. Names the list cannot carry
// are written with "_" in place of the characters, segments whose out point
// precedes the in point are left out, and the operator is told of both;
// beyond 999 events the list goes on in further files.
class EdlExport : public QObject
{
    Q_OBJECT

public:
    EdlExport(RecorderSession &session, SegmentList &segments, Playlist &playlist, QObject *parent);

    // What the export writes, before the title, reel and record start are
    // set: the rate of the current frame settings and a source per segment
    // of the list, or per playlist row whose segment is in the list (the
    // names of the others go to `missing`).
    EdlRequest SegmentListRequest() const;
    EdlRequest PlaylistRequest(QStringList *missing) const;

public slots:
    void ExportClipEDL_activated();
    void ExportPListToEDL_activated();

private:
    EdlRequest Request() const;
    EdlSource SourceOf(int row, quint32 divisor) const;
    void Export(EdlRequest request, const QStringList &missing);
    bool AskRecordStart(EdlRequest &request);
    bool WriteLists(const QString &path, const EdlResult &result);
    void Report(const QString &path, const EdlResult &result, const QStringList &missing);

    RecorderSession &session;
    SegmentList &segments;
    Playlist &playlist;
};
