#include "commands/commandtable.h"

#include "commands/devicecommands.h"
#include "commands/diskcommands.h"
#include "commands/filecommands.h"
#include "commands/panelcommands.h"
#include "commands/playlistcommands.h"
#include "commands/presetcommands.h"
#include "commands/segmentcommands.h"
#include "commands/sensecommands.h"
#include "commands/systemcommands.h"
#include "commands/transportcommands.h"
#include "wire/reply.h"

namespace xrsim {

namespace {

// Every command the recorder understands, by group and code.
const Command kCommands[] = {
    {group::System, 0x11, "DeviceTypeRequest", deviceTypeRequest},

    {group::Transport, 0x00, "Stop", stop},
    {group::Transport, 0x01, "Play", play},
    {group::Transport, 0x02, "Record", record},
    {group::Transport, 0x10, "FastForward", fastForward},
    {group::Transport, 0x13, "ShuttleForward", shuttleForward},
    {group::Transport, 0x14, "FrameStepForward", frameStepForward},
    {group::Transport, 0x20, "Rewind", rewind},
    {group::Transport, 0x23, "ShuttleReverse", shuttleReverse},
    {group::Transport, 0x24, "FrameStepReverse", frameStepReverse},
    {group::Transport, 0x31, "CueUpWithData", cueUpWithData},
    {group::Transport, 0x37, "OptionPlay", optionPlay},
    {group::Transport, 0x60, "FullEeOff", fullEeOff},
    {group::Transport, 0x61, "FullEeOn", fullEeOn},
    {group::Transport, 0x63, "SelectEeOn", selectEeOn},
    {group::Transport, 0x64, "EditOff", editOff},
    {group::Transport, 0x65, "EditOn", editOn},
    {group::Transport, 0x90, "LtcOff", ltcOff},
    {group::Transport, 0x91, "LtcOn", ltcOn},
    {group::Transport, 0x9D, "CueUpToFrame", cueUpToFrame},
    {group::Transport, 0xA7, "PlaySegment", playSegment},
    {group::Transport, 0xAC, "CreateSegment", createSegment},

    {group::Disk, 0x10, "RecorderPlayerSelect", recorderPlayerSelect},
    {group::Disk, 0x11, "RenameFile", renameFile},
    {group::Disk, 0x21, "DiskCommand", diskCommand},
    {group::Disk, 0x22, "DiskScanAll", diskScanAll},
    {group::Disk, 0x23, "DiskFormat", diskFormat},
    {group::Disk, 0x24, "DiskInquiry", diskInquiry},
    {group::Disk, 0x25, "DiskApply", diskApply},

    {group::Preset, 0x10, "InEntry", inEntry},
    {group::Preset, 0x11, "OutEntry", outEntry},
    {group::Preset, 0x14, "LoadClip", loadClip},
    {group::Preset, 0x30, "EditPreset", editPreset},
    {group::Preset, 0x36, "TimerModeSelect", timerModeSelect},
    {group::Preset, 0x78, "TimecodePreset", timecodePreset},
    {group::Preset, 0x96, "PlaylistStart", playlistStart},
    {group::Preset, 0x97, "EventPairPreset", eventPairPreset},
    {group::Preset, 0x9B, "DeleteSegment", deleteSegment},
    {group::Preset, 0x9E, "AckEventChange", ackEventChange},
    {group::Preset, 0xA0, "AckPlaylistChange", ackPlaylistChange},
    {group::Preset, 0xA1, "SetDiskName", setDiskName},
    {group::Preset, 0xC0, "SetupPageWrite", setupPageWrite},
    {group::Preset, 0xC1, "SetupPageApply", setupPageApply},
    {group::Preset, 0xC3, "SetupRefresh", setupRefresh},

    {group::SenseRequest, 0x0C, "CurrentTimeSense", currentTimeSense},
    {group::SenseRequest, 0x20, "StatusSense", statusSense},
    {group::SenseRequest, 0x36, "TimerModeSense", timerModeSense},
    {group::SenseRequest, 0x95, "FrontPanelKey", frontPanelKey},
    {group::SenseRequest, 0x98, "CurrentEventSense", currentEventSense},
    {group::SenseRequest, 0x9A, "SegmentInfoSense", segmentInfoSense},
    {group::SenseRequest, 0x9B, "SegmentSourceSense", segmentSourceSense},
    {group::SenseRequest, 0xA1, "DiskNameSense", diskNameSense},
    {group::SenseRequest, 0xA6, "DiskTableSense", diskTableSense},
    {group::SenseRequest, 0xAC, "AudioLevelSense", audioLevelSense},
    {group::SenseRequest, 0xB1, "VersionSense", versionSense},
    {group::SenseRequest, 0xBB, "FileInfoSense", fileInfoSense},
    {group::SenseRequest, 0xBC, "FileAudioSense", fileAudioSense},
    {group::SenseRequest, 0xBD, "StorageSpaceSense", storageSpaceSense},
    {group::SenseRequest, 0xC0, "SetupPageRead", setupPageRead},
    {group::SenseRequest, 0xC1, "CurrentFileSense", currentFileSense},
    {group::SenseRequest, 0xC3, "DiskModeSense", diskModeSense},
    {group::SenseRequest, 0xD2, "DurationSense", durationSense},

    {group::File, 0x02, "CreateFile", createFile},
    {group::File, 0x10, "DeleteFile", deleteFile},
    {group::File, 0x14, "FileListFirst", fileListFirst},
    {group::File, 0x15, "FileListNext", fileListNext},
    {group::File, 0x18, "FileNameQuery", fileNameQuery},
    {group::File, 0x1C, "AvailableTimeShortSense", availableTimeSense},
    {group::File, 0x1D, "AvailableTimeSense", availableTimeSense},
};

} // namespace

const Command *findCommand(quint8 group, quint8 code)
{
    for (const Command &command : kCommands) {
        if (command.group == group && command.code == code)
            return &command;
    }
    return nullptr;
}

} // namespace xrsim
