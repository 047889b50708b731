// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct DeviceRecord;

// The panel modes of a recorder: its own menu is open (with or without the
// Option key), the Save or Recall key was pressed, the Delay mode entry is
// shown, or the file browser is up. While any is set, the keys drive that
// mode and the polling leaves the display to it.
bool AnyPanelMode(const DeviceRecord &device);

// Leaves every panel mode: the six flags are cleared, the file name the
// browser or Save held is forgotten and Enter in the file browser goes back
// to creating a file.
void LeavePanelModes(DeviceRecord &device);

// Whether the current recorder, if any, is in a panel mode.
bool CurrentDeviceInPanelMode();

// Whether the recorder's own menu, Save or Recall holds the keys: a panel
// mode other than the Delay entry and the file browser, which the panel
// serves itself. The keypad's keys then go to the recorder.
bool RecorderMenuHoldsKeys(const DeviceRecord &device);

// The lower line of the Delay entry while Delay mode is off, and the delay
// an entry starts from.
inline constexpr char kDelayOff[] = "Off";
inline constexpr char kZeroTime[] = "00:00:00:00";
