// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/panelcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {
constexpr quint8 kPanelKeyCode = 0x95;
} // namespace

Frame FrontPanelKey(RecorderModel &model, const Frame &frame)
{
    if (frame.Count() != 1)
        return Refuse();
    const auto display = model.Panel().Press(model, frame.Byte(0));
    if (!display)
        return reply::Nak(NakCode::UnknownCommand);
    return reply::Sense(kPanelKeyCode, *display);
}

} // namespace xrsim
