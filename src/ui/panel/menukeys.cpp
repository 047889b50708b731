// SPDX-License-Identifier: GPL-3.0-or-later
#include "menukeys.h"

#include "devices/devicerecord.h"
#include "keypad.h"
#include "paneldisplay.h"
#include "panelkeycodes.h"
#include "panelmodes.h"
#include "protocol/recorderstate.h"
#include "protocol/setupcommands.h"
#include "protocol/transportcommands.h"
#include "shiftwatch.h"
#include "transportkeys.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QShortcut>

namespace {

using M = MenuKeys;
constexpr Trigger kPressed = Trigger::Pressed;
constexpr Trigger kClicked = Trigger::Clicked;

const KeyEntry<MenuKeys> kKeys[] = {
    {&M::pbEnter, "pbEnter", "Enter.png", "Enter", "Return", kPressed, &M::OnPbEnter},
    {&M::pbEsc, "pbEsc", "Esc.png", "Esc", "Esc", kPressed, &M::OnPbEscClicked},
    {&M::pbMenuUp, "pbMenuUp", "Up.png", "Menu up", "Up", kClicked, &M::MenuUp},
    {&M::pbMenuDown, "pbMenuDown", "Down.png", "Menu down", "Down", kClicked, &M::MenuDown},
    {&M::pbToggle, "pbToggle", "Toggle.png", "Toggle", "T", kClicked, &M::OnToggle},
    {&M::pbmoinsmoins, "pbmoinsmoins", "moinsmoins.png", "Minus", "-", kClicked, &M::DoMinus},
    {&M::pbPlusPlus, "pbPlusPlus", "plusplus.png", "Plus", "+", kClicked, &M::DoPlusPlus},
    {&M::pbSav, "pbSav", "Save.png", "Save", "Shift+S", kPressed, &M::pbSav_pressed},
    {&M::pbRecall, "pbRecall", "Recall.png", "Recall", "Shift+R", kPressed, &M::OnPbRecallPressed},
};

// The keyboard's way to arm Delay mode: Esc with Shift held.
const char kArmDelayKey[] = "Shift+Esc";

} // namespace

MenuKeys::MenuKeys(RecorderSession &session, PanelDisplay &display, TransportKeys &transport,
                   SpeedControl &speed, Keypad &keypad, QWidget *parent)
    : QGroupBox(parent), session(session), display(display), transport(transport), speed(speed),
      keypad(keypad), shift(new ShiftWatch(this))
{
    setObjectName(QStringLiteral("groupBox4"));
    setProperty("keyGroup", true);
    BuildKeys(*this, this, kKeys);
    textLabel1 = NewLabel(this, "textLabel1");
    textLabel1_4 = NewLabel(this, "textLabel1_4");
    LayOut();
    auto *armDelay = new QShortcut(QKeySequence(QLatin1String(kArmDelayKey)), this);
    connect(armDelay, &QShortcut::activated, this, &MenuKeys::OnPbEscClicked);
    connect(shift, &ShiftWatch::PlainKeyPressed, this, &MenuKeys::MakeEscPlain);
}

std::vector<KeyInfo> MenuKeys::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Control);
}

void MenuKeys::languageChange()
{
    textLabel1->setText(QStringLiteral("Menu"));
    textLabel1_4->setText(QStringLiteral("Chase"));
}

// Laid out as a cross: Up and Down around Toggle, the minus and plus keys
// beside it, Recall and Save above, Esc and Enter below.
void MenuKeys::LayOut()
{
    auto *grid = new QGridLayout(this);
    grid->setSpacing(4);
    grid->addWidget(textLabel1, 0, 0, 1, 2);
    grid->addWidget(textLabel1_4, 0, 2, Qt::AlignRight);
    QPushButton *const keys[3][3] = {{pbRecall, pbMenuUp, pbSav},
                                     {pbmoinsmoins, pbToggle, pbPlusPlus},
                                     {pbEsc, pbMenuDown, pbEnter}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            grid->addWidget(keys[row][column], row + 1, column);
    }
}

// Opens the recorder's settings menu, or with Option its options menu, and
// shows its title.
void MenuKeys::DoMenu()
{
    DeviceRecord *device = session.Device();
    if (!device || device->menuMode || device->optionMenuMode)
        return;
    session.LeavePanelModes();
    if (session.OptionOn()) {
        device->optionMenuMode = 1;
        session.SendPanelKey(kOptionMenuKey);
    } else {
        device->menuMode = 1;
        session.SendPanelKey(kMenuKey);
    }
    session.SendPanelKey(kRefreshKey);
    session.SwitchModifiersOff();
}

