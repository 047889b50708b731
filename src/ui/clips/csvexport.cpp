// SPDX-License-Identifier: GPL-3.0-or-later
#include "csvexport.h"

#include "filedialogs.h"
#include "kplforms.h"
#include "playlist.h"
#include "segmentlist.h"

#include "protocol/datafile.h"
#include "ui/common/recordersession.h"

#include <QMessageBox>
#include <QSaveFile>
#include <QTableWidget>
#include <QWidget>

namespace {

// A name with a comma, a quote or a line end would break the line's four
// fields: it is quoted, its quotes doubled, as spreadsheets read it. Every
// other name is written as it is.
QByteArray CsvField(const QByteArray &text)
{
    if (!text.contains(',') && !text.contains('"') && !text.contains('\n') && !text.contains('\r'))
        return text;
    QByteArray quoted = text;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

} // namespace

CsvExport::CsvExport(RecorderSession &session, SegmentList &segments, Playlist &playlist,
                     QObject *parent)
    : QObject(parent), session(session), segments(segments), playlist(playlist)
{}

// The export also runs without a recorder, but not while Delay mode holds
// the panel.
void CsvExport::ExportClipCSV_activated()
{
    if (!session.DelayModeHolds())
        Export(SegmentListCsv());
}

void CsvExport::ExportPListToCSV_activated()
{
    if (!session.DelayModeHolds())
        Export(PlaylistCsv());
}

QByteArray CsvExport::SegmentListCsv() const
{
    const FrameSettings frames = ExportFrameSettings();
    QByteArray lines;
    for (int row = 0; row < segments.TableClipList->rowCount(); ++row)
        lines += SegmentLine(row, frames);
    return lines;
}

QByteArray CsvExport::PlaylistCsv() const
{
    const FrameSettings frames = ExportFrameSettings();
    QByteArray lines;
    for (int row = 0; row < playlist.TablePlaylist->rowCount(); ++row) {
        int segmentRow = 0;
        if (ResolveName(playlist.RowName(row), segmentRow, segments.TableClipList))
            lines += SegmentLine(segmentRow, frames);
    }
    return lines;
}

QByteArray CsvExport::SegmentLine(int row, const FrameSettings &frames) const
{
    const SegmentRecord record = readSegmentRecord(row, segments.TableClipList);
    return QByteArray::number(record.number) + ',' + CsvField(RecordName(record)) + ',' +
           TimecodeText(record.inPoint, frames) + ',' + TimecodeText(record.outPoint, frames) +
           '\n';
}

// The rows came from the recorder whose settings the list was shown with;
// without a current recorder those are the only right ones.
FrameSettings CsvExport::ExportFrameSettings() const
{
    return session.Device() ? CurrentFrameSettings() : segments.ShownFrameSettings();
}

// The file is written whole or not at all: an existing file stays as it was
// when the new one cannot be completed.
void CsvExport::Export(const QByteArray &lines)
{
    QWidget *window = segments.window();
    const std::unique_ptr<DataFile> chosen = saveFileDialog(kFileKindCsv, window);
    if (!chosen)
        return;
    QSaveFile file(chosen->Path());
    if (file.open(QIODevice::WriteOnly | QIODevice::Text) && file.write(lines) == lines.size() &&
        file.commit())
        return;
    QMessageBox::warning(window, QStringLiteral("Tavrel"),
                         QStringLiteral("Could not write %1.").arg(chosen->Path()));
}
