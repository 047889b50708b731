// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandcodes.h"

#include <algorithm>
#include <iterator>

namespace {

bool IsTimeDataCode(quint8 code)
{
    return std::find(std::begin(kTimeDataCodes), std::end(kTimeDataCodes), code) !=
           std::end(kTimeDataCodes);
}

bool AnsweredBySenseReturn(ReplyRule rule)
{
    return rule == ReplyRule::Sense || rule == ReplyRule::SenseOrAck || rule == ReplyRule::Time;
}

// Whether a sense return with this command byte answers one of the sense
// requests of the table.
bool ClaimedBySense(quint8 code)
{
    return std::any_of(std::begin(kCommandTable), std::end(kCommandTable),
                       [code](const CommandCode &command) {
                           return AnsweredBySenseReturn(command.reply) &&
                                  (command.command == code ||
                                   (command.reply == ReplyRule::Time && IsTimeDataCode(code)));
                       });
}

// A file command's reply comes in no fixed group. Only a sense return is
// known to belong elsewhere, and only when its command byte is neither the
// file command's own nor the one that ends the file list.
bool FitsOpen(const CommandCode &sent, quint8 group, quint8 code)
{
    if (group != kSenseReturnGroup || code == sent.command || code == kLastFileNameCode)
        return true;
    return !ClaimedBySense(code);
}

} // namespace

CommandCode FindCommand(quint8 group, quint8 command)
{
    const auto found = std::find_if(std::begin(kCommandTable), std::end(kCommandTable),
                                    [group, command](const CommandCode &code) {
                                        return code.group == group && code.command == command;
                                    });
    if (found != std::end(kCommandTable))
        return *found;
    return CommandCode{group, command, nullptr, ReplyRule::Open};
}

bool ReplyFits(const CommandCode &sent, quint8 cmd1, quint8 cmd2)
{
    const quint8 group = cmd1 >> 4;
    if (group == kReturnGroup && cmd2 == kNakCommand)
        return true;
    switch (sent.reply) {
    case ReplyRule::Acknowledge:
        return group == kReturnGroup && cmd2 == kAckCommand;
    case ReplyRule::DeviceType:
        return group == kReturnGroup && cmd2 == sent.command;
    case ReplyRule::Sense:
        return group == kSenseReturnGroup && cmd2 == sent.command;
    case ReplyRule::SenseOrAck:
        return (group == kSenseReturnGroup && cmd2 == sent.command) ||
               (group == kReturnGroup && cmd2 == kAckCommand);
    case ReplyRule::Time:
        return group == kSenseReturnGroup && (cmd2 == sent.command || IsTimeDataCode(cmd2));
    case ReplyRule::Open:
        return FitsOpen(sent, group, cmd2);
    }
    return false;
}
