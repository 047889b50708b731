#include "model/recordermodel.h"

#include "model/simclock.h"
#include "server/simlog.h"

namespace xrsim {

namespace {
// The recorder family answers with 0x20 0x50; a 625-line machine sets bit 0
// of the high byte.
constexpr quint16 DeviceTypeBase = 0x2050;
constexpr quint16 FiftyHzBit = 0x0100;
// Group of pictures of MPEG recorders (I, B and P pictures); the others
// record intra pictures only.
constexpr quint32 MpegTag = 0x4D504547;
constexpr int IbpGop = 3;
constexpr int IntraOnlyGop = 1;

using Motion = Transport::Motion;
} // namespace

RecorderModel::RecorderModel(const Scenario &scenario, const SimClock &clock)
    : m_scenario(scenario), m_clock(clock),
      m_disks({scenario.scanMs, scenario.inquiryMs, scenario.formatMs})
{
    loadScenario();
    refreshRates();
}

qint64 RecorderModel::now() const
{
    return m_clock.nowMs();
}

void RecorderModel::advance()
{
    m_disks.update(now());
    m_panel.update(now());
    for (Channel &channel : m_channels) {
        channel.transport.update(now());
        followSegment(channel);
        stopAtMaterialEnd(channel);
        growRecording(channel);
    }
}

const VideoStandard &RecorderModel::standard() const
{
    return VideoStandard::byCode(m_pages.active(SetupPages::Standard));
}

bool RecorderModel::dropFrame() const
{
    return m_pages.active(SetupPages::DropFrame) != 0;
}

quint16 RecorderModel::deviceType() const
{
    return standard().fiftyHz() ? DeviceTypeBase | FiftyHzBit : DeviceTypeBase;
}

void RecorderModel::applySetupPage(int page)
{
    m_pages.apply(page);
    refreshRates();
}

Channel &RecorderModel::selected()
{
    const bool player = m_side == Side::Player && hasPlayerSide();
    return m_channels[player ? 1 : 0];
}

const Channel &RecorderModel::selected() const
{
    const bool player = m_side == Side::Player && hasPlayerSide();
    return m_channels[player ? 1 : 0];
}

bool RecorderModel::selectSide(Side side)
{
    if (side == Side::Player && !hasPlayerSide())
        return false;
    m_side = side;
    return true;
}

bool RecorderModel::hasPlayerSide() const
{
    return m_pages.active(SetupPages::ChannelMode) != SetupPages::OneRecorderOrPlayer;
}

bool RecorderModel::canRecord() const
{
    return m_pages.active(SetupPages::ChannelMode) != SetupPages::TwoPlayers &&
           &selected() == &m_channels[0];
}

qint64 RecorderModel::position() const
{
    return qMax<qint64>(qint64(selected().transport.position(now())), 0);
}

bool RecorderModel::loadFile(Channel &channel, const QByteArray &name)
{
    const MediaFile *file = m_files.find(name);
    if (!file)
        return false;
    channel.loadedFile = name;
    cueTo(channel, file->first * standard().unitsPerFrame());
    return true;
}

bool RecorderModel::createFile(const QByteArray &name)
{
    if (!m_files.find(name) && !m_files.add(newFile(name, m_pages.active(SetupPages::AudioTracks))))
        return false;
    return loadFile(m_channels[0], name);
}

void RecorderModel::cueTo(Channel &channel, qint64 units)
{
    channel.playingSegment = 0;
    channel.transport.cue(double(units), now(), now() + m_scenario.cueMs);
}

bool RecorderModel::createSegment(int number)
{
    const Channel &channel = selected();
    if (!SegmentStore::validNumber(number) || !channel.markIn || !channel.markOut ||
        *channel.markOut <= *channel.markIn)
        return false;
    Segment segment;
    segment.in = *channel.markIn;
    segment.out = *channel.markOut;
    segment.source = channel.loadedFile;
    return m_segments.store(number, segment);
}

bool RecorderModel::cueToSegment(int number)
{
    const Segment *segment = m_segments.find(number);
    if (!segment)
        return false;
    Channel &channel = selected();
    if (m_files.find(segment->source))
        channel.loadedFile = segment->source;
    cueTo(channel, segment->in);
    return true;
}

bool RecorderModel::playSegment(int number, bool option)
{
    const Segment *segment = m_segments.find(number);
    if (!segment)
        return false;
    Channel &channel = selected();
    if (m_files.find(segment->source))
        channel.loadedFile = segment->source;
    channel.transport.play(now(), option);
    channel.transport.jumpTo(double(segment->in), now());
    channel.playingSegment = number;
    m_chain.setCurrent(number);
    return true;
}

bool RecorderModel::record()
{
    if (!canRecord() || freeFrames() <= 0)
        return false;
    Channel &channel = selected();
    channel.playingSegment = 0;
    channel.transport.record(now());
    if (MediaFile *file = m_files.find(channel.loadedFile))
        file->include(position() / standard().unitsPerFrame());
    return true;
}

qint64 RecorderModel::freeMegabytes() const
{
    const double used = secondsOf(m_files.totalFrames()) * m_scenario.recordMbps / 8.0;
    return qMax<qint64>(qint64(totalMegabytes() - used), 0);
}

qint64 RecorderModel::freeFrames() const
{
    const VideoStandard &rate = standard();
    const double seconds = double(freeMegabytes()) * 8.0 / m_scenario.recordMbps;
    return qint64(seconds * rate.rateNum / rate.rateDen);
}

double RecorderModel::secondsOf(qint64 frames) const
{
    return double(frames) * standard().rateDen / standard().rateNum;
}

void RecorderModel::loadScenario()
{
    const bool dropFrame =
        m_scenario.dropFrame && VideoStandard::byCode(m_scenario.videoStandard).dropFrameCapable();
    m_pages.set(SetupPages::Control, m_scenario.local ? 1 : 0);
    m_pages.set(SetupPages::DropFrame, dropFrame ? 0xFF : 0);
    m_pages.set(SetupPages::RecordDrop, dropFrame ? 1 : 0);
    m_pages.set(SetupPages::ChannelMode, quint8(m_scenario.channelMode));
    m_pages.set(SetupPages::Compression, quint8(m_scenario.compression));
    m_pages.set(SetupPages::Standard, quint8(m_scenario.videoStandard));
    m_panel.setTimeout(m_scenario.menuTimeoutMs);
    diskName = m_scenario.diskName.toLatin1();
    for (const Scenario::Disk &disk : m_scenario.disks)
        m_disks.install(disk.bus, disk.id, disk.formatted, disk.megabytes, disk.mode);

    const VideoStandard &rate = standard();
    for (const Scenario::File &given : m_scenario.files) {
        MediaFile file = newFile(given.name.toLatin1(), given.audioTracks);
        file.first = 0;
        file.last = qint64(given.seconds) * rate.rateNum / rate.rateDen - 1;
        // Older firmware keeps no files.
        if (legacy() || !m_files.add(file))
            qCWarning(lcSim) << "scenario: file" << given.name << "left out";
    }
    const QByteArray loaded = m_scenario.loaded.toLatin1();
    if (!loaded.isEmpty() && !m_files.find(loaded))
        qCWarning(lcSim) << "scenario: no file" << m_scenario.loaded << "to load";
    else
        m_channels[0].loadedFile = m_channels[1].loadedFile = loaded;

    loadSegments();
    if (m_scenario.playing)
        m_channels[0].transport.play(now());
}

void RecorderModel::loadSegments()
{
    const VideoStandard &rate = standard();
    const TimeBase time = timeBase();
    const QByteArray loaded = m_scenario.loaded.toLatin1();
    const auto sourceOf = [&loaded](const QString &given) {
        return given.isEmpty() ? loaded : given.toLatin1();
    };
    for (const Scenario::Segment &given : m_scenario.segments) {
        Timecode in;
        Timecode out;
        Timecode::parse(given.in, &in);
        Timecode::parse(given.out, &out);
        if (!in.isValid(rate.timecodeFps()) || !out.isValid(rate.timecodeFps())) {
            qCWarning(lcSim) << "scenario: segment" << given.number << "is not a time of"
                             << rate.name;
            continue;
        }
        m_segments.store(given.number,
                         {time.unitsOfTimecode(in, false), time.unitsOfTimecode(out, false),
                          sourceOf(given.source), given.extra1, given.extra2});
    }
    for (const Scenario::RawSegment &given : m_scenario.rawSegments)
        m_segments.store(given.number, {given.in, given.out, sourceOf(given.source)});
}

MediaFile RecorderModel::newFile(const QByteArray &name, int audioTracks) const
{
    MediaFile file;
    file.name = name;
    file.standard = standard().code;
    file.megabitsPerSecond = m_scenario.recordMbps;
    file.gop = m_scenario.tag == MpegTag ? IbpGop : IntraOnlyGop;
    file.audioTracks = audioTracks;
    return file;
}

void RecorderModel::refreshRates()
{
    for (Channel &channel : m_channels)
        channel.transport.setRate(standard().unitsPerSecond(), now());
}

void RecorderModel::followSegment(Channel &channel)
{
    if (channel.playingSegment == 0)
        return;
    const Segment *segment = m_segments.find(channel.playingSegment);
    if (!segment || channel.transport.motion() != Motion::Play) {
        channel.playingSegment = 0;
        return;
    }
    // Playback runs from segment to segment along the playlist's links;
    // what went past an out point carries on into the next segment.
    double position = channel.transport.position(now());
    while (position >= double(segment->out)) {
        const double overshoot = position - double(segment->out);
        const int next = m_chain.next(channel.playingSegment);
        const Segment *following = m_segments.find(next);
        if (!following) {
            channel.transport.stillAt(double(segment->out), now());
            channel.playingSegment = 0;
            return;
        }
        if (m_files.find(following->source))
            channel.loadedFile = following->source;
        position = double(following->in) + overshoot;
        channel.transport.jumpTo(position, now());
        channel.playingSegment = next;
        m_chain.moveOn(next);
        segment = following;
    }
}

void RecorderModel::stopAtMaterialEnd(Channel &channel)
{
    const MediaFile *file = m_files.find(channel.loadedFile);
    if (!file || file->empty() || channel.transport.motion() == Motion::Record ||
        !channel.transport.movingForward())
        return;
    const int unitsPerFrame = standard().unitsPerFrame();
    const double end = double((file->last + 1) * unitsPerFrame - 1);
    if (channel.transport.position(now()) > end)
        channel.transport.stillAt(end, now());
}

void RecorderModel::growRecording(Channel &channel)
{
    if (channel.transport.motion() != Motion::Record)
        return;
    const double position = channel.transport.position(now());
    if (MediaFile *file = m_files.find(channel.loadedFile))
        file->include(qint64(position) / standard().unitsPerFrame());
    if (freeFrames() <= 0)
        channel.transport.stillAt(position, now());
}

} // namespace xrsim
