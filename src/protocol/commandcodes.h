#pragma once

#include <QtGlobal>

// Group and command byte of every command the program sends to a recorder.
// The first frame byte is group * 16 + data count, the second the command
// byte. Standard Sony 9-pin codes keep their usual names; the recorder's own
// commands (most of group 0xA, group 2 above 0x80, the setup and disk
// commands) are named after what they do. This is the only place where these
// numbers are written down: every command function sends through one of them.
struct CommandCode
{
    quint8 group;
    quint8 command;
};

namespace Cmd {

// Device identification (group 0: system control).
inline constexpr CommandCode DeviceTypeRequest{0x0, 0x11};

// Transport (group 2).
inline constexpr CommandCode Stop{0x2, 0x00};
inline constexpr CommandCode Play{0x2, 0x01};
inline constexpr CommandCode Record{0x2, 0x02};
inline constexpr CommandCode FastForward{0x2, 0x10};
inline constexpr CommandCode ShuttleForward{0x2, 0x13};
inline constexpr CommandCode FrameStepForward{0x2, 0x14};
inline constexpr CommandCode Rewind{0x2, 0x20};
inline constexpr CommandCode ShuttleReverse{0x2, 0x23};
inline constexpr CommandCode FrameStepReverse{0x2, 0x24};
inline constexpr CommandCode CueUpWithData{0x2, 0x31};
inline constexpr CommandCode OptionPlay{0x2, 0x37};
inline constexpr CommandCode FullEeOff{0x2, 0x60};
inline constexpr CommandCode FullEeOn{0x2, 0x61};
inline constexpr CommandCode SelectEeOn{0x2, 0x63};
inline constexpr CommandCode EditOff{0x2, 0x64};
inline constexpr CommandCode EditOn{0x2, 0x65};
inline constexpr CommandCode LtcOff{0x2, 0x90};
inline constexpr CommandCode LtcOn{0x2, 0x91};
inline constexpr CommandCode CueUpToFrame{0x2, 0x9D};
inline constexpr CommandCode PlaySegment{0x2, 0xA7};
inline constexpr CommandCode CreateSegment{0x2, 0xAC};

// Recorder/player side, file rename and the SCSI disks (group 3).
inline constexpr CommandCode RecorderPlayerSelect{0x3, 0x10};
inline constexpr CommandCode RenameFile{0x3, 0x11};
inline constexpr CommandCode DiskCommand{0x3, 0x21};
inline constexpr CommandCode DiskScanAll{0x3, 0x22};
inline constexpr CommandCode DiskFormat{0x3, 0x23};
inline constexpr CommandCode DiskInquiry{0x3, 0x24};
inline constexpr CommandCode DiskApply{0x3, 0x25};

// Presets and selections (group 4).
inline constexpr CommandCode InEntry{0x4, 0x10};
inline constexpr CommandCode OutEntry{0x4, 0x11};
inline constexpr CommandCode LoadClip{0x4, 0x14};
inline constexpr CommandCode EditPreset{0x4, 0x30};
inline constexpr CommandCode TimerModeSelect{0x4, 0x36};
inline constexpr CommandCode TimecodePreset{0x4, 0x78};
inline constexpr CommandCode PlaylistStart{0x4, 0x96};
inline constexpr CommandCode EventPairPreset{0x4, 0x97};
inline constexpr CommandCode DeleteSegment{0x4, 0x9B};
inline constexpr CommandCode AckEventChange{0x4, 0x9E};
inline constexpr CommandCode AckPlaylistChange{0x4, 0xA0};
inline constexpr CommandCode SetDiskName{0x4, 0xA1};
inline constexpr CommandCode SetupPageWrite{0x4, 0xC0};
inline constexpr CommandCode SetupPageApply{0x4, 0xC1};
// Sent ahead of every setup page read; the recorder's answer is not used.
inline constexpr CommandCode SetupPagePrepare{0x4, 0xC3};

// Sense requests (group 6); the recorder answers in group 7.
inline constexpr CommandCode CurrentTimeSense{0x6, 0x0C};
inline constexpr CommandCode StatusSense{0x6, 0x20};
inline constexpr CommandCode TimerModeSense{0x6, 0x36};
inline constexpr CommandCode FrontPanelKey{0x6, 0x95};
inline constexpr CommandCode CurrentEventSense{0x6, 0x98};
inline constexpr CommandCode SegmentInfoSense{0x6, 0x9A};
inline constexpr CommandCode SegmentSourceSense{0x6, 0x9B};
inline constexpr CommandCode DiskNameSense{0x6, 0xA1};
inline constexpr CommandCode SegmentSlotsSense{0x6, 0xA6};
inline constexpr CommandCode AudioLevelSense{0x6, 0xAC};
inline constexpr CommandCode VersionSense{0x6, 0xB1};
// File format, file extent and drop frame share one code; the first data
// byte chooses what the recorder reports.
inline constexpr CommandCode FileInfoSense{0x6, 0xBB};
inline constexpr CommandCode FileAudioSense{0x6, 0xBC};
inline constexpr CommandCode StorageSpaceSense{0x6, 0xBD};
inline constexpr CommandCode SetupPageRead{0x6, 0xC0};
inline constexpr CommandCode CurrentFileSense{0x6, 0xC1};
inline constexpr CommandCode DiskModeSense{0x6, 0xC3};
inline constexpr CommandCode DurationSense{0x6, 0xD2};

// Files (group 0xA).
inline constexpr CommandCode CreateFile{0xA, 0x02};
inline constexpr CommandCode DeleteFile{0xA, 0x10};
inline constexpr CommandCode FileListFirst{0xA, 0x14};
inline constexpr CommandCode FileListNext{0xA, 0x15};
inline constexpr CommandCode FileNameQuery{0xA, 0x18};
// Older firmware answers the free time without the hundreds of hours.
inline constexpr CommandCode AvailableTimeSenseLegacy{0xA, 0x1C};
inline constexpr CommandCode AvailableTimeSense{0xA, 0x1D};

} // namespace Cmd
