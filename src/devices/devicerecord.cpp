// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicerecord.h"

DeviceRecord::DeviceRecord(DeviceLink *link, const PeerAddress &address, const QString &name)
    : link(link), address(address), name(name)
{}
