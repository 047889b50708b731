// SPDX-License-Identifier: GPL-3.0-or-later
#include "connectionselection.h"

#include "connectmenu.h"
#include "devicelists.h"
#include "devicerecord.h"
#include "deviceregistry.h"
#include "protocol/recorderinfo.h"
#include "protocol/recorderstate.h"
#include "protocol/setupcommands.h"

namespace {

// The serial port of a recorder that was left is released for other programs;
// the Ethernet link stays open, it serves every networked recorder.
void ReleaseLeftDevice(DeviceRecord *previous)
{
    if (previous && previous != CurrentDevice && IsSerialDeviceName(previous->name))
        previous->link->Close();
}

} // namespace

bool DelayModeHoldsDevice()
{
    if (!CurrentDevice)
        return false;
    return (CurrentDevice->delayPlayPending && recPlayMode == kPlayerSide) ||
           (CurrentDevice->delayRecording && recPlayMode == kRecorderSide);
}

void SelectControl(int id, ConnectMenu &menu, SelectionPanel &panel)
{
    if (DelayModeHoldsDevice() || id <= ConnectMenu::kRemoveMenuId)
        return;
    const QString name = menu.XRMenuText(id);
    if (name.isEmpty())
        return;

    DeviceRecord *const previous = CurrentDevice;
    const bool answered = SelectDeviceByName(name) != nullptr;
    if (!CurrentDevice)
        return;
    // A recorder that did not answer leaves the previous one current, and the
    // rest runs again for that one; only the check mark stays where it was,
    // on the recorder actually in use.
    RecorderInfoRead();
    ReleaseLeftDevice(previous);
    if (answered)
        menu.CheckXRMenuItem(id);
    DetectDeviceKind(panel);
    panel.ShowDiskInformation();
    panel.ResetForNewDevice();
}

void DetectDeviceKind(SelectionPanel &panel)
{
    if (!CurrentDevice)
        return;
    QString version;
    VersionSense(version);
    versionText = version;
    if (VersionNeedsPanelCheck(versionText))
        panel.SendVersionKey(); // the panel's version check sets legacyFirmware
    else
        legacyFirmware = 0;
    pelletDevice = VersionIsPellet(versionText) ? 1 : 0;
}

// Recorders whose version text starts with "DV" (any case) are of the
// generation that may run an older firmware; the panel's version key tells.
bool VersionNeedsPanelCheck(const QString &version)
{
    return version.size() >= 2 && version.at(0).toUpper() == QLatin1Char('D') &&
           version.at(1).toUpper() == QLatin1Char('V');
}

bool VersionIsPellet(const QString &version)
{
    return version.contains(QLatin1String("PELLET"), Qt::CaseSensitive);
}
