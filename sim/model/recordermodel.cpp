// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/recordermodel.h"

#include "model/simclock.h"
#include "server/simlog.h"

#include <cmath>

namespace xrsim {

namespace {
// The recorder family answers with 0x20 0x50; a 625-line machine sets bit 0
// of the high byte.
constexpr quint16 kDeviceTypeBase = 0x2050;
constexpr quint16 kFiftyHzBit = 0x0100;
// Group of pictures of MPEG recorders (I, B and P pictures); the others
// record intra pictures only.
constexpr quint32 kMpegTag = 0x4D504547;
constexpr int kIbpGop = 3;
constexpr int kIntraOnlyGop = 1;

using Motion = Transport::Motion;
} // namespace

RecorderModel::RecorderModel(const Scenario &scenario, const SimClock &clock)
    : scenario(scenario), clock(clock),
      disks({scenario.scanMs, scenario.inquiryMs, scenario.formatMs, scenario.formatEndless})
{
    LoadScenario();
    RefreshRates();
}

qint64 RecorderModel::Now() const
{
    return clock.NowMs();
}

void RecorderModel::Advance()
{
    disks.Update(Now());
    panel.Update(Now());
    for (Channel &channel : channels) {
        channel.transport.Update(Now());
        FollowSegment(channel);
        StopAtMaterialEnd(channel);
        GrowRecording(channel);
    }
}

const VideoStandard &RecorderModel::Standard() const
{
    return VideoStandard::ByCode(pages.Active(SetupPages::kStandard));
}

bool RecorderModel::DropFrame() const
{
    return pages.Active(SetupPages::kDropFrame) != 0;
}

quint16 RecorderModel::DeviceType() const
{
    return Standard().FiftyHz() ? kDeviceTypeBase | kFiftyHzBit : kDeviceTypeBase;
}

void RecorderModel::ApplySetupPage(int page)
{
    pages.Apply(page);
    RefreshRates();
}

Channel &RecorderModel::Selected()
{
    const bool player = side == Side::Player && HasPlayerSide();
    return channels[player ? 1 : 0];
}

const Channel &RecorderModel::Selected() const
{
    const bool player = side == Side::Player && HasPlayerSide();
    return channels[player ? 1 : 0];
}

bool RecorderModel::SelectSide(Side side)
{
    if (side == Side::Player && !HasPlayerSide())
        return false;
    this->side = side;
    return true;
}

bool RecorderModel::HasPlayerSide() const
{
    return pages.Active(SetupPages::kChannelMode) != SetupPages::kOneRecorderOrPlayer;
}

bool RecorderModel::CanRecord() const
{
    return pages.Active(SetupPages::kChannelMode) != SetupPages::kTwoPlayers &&
           &Selected() == &channels[0];
}

qint64 RecorderModel::Position() const
{
    return qMax<qint64>(qint64(Selected().transport.Position(Now())), 0);
}

bool RecorderModel::LoadFile(Channel &channel, const QByteArray &name)
{
    const MediaFile *file = files.Find(name);
    if (!file)
        return false;
    channel.loadedFile = name;
    CueTo(channel, file->first * Standard().UnitsPerFrame());
    return true;
}

bool RecorderModel::CreateFile(const QByteArray &name)
{
    if (!files.Find(name) && !files.Add(NewFile(name, pages.Active(SetupPages::kAudioTracks))))
        return false;
    return LoadFile(channels[0], name);
}

void RecorderModel::CueTo(Channel &channel, qint64 units)
{
    channel.playingSegment = 0;
    channel.transport.Cue(double(units), Now(), Now() + scenario.cueMs);
}

bool RecorderModel::CreateSegment(int number)
{
    const Channel &channel = Selected();
    if (!SegmentStore::ValidNumber(number) || !channel.markIn || !channel.markOut ||
        *channel.markOut <= *channel.markIn)
        return false;
    Segment segment;
    segment.in = *channel.markIn;
    segment.out = *channel.markOut;
    segment.source = channel.loadedFile;
    return segments.Store(number, segment);
}

bool RecorderModel::CueToSegment(int number)
{
    const Segment *segment = segments.Find(number);
    if (!segment)
        return false;
    Channel &channel = Selected();
    if (files.Find(segment->source))
        channel.loadedFile = segment->source;
    CueTo(channel, segment->in);
    return true;
}

bool RecorderModel::PlaySegment(int number, bool option)
{
    const Segment *segment = segments.Find(number);
    if (!segment)
        return false;
    Channel &channel = Selected();
    if (files.Find(segment->source))
        channel.loadedFile = segment->source;
    channel.transport.Play(Now(), option);
    channel.transport.JumpTo(double(segment->in), Now());
    channel.playingSegment = number;
    chain.SetCurrent(number);
    return true;
}

bool RecorderModel::Record()
{
    if (!CanRecord() || FreeFrames() <= 0)
        return false;
    Channel &channel = Selected();
    channel.playingSegment = 0;
    channel.transport.Record(Now());
    if (MediaFile *file = files.Find(channel.loadedFile))
        file->Include(Position() / Standard().UnitsPerFrame());
    return true;
}

qint64 RecorderModel::FreeMegabytes() const
{
    const double used = SecondsOf(files.TotalFrames()) * scenario.recordMbps / 8.0;
    return qMax<qint64>(qint64(TotalMegabytes() - used), 0);
}

qint64 RecorderModel::FreeFrames() const
{
    const VideoStandard &rate = Standard();
    const double seconds = double(FreeMegabytes()) * 8.0 / scenario.recordMbps;
    return qint64(seconds * rate.rateNum / rate.rateDen);
}

double RecorderModel::SecondsOf(qint64 frames) const
{
    return double(frames) * Standard().rateDen / Standard().rateNum;
}

void RecorderModel::LoadScenario()
{
    const bool dropFrame =
        scenario.dropFrame && VideoStandard::ByCode(scenario.videoStandard).DropFrameCapable();
    pages.Set(SetupPages::kControl, scenario.local ? 1 : 0);
    pages.Set(SetupPages::kLoop, scenario.loop ? 0xFF : 0);
    pages.Set(SetupPages::kDropFrame, dropFrame ? 0xFF : 0);
    pages.Set(SetupPages::kRecordDrop, dropFrame ? 1 : 0);
    pages.Set(SetupPages::kChannelMode, quint8(scenario.channelMode));
    pages.Set(SetupPages::kCompression, quint8(scenario.compression));
    pages.Set(SetupPages::kStandard, quint8(scenario.videoStandard));
    panel.SetTimeout(scenario.menuTimeoutMs);
    diskName = scenario.diskName.toLatin1();
    for (const Scenario::Disk &disk : scenario.disks)
        disks.Install(disk.bus, disk.id, disk.formatted, disk.megabytes, disk.mode);

    const VideoStandard &rate = Standard();
    for (const Scenario::File &given : scenario.files) {
        MediaFile file = NewFile(given.name.toLatin1(), given.audioTracks);
        file.first = 0;
        file.last = qint64(given.seconds) * rate.rateNum / rate.rateDen - 1;
        if (!HasFileStore() || !files.Add(file))
            qCWarning(lcSim) << "scenario: file" << given.name << "left out";
    }
    const QByteArray loaded = scenario.loaded.toLatin1();
    if (!loaded.isEmpty() && !files.Find(loaded))
        qCWarning(lcSim) << "scenario: no file" << scenario.loaded << "to load";
    else
        channels[0].loadedFile = channels[1].loadedFile = loaded;

    LoadSegments();
    if (scenario.playing)
        channels[0].transport.Play(Now());
}

void RecorderModel::LoadSegments()
{
    const VideoStandard &rate = Standard();
    const TimeBase time = CurrentTimeBase();
    const QByteArray loaded = scenario.loaded.toLatin1();
    const auto sourceOf = [&loaded](const QString &given) {
        return given.isEmpty() ? loaded : given.toLatin1();
    };
    for (const Scenario::Segment &given : scenario.segments) {
        Timecode in;
        Timecode out;
        Timecode::Parse(given.in, &in);
        Timecode::Parse(given.out, &out);
        if (!in.IsValid(rate.TimecodeFps()) || !out.IsValid(rate.TimecodeFps())) {
            qCWarning(lcSim) << "scenario: segment" << given.number << "is not a time of"
                             << rate.name;
            continue;
        }
        segments.Store(given.number,
                       {time.UnitsOfTimecode(in, false), time.UnitsOfTimecode(out, false),
                        sourceOf(given.source), given.extra1, given.extra2});
    }
    for (const Scenario::RawSegment &given : scenario.rawSegments)
        segments.Store(given.number, {given.in, given.out, sourceOf(given.source)});
}

MediaFile RecorderModel::NewFile(const QByteArray &name, int audioTracks) const
{
    MediaFile file;
    file.name = name;
    file.standard = Standard().code;
    file.megabitsPerSecond = scenario.recordMbps;
    file.gop = scenario.tag == kMpegTag ? kIbpGop : kIntraOnlyGop;
    file.audioTracks = audioTracks;
    return file;
}

void RecorderModel::RefreshRates()
{
    for (Channel &channel : channels)
        channel.transport.SetRate(Standard().UnitsPerSecond(), Now());
}

void RecorderModel::FollowSegment(Channel &channel)
{
    if (channel.playingSegment == 0)
        return;
    const Segment *segment = segments.Find(channel.playingSegment);
    if (!segment || channel.transport.CurrentMotion() != Motion::Play) {
        channel.playingSegment = 0;
        return;
    }
    // Playback runs from segment to segment along the playlist's links;
    // what went past an out point carries on into the next segment.
    double position = channel.transport.Position(Now());
    while (position >= double(segment->out)) {
        const double overshoot = position - double(segment->out);
        const int next = chain.Next(channel.playingSegment);
        const Segment *following = segments.Find(next);
        if (!following) {
            channel.transport.StillAt(double(segment->out), Now());
            channel.playingSegment = 0;
            return;
        }
        if (files.Find(following->source))
            channel.loadedFile = following->source;
        position = double(following->in) + overshoot;
        channel.transport.JumpTo(position, Now());
        channel.playingSegment = next;
        chain.MoveOn(next);
        segment = following;
    }
}

// In loop mode, playback at play speed that passes the end of the file goes
// on from its first frame, as often as it comes round; any other motion
// stops there.
void RecorderModel::StopAtMaterialEnd(Channel &channel)
{
    const MediaFile *file = files.Find(channel.loadedFile);
    if (!file || file->Empty() || channel.transport.CurrentMotion() == Motion::Record ||
        !channel.transport.MovingForward())
        return;
    const int unitsPerFrame = Standard().UnitsPerFrame();
    const double start = double(file->first * unitsPerFrame);
    const double end = double((file->last + 1) * unitsPerFrame - 1);
    const double position = channel.transport.Position(Now());
    if (position <= end)
        return;
    const bool looping =
        pages.Active(SetupPages::kLoop) != 0 && channel.transport.CurrentMotion() == Motion::Play;
    if (looping)
        channel.transport.JumpTo(start + std::fmod(position - end - 1, end + 1 - start), Now());
    else
        channel.transport.StillAt(end, Now());
}

void RecorderModel::GrowRecording(Channel &channel)
{
    if (channel.transport.CurrentMotion() != Motion::Record)
        return;
    const double position = channel.transport.Position(Now());
    if (MediaFile *file = files.Find(channel.loadedFile))
        file->Include(qint64(position) / Standard().UnitsPerFrame());
    if (FreeFrames() <= 0)
        channel.transport.StillAt(position, Now());
}

} // namespace xrsim
