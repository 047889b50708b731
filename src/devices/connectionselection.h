// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class ConnectMenu;
class SelectionPanel;

// Choosing the recorder to control from the "&Connect" menu. The main
// window's SelectControl(int) slot calls SelectControl below with the menu id
// of the chosen entry, passing itself as menu and panel.
//
// For that id's recorder: probes it and makes it current when it answers
// (otherwise the previous recorder stays current and the rest runs for that
// one); reads its recorder information; closes the serial port of a COM
// recorder that is no longer current; moves the check mark to the id; finds
// out the kind of recorder (DetectDeviceKind); then lets the panel show the
// disk line and drop the previous recorder's material.
//
// Nothing happens for ids 1 and 2 (the add and remove entries), for an id the
// menu does not know, while the current recorder is in a Delay mode exchange
// on the chosen channel, or when no recorder is current after the probe.
void SelectControl(int id, ConnectMenu &menu, SelectionPanel &panel);

// Whether the current recorder's Delay mode holds the panel: it waits to play
// back while the player channel is chosen, or records while the recorder
// channel is chosen. A new recorder may not be chosen meanwhile.
bool DelayModeHoldsDevice();

// Finds out which recorder is current from its version text: fills
// versionText, sets legacyFirmware (through the panel's version key for the
// "DV" generation, 0 for any other) and pelletDevice. Runs on CurrentDevice;
// the window's start-up calls it for the recorder AutoConnect found.
void DetectDeviceKind(SelectionPanel &panel);

// The rules DetectDeviceKind applies to a version text.
bool VersionNeedsPanelCheck(const QString &version);
bool VersionIsPellet(const QString &version);
