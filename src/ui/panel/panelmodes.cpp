// SPDX-License-Identifier: GPL-3.0-or-later
#include "panelmodes.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"

bool AnyPanelMode(const DeviceRecord &device)
{
    return device.optionMenuMode || device.menuMode || device.saveMode || device.delayMenuMode ||
           device.recallMode || device.fileSelectMode;
}

void LeavePanelModes(DeviceRecord &device)
{
    device.optionMenuMode = 0;
    device.menuMode = 0;
    device.saveMode = 0;
    device.delayMenuMode = 0;
    device.recallMode = 0;
    device.fileSelectMode = 0;
    device.fileAction = -1;
    device.panelFileName.fill('\0');
    device.panelFileAvailable = 0;
}

bool CurrentDeviceInPanelMode()
{
    return CurrentDevice && AnyPanelMode(*CurrentDevice);
}

bool RecorderMenuHoldsKeys(const DeviceRecord &device)
{
    return AnyPanelMode(device) && !device.delayMenuMode && !device.fileSelectMode;
}
