#pragma once

#include "model/channel.h"
#include "model/diskarray.h"
#include "model/filestore.h"
#include "model/frontpanel.h"
#include "model/playlistchain.h"
#include "model/segmentstore.h"
#include "model/setuppages.h"
#include "model/timebase.h"
#include "model/videostandard.h"
#include "scenario.h"

#include <array>

namespace xrsim {

class SimClock;

// The simulated recorder: two sides (recorder and player) with their
// transports, the files and segments on its disks, its setup, disks, front
// panel and playlist. It lives on the simulator's own thread; the command
// handlers read and change it one frame at a time, after advance() has
// brought it up to the present.
class RecorderModel
{
public:
    enum class Side { Recorder = 0, Player = 1 };

    RecorderModel(const Scenario &scenario, const SimClock &clock);

    qint64 now() const;
    // Lets time pass: finished cue-ups and formats, segment and material
    // ends, playlist links, recordings growing their file.
    void advance();

    const Scenario &scenario() const { return m_scenario; }
    // Older "DV" firmware: a disk name and no files.
    bool legacy() const { return m_scenario.generation == Scenario::Generation::Dv; }
    bool pellet() const { return m_scenario.generation == Scenario::Generation::Pellet; }
    QByteArray versionText() const { return m_scenario.versionText().toLatin1(); }

    const VideoStandard &standard() const;
    bool dropFrame() const;
    TimeBase timeBase() const { return TimeBase(standard(), dropFrame()); }
    // Bit 0 of the high byte marks a 50 Hz recorder.
    quint16 deviceType() const;
    bool local() const { return m_pages.active(SetupPages::Control) != 0; }
    void applySetupPage(int page);

    // The side that commands act on. Without a second side, the recorder.
    Channel &selected();
    const Channel &selected() const;
    Channel &channel(Side side) { return m_channels[size_t(side)]; }
    bool selectSide(Side side);
    bool hasPlayerSide() const;
    bool canRecord() const;
    // The selected side's position, whole units.
    qint64 position() const;

    bool loadFile(Channel &channel, const QByteArray &name);
    // Makes the file unless it exists, and loads it on the recorder side.
    bool createFile(const QByteArray &name);
    void cueTo(Channel &channel, qint64 units);
    bool createSegment(int number);
    bool cueToSegment(int number);
    bool playSegment(int number, bool option = false);
    // Starts recording into the recorder side's loaded file.
    bool record();

    int totalMegabytes() const { return m_disks.totalMegabytes(); }
    qint64 freeMegabytes() const;
    qint64 freeFrames() const;
    double secondsOf(qint64 frames) const;

    FileStore &files() { return m_files; }
    SegmentStore &segments() { return m_segments; }
    SetupPages &pages() { return m_pages; }
    const SetupPages &pages() const { return m_pages; }
    DiskArray &disks() { return m_disks; }
    PlaylistChain &chain() { return m_chain; }
    FrontPanel &panel() { return m_panel; }

    QByteArray diskName;
    bool ltc = true;
    // The tracks an edit will affect, as last preset (0: none armed).
    quint8 editPreset = 0;
    // Added to the position to give the timecode (a timecode preset).
    qint64 timecodeOffset = 0;

private:
    void loadScenario();
    void loadSegments();
    MediaFile newFile(const QByteArray &name, int audioTracks) const;
    void refreshRates();
    void followSegment(Channel &channel);
    void stopAtMaterialEnd(Channel &channel);
    void growRecording(Channel &channel);

    Scenario m_scenario;
    const SimClock &m_clock;
    std::array<Channel, 2> m_channels;
    Side m_side = Side::Recorder;
    FileStore m_files;
    SegmentStore m_segments;
    SetupPages m_pages;
    DiskArray m_disks;
    PlaylistChain m_chain;
    FrontPanel m_panel;
};

} // namespace xrsim
