// SPDX-License-Identifier: GPL-3.0-or-later
#include "serverpage.h"

#include "filenametext.h"

#include "devices/devicerecord.h"
#include "link/linkstatus.h"
#include "protocol/fileinfocommands.h"
#include "protocol/recorderinfo.h"
#include "protocol/recorderstate.h"
#include "protocol/timecode.h"
#include "protocol/videostandard.h"
#include "ui/common/recordersession.h"

#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

// The loaded file's refresh, run on every poll: the title always follows the
// recorder; the information lists are rebuilt only when another file is
// loaded or a rebuild was asked for.

namespace {

// Setup pages as read: data byte 0 is not a setting, page byte n is at n + 1.
constexpr quint8 kGeneralPage = 0;
constexpr quint8 kInitialPage = 8;
constexpr int kTimeModeAt = 1 + 3;      // general page: time mode
constexpr int kDropFrameAt = 1 + 4;     // general page: drop frame, 0 or 0xFF
constexpr int kVideoStandardAt = 1 + 1; // initial page: video standard code
constexpr int kAudioTracksAt = 1 + 5;   // initial page: audio tracks of new files
constexpr int kInitialDropAt = 1 + 7;   // initial page: 1 for drop frame
// With the recorder's own timer as time ("A Time") the general page's drop
// frame setting is the one that counts.
constexpr quint8 kTimeModeATime = 1;

QString BitRateText(const DeviceRecord &device)
{
    const char *text = device.bitRateText.data();
    return QString::fromLatin1(text, static_cast<int>(qstrnlen(text, device.bitRateText.size())));
}

// A file name of eight blanks stands for no material.
bool HasMaterial(const QString &name)
{
    return !name.trimmed().isEmpty();
}

void TakeVideoStandard(DeviceRecord &device, int code)
{
    device.videoStandard = static_cast<quint32>(code);
    device.interlaced = VideoStandardInterlaced(code) ? 1 : 0;
}

quint32 DivisorFor(const DeviceRecord &device)
{
    return device.interlaced ? 2 : 1;
}

} // namespace

void ServerPage::refreshLoadedFile()
{
    DeviceRecord *device = session.Device();
    if (!device) {
        ShowInformation({});
        SetRemainingTimeShown(false);
        return;
    }
    quint8 dropFrame = device->dropFrame;
    QString name;
    if (CurrentFileSense(name) != kStatusOk)
        return;
    if (!NamesAFile(name)) {
        ShowNoFileLoaded();
        return;
    }
    ShowLoadedFileTitle(name);
    SetupPageReply general{};
    if (SetupPageRead(kGeneralPage, general) != kStatusOk ||
        !RebuildWanted(name, general, dropFrame))
        return;
    RecorderInfoRead();
    SetRemainingTimeShown(false);
    lastShownFileName = name;
    ShowInformation({});
    if (!HasMaterial(name))
        return;
    ShowInformation(pelletDevice ? PelletLines(name, *device)
                                 : RecorderLines(general, dropFrame, *device));
}

// The lists are emptied and the file forgotten, so that loading the same
// file again shows its information again.
void ServerPage::ShowNoFileLoaded()
{
    session.ShowTitle(QStringLiteral("Tavrel - %1 (No file Loaded).").arg(session.Device()->name));
    ShowInformation({});
    SetRemainingTimeShown(true);
    lastShownFileName.clear();
}

void ServerPage::ShowLoadedFileTitle(const QString &name)
{
    session.ShowTitle(QStringLiteral("Tavrel - %1 (%2 Loaded).")
                          .arg(session.Device()->name, ShownFileName(name)));
}

