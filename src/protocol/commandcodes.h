// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// What a recorder may answer to a command. While the engine waits for a
// reply it drops every frame the command's rule does not allow (a reply sent
// twice, or one that came too late for its own command) and waits on within
// the same time. Every rule also allows a NAK, with which a recorder refuses
// any command.
enum class ReplyRule : quint8 {
    Acknowledge, // control commands: an ACK
    DeviceType,  // the device type return: group 1 with the request's code
    Sense,       // a sense return (group 7) with the request's code
    SenseOrAck,  // the same, or an ACK: the current file sense when no file is loaded
    Time,        // a sense return with a time-data code, or with the request's code
    Open,        // anything but a sense return that belongs to another command
};

// The rule of a command by its group: control commands (groups 2 to 4) are
// acknowledged, sense requests (group 6) answered with a sense return. The
// file commands of group 0xA have replies of no fixed group.
constexpr ReplyRule GroupReplyRule(quint8 group)
{
    switch (group) {
    case 0x2:
    case 0x3:
    case 0x4:
        return ReplyRule::Acknowledge;
    case 0x6:
        return ReplyRule::Sense;
    default:
        return ReplyRule::Open;
    }
}

// Group and command byte of every command the program sends to a recorder,
// with the rule its reply follows. The first frame byte is group * 16 + data
// count, the second the command byte. Standard Sony 9-pin codes keep their
// usual names; the recorder's own commands (most of group 0xA, group 2 above
// 0x80, the setup and disk commands) are named after what they do. This is
// the only place where these numbers are written down: every command
// function sends through one of them.
struct CommandCode
{
    quint8 group;
    quint8 command;
    // The name the traffic monitor and the session recordings show; null for
    // a frame the table does not hold.
    const char *name = nullptr;
    ReplyRule reply = GroupReplyRule(group);
};

// The second bytes with which a recorder returns its time: timer 1 and 2,
// LTC, VITC, corrected LTC and held VITC.
inline constexpr quint8 kTimeDataCodes[] = {0x00, 0x01, 0x04, 0x06, 0x14, 0x16};

// What comes back: group 1 carries the ACK (0x10 0x01), the NAK (0x11 0x12
// and a reason byte) and the device type return; group 7 the sense returns.
inline constexpr quint8 kReturnGroup = 0x1;
inline constexpr quint8 kAckCommand = 0x01;
inline constexpr quint8 kNakCommand = 0x12;
inline constexpr quint8 kSenseReturnGroup = 0x7;

// The command byte with which the recorder sends the last name of its file
// list; the file commands take a sense return with it as their own.
inline constexpr quint8 kLastFileNameCode = 0x00;

