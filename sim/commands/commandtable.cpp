#include "commands/commandtable.h"

#include "commands/systemcommands.h"
#include "wire/reply.h"

#include <iterator>

namespace xrsim {

namespace {

// Every command the recorder understands, by group and code.
const Command kCommands[] = {
    {group::System, 0x11, "DeviceTypeRequest", deviceTypeRequest},

    {group::Transport, 0x00, "Stop", acknowledge},
    {group::Transport, 0x01, "Play", acknowledge},
    {group::Transport, 0x02, "Record", acknowledge},
    {group::Transport, 0x10, "FastForward", acknowledge},
    {group::Transport, 0x13, "ShuttleForward", acknowledge},
    {group::Transport, 0x14, "FrameStepForward", acknowledge},
    {group::Transport, 0x20, "Rewind", acknowledge},
    {group::Transport, 0x23, "ShuttleReverse", acknowledge},
    {group::Transport, 0x24, "FrameStepReverse", acknowledge},
    {group::Transport, 0x31, "CueUpWithData", acknowledge},
    {group::Transport, 0x37, "OptionPlay", acknowledge},
    {group::Transport, 0x60, "FullEeOff", acknowledge},
    {group::Transport, 0x61, "FullEeOn", acknowledge},
    {group::Transport, 0x63, "SelectEeOn", acknowledge},
    {group::Transport, 0x64, "EditOff", acknowledge},
    {group::Transport, 0x65, "EditOn", acknowledge},
    {group::Transport, 0x90, "LtcOff", acknowledge},
    {group::Transport, 0x91, "LtcOn", acknowledge},
    {group::Transport, 0x9D, "CueUpToFrame", acknowledge},

    {group::Preset, 0x10, "InEntry", acknowledge},
    {group::Preset, 0x11, "OutEntry", acknowledge},
    {group::Preset, 0x30, "EditPreset", acknowledge},
    {group::Preset, 0x36, "TimerModeSelect", acknowledge},
    {group::Preset, 0x78, "TimecodePreset", acknowledge},
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
