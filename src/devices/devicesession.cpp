// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicesession.h"

#include "deviceregistry.h"

DeviceSession::~DeviceSession()
{
    Close();
}

DeviceRecord *DeviceSession::Open(ConnectMenu *menu, const QString &first)
{
    open = true;
    return OpenDevices(menu, first);
}

bool DeviceSession::Save()
{
    return open && SaveDeviceList();
}

void DeviceSession::Close()
{
    if (!open)
        return;
    open = false;
    DestroyDeviceList();
    DestroyLinkList();
}
