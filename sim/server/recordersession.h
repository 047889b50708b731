// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "server/replyrules.h"

#include <QByteArray>

namespace xrsim {

class FaultInjector;
class FrameLog;
class RecorderModel;

// Turns one received 9-pin frame into the recorder's reply: logs it, checks
// its checksum, looks for a reply forced by a test, and otherwise runs the
// command on the model. Shared by the UDP and the serial front ends.
class RecorderSession
{
public:
    RecorderSession(RecorderModel &model, FrameLog &log, FaultInjector &faults);

    // The bare reply frame to a complete bare frame; empty when the
    // recorder answers nothing (a silent recorder of the scenario). A frame
    // with a wrong checksum is NAKed with the checksum error code, as a
    // 9-pin device does; an unknown command is NAKed as unknown.
    QByteArray Answer(const QByteArray &frame);
    // The block that answers a block request (type 3), empty for a request
    // the recorder does not know.
    QByteArray AnswerBlock(quint16 requestCode);

private:
    RecorderModel &model;
    FrameLog &log;
    FaultInjector &faults;
    ReplyRules rules;
};

} // namespace xrsim