// A change of the drop-frame setting under the recorder's own timer asks for
// a rebuild; so does another file, or a request from elsewhere.
bool ServerPage::RebuildWanted(const QString &name, const SetupPageReply &general,
                               quint8 &dropFrame)
{
    const quint8 generalDrop = general[kDropFrameAt] != 0 ? 1 : 0;
    if (general[kTimeModeAt] == kTimeModeATime && generalDrop != dropFrame) {
        dropFrame = generalDrop;
        refreshRequested = true;
    }
    if (name == lastShownFileName && !refreshRequested)
        return false;
    refreshRequested = false;
    return true;
}

// The Pellet describes the file itself; a line whose sense fails is left out.
QStringList ServerPage::PelletLines(const QString &name, DeviceRecord &device)
{
    QStringList lines;
    DropFrameSense(device.dropFrame);
    FileFormat format;
    if (FileFormatSense(name, format) == kStatusOk) {
        lines << CompressionText(format.compression);
        TakeVideoStandard(device, format.videoStandard);
        positionDivisor = DivisorFor(device);
        lines << FileFormatText(format.videoStandard, format.gop);
    }
    const int standard = static_cast<int>(device.videoStandard);
    quint32 first = 0;
    quint32 last = 0;
    if (VideoStandardFor(standard).code != kUndefinedVideoStandard &&
        FileExtentSense(name, first, last) == kStatusOk) {
        const qint64 frames = qint64(last) - qint64(first) + 1;
        lines << QStringLiteral("Duration : %1")
                     .arg(FramesToTimecode(frames, VideoStandardFps(standard),
                                           device.dropFrame != 0, false));
    }
    quint8 tracks = 0;
    if (FileAudioSense(name, tracks) == kStatusOk)
        lines << QStringLiteral("Number of Audio Tracks : %1").arg(tracks);
    QString freeText;
    QString totalText;
    StorageSpaceSense(freeText, totalText);
    if (!freeText.isEmpty())
        lines << QStringLiteral("Space : %1 MB (Tot : %2 MB)").arg(freeText, totalText);
    return lines;
}

// Other recorders describe the material through their setup. The segment
// list's timecode texts depend on the position divisor and the drop-frame
// flag, so a change of either reloads it.
QStringList ServerPage::RecorderLines(const SetupPageReply &general, quint8 dropFrame,
                                      DeviceRecord &device)
{
    QStringList lines;
    SetupPageReply initial{};
    QString duration;
    if (SetupPageRead(kInitialPage, initial) != kStatusOk || DurationSense(duration) != kStatusOk)
        return lines;
    lines << QStringLiteral("Duration : %1").arg(duration);
    if (general[kTimeModeAt] != kTimeModeATime)
        dropFrame = initial[kInitialDropAt] == 1 ? 1 : 0;
    TakeVideoStandard(device, initial[kVideoStandardAt]);
    const quint32 divisor = DivisorFor(device);
    lines << QStringLiteral("Bit rate : %1").arg(BitRateText(device));
    lines << QStringLiteral("Format: %1").arg(VideoStandardName(initial[kVideoStandardAt]));
    lines << QStringLiteral("Number of Audio Tracks : %1").arg(initial[kAudioTracksAt]);
    QString remaining;
    if (AvailableTimeSense(legacyFirmware != 0, remaining) == kStatusOk)
        lines << QStringLiteral("Available Time on storage: %1").arg(remaining);
    if (divisor != positionDivisor || dropFrame != device.dropFrame) {
        positionDivisor = divisor;
        device.dropFrame = dropFrame;
        ShowInformation(lines);
        session.reloadSegmentList();
    }
    return lines;
}

// Both lists show the same lines; they are only touched when the lines
// change, since the refresh runs ten times a second.
void ServerPage::ShowInformation(const QStringList &lines)
{
    if (lines == shownInformation)
        return;
    shownInformation = lines;
    lbClipInfos_2->clear();
    lbClipInfos_2->addItems(lines);
    session.ShowClipInformation(lines);
}

void ServerPage::SetRemainingTimeShown(bool shown)
{
    leRemainigTime->setVisible(shown);
    remainingTimeLabel->setVisible(shown);
}