void MenuKeys::MenuUp()
{
    StepMenu(kUpKey);
}

void MenuKeys::MenuDown()
{
    StepMenu(kDownKey);
}

// With Delay mode armed Up and Down show its entry; otherwise the first
// opens the recorder's menu and the next step through it.
void MenuKeys::StepMenu(quint8 key)
{
    DeviceRecord *device = session.Device();
    if (!device)
        return;
    if (pbEsc->isCheckable()) {
        ShowDelayEntry(*device);
        return;
    }
    if (!device->menuMode && !device->optionMenuMode) {
        DoMenu();
        session.SwitchModifiersOff();
        return;
    }
    if (!device->delayMenuMode) {
        session.SendPanelKey(key);
        session.SendPanelKey(kRefreshKey);
        session.SwitchModifiersOff();
    }
    session.ResetTimecodeEntry();
}

// In the recorder's menus Toggle readies a change of the entry shown and
// sends the change itself, down with Option and up without. In the Delay
// entry it switches the delay on or off, or starts typing a new one.
void MenuKeys::OnToggle()
{
    DeviceRecord *device = session.Device();
    if (!device || !AnyPanelMode(*device))
        return;
    if (device->delayMenuMode) {
        EditDelayEntry(*device);
    } else {
        const bool option = session.OptionOn();
        session.SendPanelKey(kToggleKey);
        if (device->optionMenuMode && legacyFirmware == 0)
            session.SendPanelKey(option ? kLegacyMinusKey : kLegacyPlusKey);
        else if (AnyPanelMode(*device))
            session.SendPanelKey(option ? kMinusKey : kPlusKey);
    }
    transport.pbLock->setChecked(false);
}

void MenuKeys::DoMinus()
{
    StepFrameOrValue(false);
}

void MenuKeys::DoPlusPlus()
{
    StepFrameOrValue(true);
}

// In the options menu the keys change the value shown, in Recall they step
// through the segments; otherwise they step the recorder a frame, unless
// Delay mode holds the side. Minus alone keeps still in the other modes.
void MenuKeys::StepFrameOrValue(bool forward)
{
    DeviceRecord *device = session.Device();
    if (!device)
        return;
    if (device->optionMenuMode) {
        if (legacyFirmware == 0)
            session.SendPanelKey(forward ? kPlusKey : kMinusKey);
        else
            session.SendPanelKey(forward ? kLegacyPlusKey : kLegacyMinusKey);
    } else if (device->recallMode) {
        session.SendPanelKey(forward ? kUpKey : kDownKey);
        session.SendPanelKey(kRefreshKey);
    } else if (session.DelayModeHolds()) {
        return;
    } else if (forward || !AnyPanelMode(*device)) {
        EndEditModes();
        if (forward)
            FrameStepForward();
        else
            FrameStepReverse();
    }
    session.SwitchModifiersOff();
}

// Esc ends Delay mode when its entry shows "Off", then leaves every panel
// mode. With Shift held it arms Delay mode instead, on a recorder with a
// player side and a free panel.
void MenuKeys::OnPbEscClicked()
{
    DeviceRecord *device = session.Device();
    if (device && device->delayMenuMode && display.lineLCD3->text() == QLatin1String(kDelayOff))
        EndDelayMode(*device);
    if (!shift->ShiftHeld()) {
        if (pbEsc->isChecked())
            MakeEscPlain();
        session.LeavePanelModes();
        session.SwitchModifiersOff();
        session.ResetTimecodeEntry();
        return;
    }
    if (device && PlayerModeAvailable() && !AnyPanelMode(*device))
        pbEsc->setCheckable(true);
    shift->Forget();
}

void MenuKeys::MakeEscPlain()
{
    pbEsc->setChecked(false);
    pbEsc->setCheckable(false);
}

// Enter confirms what the display shows: the recorder's menu or Save, a
// file of the browser, or the delay of Delay mode. Save's Enter makes a
// segment on the recorder, which the segment list then reads in.
void MenuKeys::OnPbEnter()
{
    DeviceRecord *device = session.Device();
    if (!device)
        return;
    if (!AnyPanelMode(*device)) {
        session.SwitchModifiersOff();
        keypad.RestartDigits();
        return;
    }
    if (device->delayMenuMode) {
        StartDelayMode(*device);
        return;
    }
    if (device->fileSelectMode) {
        EnterInFileBrowser(*device);
        return;
    }
    const bool saving = device->saveMode;
    session.SendPanelKey(kEnterKey);
    if (saving) {
        session.DoImport();
        session.LeavePanelModes();
    }
    session.SwitchModifiersOff();
    keypad.RestartDigits();
}
