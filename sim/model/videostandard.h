// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace xrsim {

// One row of the recorder's table of video standards, indexed by the code
// the recorder reports in its information block, file formats and setup
// page 8. The exact rate is rateNum / rateDen pictures a second.
struct VideoStandard
{
    int code;
    const char *name;
    int rateNum;
    int rateDen;
    int nominalFps;
    bool interlaced;

    // Codes outside the table give the last row, "Undefined".
    static const VideoStandard &ByCode(int code);
    static int Count();

    // A 625-line (50 Hz) system: bit 0 of the device type's high byte.
    bool FiftyHz() const { return nominalFps == 25 || nominalFps == 50; }
    // The recorder counts positions in fields for interlaced pictures.
    int UnitsPerFrame() const { return interlaced ? 2 : 1; }
    double UnitsPerSecond() const { return double(rateNum) / rateDen * UnitsPerFrame(); }
    // Timecode never runs above 30 frames: 50 and 60 picture standards count
    // timecode frames in pairs, the second of a pair marked like a field.
    int TimecodeFps() const { return nominalFps > 30 ? nominalFps / 2 : nominalFps; }
    int UnitsPerTimecodeFrame() const { return interlaced || nominalFps > 30 ? 2 : 1; }
    // Drop-frame numbering only exists for the 29.97 Hz family.
    bool DropFrameCapable() const { return rateDen == 1001 && TimecodeFps() == 30; }
};

} // namespace xrsim