namespace Cmd {

// Device identification (group 0: system control).
inline constexpr CommandCode DeviceTypeRequest{0x0, 0x11, "DeviceTypeRequest",
                                               ReplyRule::DeviceType};

// Transport (group 2).
inline constexpr CommandCode Stop{0x2, 0x00, "Stop"};
inline constexpr CommandCode Play{0x2, 0x01, "Play"};
inline constexpr CommandCode Record{0x2, 0x02, "Record"};
inline constexpr CommandCode FastForward{0x2, 0x10, "FastForward"};
inline constexpr CommandCode ShuttleForward{0x2, 0x13, "ShuttleForward"};
inline constexpr CommandCode FrameStepForward{0x2, 0x14, "FrameStepForward"};
inline constexpr CommandCode Rewind{0x2, 0x20, "Rewind"};
inline constexpr CommandCode ShuttleReverse{0x2, 0x23, "ShuttleReverse"};
inline constexpr CommandCode FrameStepReverse{0x2, 0x24, "FrameStepReverse"};
inline constexpr CommandCode CueUpWithData{0x2, 0x31, "CueUpWithData"};
inline constexpr CommandCode OptionPlay{0x2, 0x37, "OptionPlay"};
inline constexpr CommandCode FullEeOff{0x2, 0x60, "FullEeOff"};
inline constexpr CommandCode FullEeOn{0x2, 0x61, "FullEeOn"};
inline constexpr CommandCode SelectEeOn{0x2, 0x63, "SelectEeOn"};
inline constexpr CommandCode EditOff{0x2, 0x64, "EditOff"};
inline constexpr CommandCode EditOn{0x2, 0x65, "EditOn"};
inline constexpr CommandCode LtcOff{0x2, 0x90, "LtcOff"};
inline constexpr CommandCode LtcOn{0x2, 0x91, "LtcOn"};
inline constexpr CommandCode CueUpToFrame{0x2, 0x9D, "CueUpToFrame"};
inline constexpr CommandCode PlaySegment{0x2, 0xA7, "PlaySegment"};
inline constexpr CommandCode CreateSegment{0x2, 0xAC, "CreateSegment"};

// Recorder/player side, file rename and the SCSI disks (group 3).
inline constexpr CommandCode RecorderPlayerSelect{0x3, 0x10, "RecorderPlayerSelect"};
inline constexpr CommandCode RenameFile{0x3, 0x11, "RenameFile"};
inline constexpr CommandCode DiskCommand{0x3, 0x21, "DiskCommand"};
inline constexpr CommandCode DiskScanAll{0x3, 0x22, "DiskScanAll"};
inline constexpr CommandCode DiskFormat{0x3, 0x23, "DiskFormat"};
inline constexpr CommandCode DiskInquiry{0x3, 0x24, "DiskInquiry"};
inline constexpr CommandCode DiskApply{0x3, 0x25, "DiskApply"};

// Presets and selections (group 4).
inline constexpr CommandCode InEntry{0x4, 0x10, "InEntry"};
inline constexpr CommandCode OutEntry{0x4, 0x11, "OutEntry"};
inline constexpr CommandCode LoadClip{0x4, 0x14, "LoadClip"};
inline constexpr CommandCode EditPreset{0x4, 0x30, "EditPreset"};
inline constexpr CommandCode TimerModeSelect{0x4, 0x36, "TimerModeSelect"};
inline constexpr CommandCode TimecodePreset{0x4, 0x78, "TimecodePreset"};
inline constexpr CommandCode PlaylistStart{0x4, 0x96, "PlaylistStart"};
inline constexpr CommandCode EventPairPreset{0x4, 0x97, "EventPairPreset"};
inline constexpr CommandCode DeleteSegment{0x4, 0x9B, "DeleteSegment"};
inline constexpr CommandCode AckEventChange{0x4, 0x9E, "AckEventChange"};
inline constexpr CommandCode AckPlaylistChange{0x4, 0xA0, "AckPlaylistChange"};
inline constexpr CommandCode SetDiskName{0x4, 0xA1, "SetDiskName"};
inline constexpr CommandCode SetupPageWrite{0x4, 0xC0, "SetupPageWrite"};
inline constexpr CommandCode SetupPageApply{0x4, 0xC1, "SetupPageApply"};
// Sent ahead of every setup page read; the recorder's answer is not used.
inline constexpr CommandCode SetupPagePrepare{0x4, 0xC3, "SetupPagePrepare"};

// Sense requests (group 6); the recorder answers in group 7.
inline constexpr CommandCode CurrentTimeSense{0x6, 0x0C, "CurrentTimeSense", ReplyRule::Time};
inline constexpr CommandCode StatusSense{0x6, 0x20, "StatusSense"};
inline constexpr CommandCode TimerModeSense{0x6, 0x36, "TimerModeSense"};
inline constexpr CommandCode FrontPanelKey{0x6, 0x95, "FrontPanelKey"};
inline constexpr CommandCode CurrentEventSense{0x6, 0x98, "CurrentEventSense"};
inline constexpr CommandCode SegmentInfoSense{0x6, 0x9A, "SegmentInfoSense"};
inline constexpr CommandCode SegmentSourceSense{0x6, 0x9B, "SegmentSourceSense"};
inline constexpr CommandCode DiskNameSense{0x6, 0xA1, "DiskNameSense"};
inline constexpr CommandCode SegmentSlotsSense{0x6, 0xA6, "SegmentSlotsSense"};
inline constexpr CommandCode AudioLevelSense{0x6, 0xAC, "AudioLevelSense"};
inline constexpr CommandCode VersionSense{0x6, 0xB1, "VersionSense"};
// File format, file extent and drop frame share one code; the first data
// byte chooses what the recorder reports.
inline constexpr CommandCode FileInfoSense{0x6, 0xBB, "FileInfoSense"};
inline constexpr CommandCode FileAudioSense{0x6, 0xBC, "FileAudioSense"};
inline constexpr CommandCode StorageSpaceSense{0x6, 0xBD, "StorageSpaceSense"};
inline constexpr CommandCode SetupPageRead{0x6, 0xC0, "SetupPageRead"};
inline constexpr CommandCode CurrentFileSense{0x6, 0xC1, "CurrentFileSense", ReplyRule::SenseOrAck};
inline constexpr CommandCode DiskModeSense{0x6, 0xC3, "DiskModeSense"};
inline constexpr CommandCode DurationSense{0x6, 0xD2, "DurationSense"};

// Files (group 0xA).
inline constexpr CommandCode CreateFile{0xA, 0x02, "CreateFile"};
inline constexpr CommandCode DeleteFile{0xA, 0x10, "DeleteFile"};
inline constexpr CommandCode FileListFirst{0xA, 0x14, "FileListFirst"};
inline constexpr CommandCode FileListNext{0xA, 0x15, "FileListNext"};
inline constexpr CommandCode FileNameQuery{0xA, 0x18, "FileNameQuery"};
// Older firmware answers the free time without the hundreds of hours.
inline constexpr CommandCode AvailableTimeSenseLegacy{0xA, 0x1C, "AvailableTimeSenseLegacy"};
inline constexpr CommandCode AvailableTimeSense{0xA, 0x1D, "AvailableTimeSense"};

} // namespace Cmd

