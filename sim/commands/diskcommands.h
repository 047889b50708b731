// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// SCSI disk maintenance. Bus (1 or 2) and ID (0-15) travel as one byte
// each. Scans, formats, mode page reads and mode changes are refused until
// maintenance has been entered (data 1) and after it was left (data 0).
Frame DiskCommand(RecorderModel &model, const Frame &frame);
Frame DiskScanAll(RecorderModel &model, const Frame &frame);
Frame DiskFormat(RecorderModel &model, const Frame &frame);
Frame DiskInquiry(RecorderModel &model, const Frame &frame);
// Bus, ID and the mode page code 0x0F, 0x1F or 0x2F.
Frame DiskApply(RecorderModel &model, const Frame &frame);
// 0x0D no disk, 0x1D ready, 0xFF needs formatting; then the mode page code
// once an inquiry has read it, else 0.
Frame DiskModeSense(RecorderModel &model, const Frame &frame);
// Entry 0-5 of the disk table: capacity (MB), a zero number, bus, ID,
// present flag, mode; all zero past the last disk.
Frame DiskTableSense(RecorderModel &model, const Frame &frame);

} // namespace xrsim
