// SPDX-License-Identifier: GPL-3.0-or-later
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

    qint64 Now() const;
    // Lets time pass: finished cue-ups and formats, segment and material
    // ends, playlist links, recordings growing their file.
    void Advance();

    const Scenario &ScenarioInUse() const { return scenario; }
    // Older "DV" firmware: a disk name and no files.
    bool Legacy() const { return scenario.generation == Scenario::Generation::Dv; }
    // Older firmware keeps no files, nor does a recorder set up without them.
    bool HasFileStore() const { return !Legacy() && scenario.fileStore; }
    bool Pellet() const { return scenario.generation == Scenario::Generation::Pellet; }
    QByteArray VersionText() const { return scenario.VersionText().toLatin1(); }

    const VideoStandard &Standard() const;
    bool DropFrame() const;
    TimeBase CurrentTimeBase() const { return TimeBase(Standard(), DropFrame()); }
    // Bit 0 of the high byte marks a 50 Hz recorder.
    quint16 DeviceType() const;
    bool Local() const { return pages.Active(SetupPages::kControl) != 0; }
    void ApplySetupPage(int page);

    // The side that commands act on. Without a second side, the recorder.
    Channel &Selected();
    const Channel &Selected() const;
    Channel &ChannelOf(Side side) { return channels[size_t(side)]; }
    bool SelectSide(Side side);
    bool HasPlayerSide() const;
    bool CanRecord() const;
    // The selected side's position, whole units.
    qint64 Position() const;

    bool LoadFile(Channel &channel, const QByteArray &name);
    // Makes the file unless it exists, and loads it on the recorder side.
    bool CreateFile(const QByteArray &name);
    void CueTo(Channel &channel, qint64 units);
    bool CreateSegment(int number);
    bool CueToSegment(int number);
    bool PlaySegment(int number, bool option = false);
    // Starts recording into the recorder side's loaded file.
    bool Record();

    int TotalMegabytes() const { return disks.TotalMegabytes(); }
    qint64 FreeMegabytes() const;
    qint64 FreeFrames() const;
    double SecondsOf(qint64 frames) const;

    FileStore &Files() { return files; }
    SegmentStore &Segments() { return segments; }
    SetupPages &Pages() { return pages; }
    const SetupPages &Pages() const { return pages; }
    DiskArray &Disks() { return disks; }
    PlaylistChain &Chain() { return chain; }
    FrontPanel &Panel() { return panel; }

    QByteArray diskName;
    bool ltc = true;
    // The tracks an edit will affect, as last preset (0: none armed).
    quint8 editPreset = 0;
    // Added to the position to give the timecode (a timecode preset).
    qint64 timecodeOffset = 0;

private:
    void LoadScenario();
    void LoadSegments();
    MediaFile NewFile(const QByteArray &name, int audioTracks) const;
    void RefreshRates();
    void FollowSegment(Channel &channel);
    void StopAtMaterialEnd(Channel &channel);
    void GrowRecording(Channel &channel);

    Scenario scenario;
    const SimClock &clock;
    std::array<Channel, 2> channels;
    Side side = Side::Recorder;
    FileStore files;
    SegmentStore segments;
    SetupPages pages;
    DiskArray disks;
    PlaylistChain chain;
    FrontPanel panel;
};

} // namespace xrsim
