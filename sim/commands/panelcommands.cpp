#include "commands/panelcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {
constexpr quint8 PanelKeyCode = 0x95;
} // namespace

Frame frontPanelKey(RecorderModel &model, const Frame &frame)
{
    if (frame.count() != 1)
        return refuse();
    const auto display = model.panel().press(model, frame.byte(0));
    if (!display)
        return reply::nak(NakCode::UnknownCommand);
    return reply::sense(PanelKeyCode, *display);
}

} // namespace xrsim
