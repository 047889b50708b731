#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// Group 2: the transport of the selected side. While the recorder is under
// local control these are refused.
Frame stop(RecorderModel &model, const Frame &frame);
Frame play(RecorderModel &model, const Frame &frame);
Frame record(RecorderModel &model, const Frame &frame);
Frame fastForward(RecorderModel &model, const Frame &frame);
Frame rewind(RecorderModel &model, const Frame &frame);
Frame frameStepForward(RecorderModel &model, const Frame &frame);
Frame frameStepReverse(RecorderModel &model, const Frame &frame);
// One speed byte: shuttle; two bytes: variable (fine) speed.
Frame shuttleForward(RecorderModel &model, const Frame &frame);
Frame shuttleReverse(RecorderModel &model, const Frame &frame);
// Plays the recorder's playlist from its first segment when there is one.
Frame optionPlay(RecorderModel &model, const Frame &frame);
// Four time bytes (a fifth is allowed): timecode, or the timer while the
// recorder shows the timer.
Frame cueUpWithData(RecorderModel &model, const Frame &frame);
Frame cueUpToFrame(RecorderModel &model, const Frame &frame);
// Edit on while the recorder side plays starts recording (a punch-in);
// edit off goes back to play.
Frame editOn(RecorderModel &model, const Frame &frame);
Frame editOff(RecorderModel &model, const Frame &frame);
Frame fullEeOn(RecorderModel &model, const Frame &frame);
Frame fullEeOff(RecorderModel &model, const Frame &frame);
Frame selectEeOn(RecorderModel &model, const Frame &frame);
Frame ltcOn(RecorderModel &model, const Frame &frame);
Frame ltcOff(RecorderModel &model, const Frame &frame);

} // namespace xrsim
