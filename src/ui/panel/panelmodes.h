#pragma once

struct DeviceRecord;

// The panel modes of a recorder: its own menu is open (with or without the
// Option key), the Save or Recall key was pressed, the Delay mode entry is
// shown, or the file browser is up. While any is set, the keys drive that
// mode and the polling leaves the display to it.
bool AnyPanelMode(const DeviceRecord &device);

// Leaves every panel mode: the six flags are cleared and Enter in the file
// browser goes back to creating a file.
void LeavePanelModes(DeviceRecord &device);

// Whether the current recorder, if any, is in a panel mode.
bool CurrentDeviceInPanelMode();
