// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// Files, named by eight zero-padded bytes. Older "DV" firmware keeps no
// files: it refuses these, and its file list answers with '$' names. The
// list, name query and free time replies come in the scenario's file reply
// group (the sense return group 7 unless told otherwise).
// Makes the file if it is new and loads it on the recorder side, to record
// into.
Frame CreateFile(RecorderModel &model, const Frame &frame);
// Renames the selected side's loaded file; its segments follow it.
Frame RenameFile(RecorderModel &model, const Frame &frame);
// Loads a file on the selected side and cues to its first frame.
Frame LoadClip(RecorderModel &model, const Frame &frame);
Frame DeleteFile(RecorderModel &model, const Frame &frame);
// Data byte 0 is 1 when a file of that name exists.
Frame FileNameQuery(RecorderModel &model, const Frame &frame);
// The first name, or 0x94 for an empty list.
Frame FileListFirst(RecorderModel &model, const Frame &frame);
// The next name (data 0xFF: the one before); 0x94 past the end, or the
// first name again when the scenario's list never ends.
Frame FileListNext(RecorderModel &model, const Frame &frame);
// The selected side's loaded file; data byte 0x11 when none is loaded.
Frame CurrentFileSense(RecorderModel &model, const Frame &frame);
// The free recording time: frames, seconds, minutes, hours (BCD); 0x1D adds
// the hundreds of hours. Older firmware knows only 0x1C, newer only 0x1D.
Frame AvailableTimeSense(RecorderModel &model, const Frame &frame);
// Data 0x01 + name: format (standard, Mb/s, 0, GOP); 0x02 + name: extent
// (first and last frame, big-endian); 0x40: drop frame.
Frame FileInfoSense(RecorderModel &model, const Frame &frame);
Frame FileAudioSense(RecorderModel &model, const Frame &frame);
// Data 0x06: free and total megabytes, big-endian.
Frame StorageSpaceSense(RecorderModel &model, const Frame &frame);
// Data 0x00: all material; 0x01: the loaded file. Seconds, minutes and hours
// in BCD after the echoed data byte.
Frame DurationSense(RecorderModel &model, const Frame &frame);

} // namespace xrsim
