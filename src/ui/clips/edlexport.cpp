// SPDX-License-Identifier: GPL-3.0-or-later
#include "edlexport.h"

#include "filedialogs.h"
#include "kplforms.h"
#include "playlist.h"
#include "segmentlist.h"
#include "segmentrows.h"

#include "link/linkstatus.h"
#include "protocol/datafile.h"
#include "protocol/filecommands.h"
#include "ui/common/recordersession.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QTableWidget>

namespace {

constexpr char kDefaultRecordStart[] = "01:00:00:00";

// Further lists of a long export: "show.EDL", "show.2.EDL", "show.3.EDL"...
QString ListPath(const QString &path, int list)
{
    if (list <= 1)
        return path;
    const QString suffix = QLatin1Char('.') + QFileInfo(path).suffix();
    return path.left(path.size() - suffix.size()) + QLatin1Char('.') + QString::number(list) +
           suffix;
}

// The rows came from the recorder whose settings the list was shown with;
// without a current recorder those are the only right ones.
FrameSettings ExportFrames(const RecorderSession &session, const SegmentList &segments)
{
    return session.Device() ? CurrentFrameSettings() : segments.ShownFrameSettings();
}

} // namespace

EdlExport::EdlExport(RecorderSession &session, SegmentList &segments, Playlist &playlist,
                     QObject *parent)
    : QObject(parent), session(session), segments(segments), playlist(playlist)
{}

void EdlExport::ExportClipEDL_activated()
{
    if (!session.DelayModeHolds())
        Export(SegmentListRequest(), {});
}

void EdlExport::ExportPListToEDL_activated()
{
    if (session.DelayModeHolds())
        return;
    QStringList missing;
    EdlRequest request = PlaylistRequest(&missing);
    Export(std::move(request), missing);
}

EdlRequest EdlExport::SegmentListRequest() const
{
    EdlRequest request = Request();
    const quint32 divisor = ExportFrames(session, segments).divisor;
    for (int row = 0; row < segments.TableClipList->rowCount(); ++row)
        request.sources.push_back(SourceOf(row, divisor));
    return request;
}

EdlRequest EdlExport::PlaylistRequest(QStringList *missing) const
{
    EdlRequest request = Request();
    const quint32 divisor = ExportFrames(session, segments).divisor;
    for (int row = 0; row < playlist.TablePlaylist->rowCount(); ++row) {
        const QByteArray name = playlist.RowName(row);
        int segmentRow = 0;
        if (ResolveName(name, segmentRow, segments.TableClipList))
            request.sources.push_back(SourceOf(segmentRow, divisor));
        else
            *missing << QString::fromLatin1(name);
    }
    return request;
}

EdlRequest EdlExport::Request() const
{
    const FrameSettings frames = ExportFrames(session, segments);
    EdlRequest request;
    request.rate = EdlRateFor(static_cast<int>(frames.fps), frames.dropFrame);
    return request;
}

// Recorder positions count fields on interlaced standards; the list counts
// frames.
EdlSource EdlExport::SourceOf(int row, quint32 divisor) const
{
    const SegmentRecord record = readSegmentRecord(row, segments.TableClipList);
    const quint32 by = divisor > 0 ? divisor : 1;
    return {RecordName(record), record.inPoint / by, record.outPoint / by};
}

void EdlExport::Export(EdlRequest request, const QStringList &missing)
{
    QWidget *window = segments.window();
    const std::unique_ptr<DataFile> chosen = saveFileDialog(kFileKindEdl, window);
    if (!chosen || !AskRecordStart(request))
        return;
    const QString path = chosen->Path();
    request.title = QFileInfo(path).completeBaseName();
    QString loaded;
    if (session.Device() && CurrentFileSense(loaded) == kStatusOk)
        request.reel = loaded.trimmed();
    const EdlResult result = MakeEdl(request);
    if (!WriteLists(path, result)) {
        QMessageBox::warning(window, QStringLiteral("Tavrel"),
                             QStringLiteral("Could not write %1.").arg(path));
        return;
    }
    Report(path, result, missing);
}

bool EdlExport::AskRecordStart(EdlRequest &request)
{
    QInputDialog dialog(segments.window());
    dialog.setObjectName(QStringLiteral("EdlRecordStart"));
    dialog.setWindowTitle(QStringLiteral("Tavrel"));
    dialog.setLabelText(QStringLiteral("Record start of the first event :"));
    dialog.setTextValue(QLatin1String(kDefaultRecordStart));
    while (dialog.exec() == QDialog::Accepted) {
        if (ParseEdlTimecode(dialog.textValue(), request.rate, &request.recordStart))
            return true;
        dialog.setLabelText(QStringLiteral("Record start of the first event (HH:MM:SS:FF, a "
                                           "timecode of the material) :"));
    }
    return false;
}

bool EdlExport::WriteLists(const QString &path, const EdlResult &result)
{
    for (std::size_t i = 0; i < result.lists.size(); ++i) {
        const QByteArray &list = result.lists[i];
        QSaveFile file(ListPath(path, static_cast<int>(i) + 1));
        if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size() || !file.commit())
            return false;
    }
    return true;
}

// Said only when there is something to say: names changed, segments left
// out, rows without a segment, or a list split into several files.
void EdlExport::Report(const QString &path, const EdlResult &result, const QStringList &missing)
{
    QStringList lines;
    if (result.lists.size() > 1)
        lines << QStringLiteral("A list holds at most %1 events: the events went to %2 files, %3 "
                                "to %4.")
                     .arg(EdlResult::kMaxEvents)
                     .arg(result.lists.size())
                     .arg(QFileInfo(path).fileName(),
                          QFileInfo(ListPath(path, static_cast<int>(result.lists.size())))
                              .fileName());
    if (!result.replaced.isEmpty())
        lines << QStringLiteral("Characters an edit decision list cannot carry were replaced "
                                "with \"_\":\n") +
                     result.replaced.join(QLatin1Char('\n'));
    if (!result.leftOut.isEmpty())
        lines << QStringLiteral("Left out, their out point precedes their in point:\n") +
                     result.leftOut.join(QLatin1Char('\n'));
    if (!missing.isEmpty())
        lines << QStringLiteral("Left out, no longer in the segment list:\n") +
                     missing.join(QLatin1Char('\n'));
    if (!lines.isEmpty())
        QMessageBox::information(segments.window(), QStringLiteral("Tavrel"),
                                 lines.join(QStringLiteral("\n\n")));
}
