// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// Group 2: the transport of the selected side. While the recorder is under
// local control these are refused.
Frame Stop(RecorderModel &model, const Frame &frame);
Frame Play(RecorderModel &model, const Frame &frame);
Frame Record(RecorderModel &model, const Frame &frame);
Frame FastForward(RecorderModel &model, const Frame &frame);
Frame Rewind(RecorderModel &model, const Frame &frame);
Frame FrameStepForward(RecorderModel &model, const Frame &frame);
Frame FrameStepReverse(RecorderModel &model, const Frame &frame);
// One speed byte: shuttle; two bytes: variable (fine) speed.
Frame ShuttleForward(RecorderModel &model, const Frame &frame);
Frame ShuttleReverse(RecorderModel &model, const Frame &frame);
// Plays the recorder's playlist from its first segment when there is one.
Frame OptionPlay(RecorderModel &model, const Frame &frame);
// Four time bytes (a fifth is allowed): timecode, or the timer while the
// recorder shows the timer.
Frame CueUpWithData(RecorderModel &model, const Frame &frame);
Frame CueUpToFrame(RecorderModel &model, const Frame &frame);
// Edit on while the recorder side plays starts recording (a punch-in);
// edit off goes back to play.
Frame EditOn(RecorderModel &model, const Frame &frame);
Frame EditOff(RecorderModel &model, const Frame &frame);
Frame FullEeOn(RecorderModel &model, const Frame &frame);
Frame FullEeOff(RecorderModel &model, const Frame &frame);
Frame SelectEeOn(RecorderModel &model, const Frame &frame);
Frame LtcOn(RecorderModel &model, const Frame &frame);
Frame LtcOff(RecorderModel &model, const Frame &frame);

} // namespace xrsim
