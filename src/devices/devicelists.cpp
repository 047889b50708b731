// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicelists.h"

#include "devicerecord.h"

PtrList LinkList;
PtrList DeviceList;
DeviceRecord *CurrentDevice = nullptr;

DeviceLink *FindLinkByPortId(quint16 portId)
{
    auto samePort = [](void *value, void *context) {
        return static_cast<DeviceLink *>(value)->portId == *static_cast<quint16 *>(context);
    };
    return static_cast<DeviceLink *>(LinkList.FindFirst(samePort, &portId));
}

DeviceRecord *DeviceAt(int index)
{
    return DeviceList.At<DeviceRecord>(index);
}

bool RecorderLost()
{
    return !CurrentDevice || CurrentDevice->disconnected;
}
