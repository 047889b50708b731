// SPDX-License-Identifier: GPL-3.0-or-later
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
    {group::kSystem, 0x11, "DeviceTypeRequest", DeviceTypeRequest},

    {group::kTransport, 0x00, "Stop", Stop},
    {group::kTransport, 0x01, "Play", Play},
    {group::kTransport, 0x02, "Record", Record},
    {group::kTransport, 0x10, "FastForward", FastForward},
    {group::kTransport, 0x13, "ShuttleForward", ShuttleForward},
    {group::kTransport, 0x14, "FrameStepForward", FrameStepForward},
    {group::kTransport, 0x20, "Rewind", Rewind},
    {group::kTransport, 0x23, "ShuttleReverse", ShuttleReverse},
    {group::kTransport, 0x24, "FrameStepReverse", FrameStepReverse},
    {group::kTransport, 0x31, "CueUpWithData", CueUpWithData},
    {group::kTransport, 0x37, "OptionPlay", OptionPlay},
    {group::kTransport, 0x60, "FullEeOff", FullEeOff},
    {group::kTransport, 0x61, "FullEeOn", FullEeOn},
    {group::kTransport, 0x63, "SelectEeOn", SelectEeOn},
    {group::kTransport, 0x64, "EditOff", EditOff},
    {group::kTransport, 0x65, "EditOn", EditOn},
    {group::kTransport, 0x90, "LtcOff", LtcOff},
    {group::kTransport, 0x91, "LtcOn", LtcOn},
    {group::kTransport, 0x9D, "CueUpToFrame", CueUpToFrame},
    {group::kTransport, 0xA7, "PlaySegment", PlaySegment},
    {group::kTransport, 0xAC, "CreateSegment", CreateSegment},

    {group::kDisk, 0x10, "RecorderPlayerSelect", RecorderPlayerSelect},
    {group::kDisk, 0x11, "RenameFile", RenameFile},
    {group::kDisk, 0x21, "DiskCommand", DiskCommand},
    {group::kDisk, 0x22, "DiskScanAll", DiskScanAll},
    {group::kDisk, 0x23, "DiskFormat", DiskFormat},
    {group::kDisk, 0x24, "DiskInquiry", DiskInquiry},
    {group::kDisk, 0x25, "DiskApply", DiskApply},

    {group::kPreset, 0x10, "InEntry", InEntry},
    {group::kPreset, 0x11, "OutEntry", OutEntry},
    {group::kPreset, 0x14, "LoadClip", LoadClip},
    {group::kPreset, 0x30, "EditPreset", EditPreset},
    {group::kPreset, 0x36, "TimerModeSelect", TimerModeSelect},
    {group::kPreset, 0x78, "TimecodePreset", TimecodePreset},
    {group::kPreset, 0x96, "PlaylistStart", PlaylistStart},
    {group::kPreset, 0x97, "EventPairPreset", EventPairPreset},
    {group::kPreset, 0x9B, "DeleteSegment", DeleteSegment},
    {group::kPreset, 0x9E, "AckEventChange", AckEventChange},
    {group::kPreset, 0xA0, "AckPlaylistChange", AckPlaylistChange},
    {group::kPreset, 0xA1, "SetDiskName", SetDiskName},
    {group::kPreset, 0xC0, "SetupPageWrite", SetupPageWrite},
    {group::kPreset, 0xC1, "SetupPageApply", SetupPageApply},
    {group::kPreset, 0xC3, "SetupRefresh", SetupRefresh},

    {group::kSenseRequest, 0x0C, "CurrentTimeSense", CurrentTimeSense},
    {group::kSenseRequest, 0x20, "StatusSense", StatusSense},
    {group::kSenseRequest, 0x36, "TimerModeSense", TimerModeSense},
    {group::kSenseRequest, 0x95, "FrontPanelKey", FrontPanelKey},
    {group::kSenseRequest, 0x98, "CurrentEventSense", CurrentEventSense},
    {group::kSenseRequest, 0x9A, "SegmentInfoSense", SegmentInfoSense},
    {group::kSenseRequest, 0x9B, "SegmentSourceSense", SegmentSourceSense},
    {group::kSenseRequest, 0xA1, "DiskNameSense", DiskNameSense},
    {group::kSenseRequest, 0xA6, "DiskTableSense", DiskTableSense},
    {group::kSenseRequest, 0xAC, "AudioLevelSense", AudioLevelSense},
    {group::kSenseRequest, 0xB1, "VersionSense", VersionSense},
    {group::kSenseRequest, 0xBB, "FileInfoSense", FileInfoSense},
    {group::kSenseRequest, 0xBC, "FileAudioSense", FileAudioSense},
    {group::kSenseRequest, 0xBD, "StorageSpaceSense", StorageSpaceSense},
    {group::kSenseRequest, 0xC0, "SetupPageRead", SetupPageRead},
    {group::kSenseRequest, 0xC1, "CurrentFileSense", CurrentFileSense},
    {group::kSenseRequest, 0xC3, "DiskModeSense", DiskModeSense},
    {group::kSenseRequest, 0xD2, "DurationSense", DurationSense},

    {group::kFile, 0x02, "CreateFile", CreateFile},
    {group::kFile, 0x10, "DeleteFile", DeleteFile},
    {group::kFile, 0x14, "FileListFirst", FileListFirst},
    {group::kFile, 0x15, "FileListNext", FileListNext},
    {group::kFile, 0x18, "FileNameQuery", FileNameQuery},
    {group::kFile, 0x1C, "AvailableTimeShortSense", AvailableTimeSense},
    {group::kFile, 0x1D, "AvailableTimeSense", AvailableTimeSense},
};

} // namespace

const Command *FindCommand(quint8 group, quint8 code)
{
    for (const Command &command : kCommands) {
        if (command.group == group && command.code == code)
            return &command;
    }
    return nullptr;
}

} // namespace xrsim
