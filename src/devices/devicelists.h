// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ptrlist.h"

class DeviceLink;
struct DeviceRecord;

// The links to recorders (owned), found by their port id: 0 first serial
// port, 1 second serial port, 2 Ethernet.
extern PtrList LinkList;

// The known recorders (owned), in the order of the "&Connect" menu.
extern PtrList DeviceList;

// The recorder being controlled, or null. The command engine reads it at
// every call; a connection probe points it at the recorder being probed.
extern DeviceRecord *CurrentDevice;

DeviceLink *FindLinkByPortId(quint16 portId);
DeviceRecord *DeviceAt(int index);

// Whether long work with the recorder (a reload of every segment, a disk
// action) has lost it: none is current any more, or the command engine has
// given it up after repeated failures. Nothing more would reach it.
bool RecorderLost();