// Every command above, to find the rule of a frame by its first two bytes.
inline constexpr CommandCode kCommandTable[] = {
    Cmd::DeviceTypeRequest,
    Cmd::Stop,
    Cmd::Play,
    Cmd::Record,
    Cmd::FastForward,
    Cmd::ShuttleForward,
    Cmd::FrameStepForward,
    Cmd::Rewind,
    Cmd::ShuttleReverse,
    Cmd::FrameStepReverse,
    Cmd::CueUpWithData,
    Cmd::OptionPlay,
    Cmd::FullEeOff,
    Cmd::FullEeOn,
    Cmd::SelectEeOn,
    Cmd::EditOff,
    Cmd::EditOn,
    Cmd::LtcOff,
    Cmd::LtcOn,
    Cmd::CueUpToFrame,
    Cmd::PlaySegment,
    Cmd::CreateSegment,
    Cmd::RecorderPlayerSelect,
    Cmd::RenameFile,
    Cmd::DiskCommand,
    Cmd::DiskScanAll,
    Cmd::DiskFormat,
    Cmd::DiskInquiry,
    Cmd::DiskApply,
    Cmd::InEntry,
    Cmd::OutEntry,
    Cmd::LoadClip,
    Cmd::EditPreset,
    Cmd::TimerModeSelect,
    Cmd::TimecodePreset,
    Cmd::PlaylistStart,
    Cmd::EventPairPreset,
    Cmd::DeleteSegment,
    Cmd::AckEventChange,
    Cmd::AckPlaylistChange,
    Cmd::SetDiskName,
    Cmd::SetupPageWrite,
    Cmd::SetupPageApply,
    Cmd::SetupPagePrepare,
    Cmd::CurrentTimeSense,
    Cmd::StatusSense,
    Cmd::TimerModeSense,
    Cmd::FrontPanelKey,
    Cmd::CurrentEventSense,
    Cmd::SegmentInfoSense,
    Cmd::SegmentSourceSense,
    Cmd::DiskNameSense,
    Cmd::SegmentSlotsSense,
    Cmd::AudioLevelSense,
    Cmd::VersionSense,
    Cmd::FileInfoSense,
    Cmd::FileAudioSense,
    Cmd::StorageSpaceSense,
    Cmd::SetupPageRead,
    Cmd::CurrentFileSense,
    Cmd::DiskModeSense,
    Cmd::DurationSense,
    Cmd::CreateFile,
    Cmd::DeleteFile,
    Cmd::FileListFirst,
    Cmd::FileListNext,
    Cmd::FileNameQuery,
    Cmd::AvailableTimeSenseLegacy,
    Cmd::AvailableTimeSense,
};

// The command with this group and command byte. A frame the table does not
// hold (one typed into the manual command dialog) takes any reply but
// another command's sense return.
CommandCode FindCommand(quint8 group, quint8 command);

// Whether a frame starting with cmd1 and cmd2 can be the reply to the command.
bool ReplyFits(const CommandCode &sent, quint8 cmd1, quint8 cmd2);
