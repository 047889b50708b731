// SPDX-License-Identifier: GPL-3.0-or-later
#include "refusal.h"

#include <cstddef>
#include <iterator>

namespace {

struct RefusalText
{
    Refusal refusal;
    const char *code;
    const char *message;
};

// In the order of the enumeration: a refusal's text is found by its value.
constexpr RefusalText kTexts[] = {
    {Refusal::None, "ok", "done"},
    {Refusal::NoRecorder, "no-recorder", "no recorder is being controlled"},
    {Refusal::DelayMode, "delay-mode", "Delay mode holds the side the panel drives"},
    {Refusal::PanelMode, "panel-mode",
     "the recorder's menu, Save, Recall or the file browser holds the panel keys"},
    {Refusal::LongWork, "long-work", "long work or a dialog holds the window"},
    {Refusal::NoAnswer, "no-answer", "the recorder did not answer"},
    {Refusal::NotFound, "not-found", "no such item"},
    {Refusal::Unavailable, "unavailable", "the recorder cannot do that"},
    {Refusal::BadValue, "bad-value", "a parameter is missing, of the wrong type or out of range"},
    {Refusal::NotConfirmed, "not-confirmed",
     "recording needs \"confirm\": true unless the operator allowed remote recording"},
    {Refusal::ReadOnly, "read-only", "this client may watch but not command"},
    {Refusal::Busy, "busy", "too many commands are waiting; try again"},
    {Refusal::UnknownMethod, "unknown-method", "no such method"},
    {Refusal::BadRequest, "bad-request", "the message is not a request"},
};

constexpr bool InEnumerationOrder()
{
    for (std::size_t index = 0; index < std::size(kTexts); ++index) {
        if (static_cast<std::size_t>(kTexts[index].refusal) != index)
            return false;
    }
    return true;
}
static_assert(InEnumerationOrder(), "kTexts must follow the enumeration");

const RefusalText &TextOf(Refusal refusal)
{
    const auto index = static_cast<std::size_t>(refusal);
    return index < std::size(kTexts) ? kTexts[index] : kTexts[0];
}

} // namespace

QString RefusalCode(Refusal refusal)
{
    return QLatin1String(TextOf(refusal).code);
}

QString RefusalMessage(Refusal refusal)
{
    return QLatin1String(TextOf(refusal).message);
}

QList<Refusal> AllRefusals()
{
    QList<Refusal> all;
    for (const RefusalText &text : kTexts) {
        if (text.refusal != Refusal::None)
            all << text.refusal;
    }
    return all;
}
