// SPDX-License-Identifier: GPL-3.0-or-later
// Delay mode: its entry on the display, its start and its end. The playback
// it leaves pending is started by the polling tick (DelayedPlaybackDue).

#include "menukeys.h"

#include "devices/devicerecord.h"
#include "keypad.h"
#include "link/linkstatus.h"
#include "link/timing.h"
#include "paneldisplay.h"
#include "panelmodes.h"
#include "protocol/recorderstate.h"
#include "protocol/setupcommands.h"
#include "protocol/transportcommands.h"
#include "transportkeys.h"
#include "ui/common/recordersession.h"

#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace {

// Delay mode needs byte 1 of setup page 0 set: a recorder that has it clear
// gets it set to 0xFF and the page applied before the recording starts.
constexpr quint8 kDelayPage = 0;
constexpr int kDelayPageReplyByte = 2;
constexpr quint8 kDelayPageValue = 0xFF;

// The recorder's edit preset while Delay mode records.
constexpr quint8 kDelayEditPreset = 0x17;

// A frame lasts 40 ms at 25 frames a second; at 30 (29.97) a second it is
// counted as 33 ms.
constexpr quint64 kFiftyHzFrameMs = 40;
constexpr quint64 kSixtyHzFrameMs = 33;

// Cues the side the panel drives to the start of its material.
void CueToStart()
{
    const std::array<quint8, 5> start{};
    CueUpWithData(int(start.size()), start.data());
    WaitCueUpComplete();
}

} // namespace

// The entry reads "Off" unless Delay mode runs on the side the panel drives.
bool MenuKeys::DelayEntryOff(const DeviceRecord &device) const
{
    return (device.delayRecording == 0 && recPlayMode == kRecorderSide) ||
           (device.delayPlayPending == 0 && recPlayMode == kPlayerSide);
}

QString MenuKeys::DelayText(const DeviceRecord &device) const
{
    return QString::fromLatin1(device.delayText.data());
}

void MenuKeys::ShowDelayEntry(DeviceRecord &device)
{
    device.delayMenuMode = 1;
    session.WriteTimeLine("   Delay mode");
    if (DelayEntryOff(device))
        session.WriteMenuLine(kDelayOff);
    else
        display.lineLCD3->setText(DelayText(device));
}

// While Delay mode runs on the side the panel drives, Toggle switches the
// entry between its delay and "Off" (Esc on "Off" ends it). Otherwise it
// starts a new delay, typed with the digit keys over "00:00:00:00".
void MenuKeys::EditDelayEntry(DeviceRecord &device)
{
    QLineEdit *entry = display.lineLCD3;
    const bool showsTime = entry->text().contains(QLatin1Char(':'));
    if (session.DelayModeHolds()) {
        entry->setText(showsTime ? QString::fromLatin1(kDelayOff) : DelayText(device));
        return;
    }
    keypad.StartDelayEntry();
    if (!pbEsc->isChecked())
        MakeEscPlain();
    entry->setText(QString::fromLatin1(showsTime ? kDelayOff : kZeroTime));
}

std::optional<quint64> MenuKeys::DelayFromText(const QString &text, bool fiftyHz)
{
    static const QRegularExpression entry(
        QStringLiteral("^([0-9]{2}):([0-9]{2}):([0-9]{2}):([0-9]{2})$"));
    const QRegularExpressionMatch match = entry.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto field = [&](int n) { return match.captured(n).toULongLong(); };
    const quint64 seconds = (field(1) * 60 + field(2)) * 60 + field(3);
    return seconds * 1000 + field(4) * (fiftyHz ? kFiftyHzFrameMs : kSixtyHzFrameMs);
}

// Enter on the Delay entry: the player side is cued to the start of the
// material, the recorder side starts recording from its start, and, when
// the player side was chosen, its playback waits for the delay. While Delay
// mode runs, Enter starts nothing: a new start would cue the recording
// side back to zero in the middle of its recording.
void MenuKeys::StartDelayMode(DeviceRecord &device)
{
    if (device.delayRecording)
        return;
    const QString text = display.lineLCD3->text();
    if (text == QLatin1String(kZeroTime) || text == QLatin1String(kDelayOff))
        return;
    const std::optional<quint64> delay = DelayFromText(text, FiftyHzRecorder());
    if (!delay)
        return;
    delayMs = *delay;
    if (legacyFirmware == 0)
        SetDelayPageByte();
    const qint32 chosenSide = recPlayMode;
    transport.pbP_pressed();
    EndEditModes();
    CueToStart();
    EditPreset(kDelayEditPreset);
    editPresetArmed = 1;
    transport.LightRecordKey();
    transport.pbR_pressed();
    CueToStart();
    Record();
    device.delayRecording = 1;
    if (chosenSide == kPlayerSide) {
        device.delayPlayPending = 1;
        delayPlayFired = 0;
        transport.pbP_pressed();
    }
    OnPbEscClicked();
    delayStartMs = NowMs();
    display.lineLCD3->setText(text);
    const QByteArray kept = text.toLatin1().left(int(device.delayText.size()) - 1);
    device.delayText.fill('\0');
    std::copy(kept.begin(), kept.end(), device.delayText.begin());
}

// The page is written back only when it was read whole (the read refuses a
// short one): a page made up of zeros would wipe the recorder's settings.
void MenuKeys::SetDelayPageByte()
{
    SetupPageReply page{};
    if (SetupPageRead(kDelayPage, page) != kStatusOk)
        return;
    if (page[kDelayPageReplyByte] != 0)
        return;
    page[kDelayPageReplyByte] = kDelayPageValue;
    SetupPageWrite(kDelayPage, page.data() + 1, SetupPageSize(kDelayPage));
    SetupPageApply(kDelayPage);
}

// Esc on "Off" ends Delay mode on the side the panel drives: on the
// recorder side both the recording and any pending playback stop, on the
// player side only the playback.
void MenuKeys::EndDelayMode(DeviceRecord &device)
{
    if (recPlayMode == kRecorderSide && device.delayRecording) {
        device.delayRecording = 0;
        device.delayPlayPending = 0;
        delayPlayFired = 0;
        Stop();
        transport.pbP_pressed();
        Stop();
        transport.pbR_pressed();
        OnPbEscClicked();
    } else if (recPlayMode == kPlayerSide && device.delayPlayPending) {
        device.delayPlayPending = 0;
        delayPlayFired = 0;
        Stop();
    }
}

bool MenuKeys::DelayedPlaybackDue(const DeviceRecord &device) const
{
    return device.delayPlayPending == 1 && delayPlayFired == 0 &&
           ElapsedMs(delayStartMs) >= delayMs;
}
