// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/transport.h"

namespace xrsim {

void Transport::SetRate(double unitsPerSecond, qint64 nowMs)
{
    clock.SetRate(unitsPerSecond, nowMs);
}

void Transport::Update(qint64 nowMs)
{
    if (motion == Motion::Cue && nowMs >= cueDoneMs) {
        StillAt(cueTarget, nowMs);
        cueComplete = true;
    } else if (Speed() < 0 && Position(nowMs) <= 0) {
        StillAt(0, nowMs);
    }
}

void Transport::Stop(qint64 nowMs)
{
    Set(Motion::Stop, 0, nowMs);
}

void Transport::StillAt(double units, qint64 nowMs)
{
    Set(Motion::Still, 0, nowMs);
    clock.Jump(units, nowMs);
}

void Transport::Play(qint64 nowMs, bool option)
{
    Set(Motion::Play, 1, nowMs);
    optionPlay = option;
}

void Transport::Record(qint64 nowMs)
{
    Set(Motion::Record, 1, nowMs);
}

void Transport::Move(Motion motion, double speed, qint64 nowMs)
{
    Set(motion, speed, nowMs);
}

void Transport::Step(double units, qint64 nowMs)
{
    const double from = Position(nowMs);
    Set(Motion::Jog, 0, nowMs);
    clock.Jump(qMax(from + units, 0.0), nowMs);
}

void Transport::Cue(double target, qint64 nowMs, qint64 doneMs)
{
    Set(Motion::Cue, 0, nowMs);
    cueTarget = qMax(target, 0.0);
    cueDoneMs = doneMs;
}

void Transport::JumpTo(double units, qint64 nowMs)
{
    clock.Jump(units, nowMs);
}

void Transport::Set(Motion motion, double speed, qint64 nowMs)
{
    clock.SetSpeed(speed, nowMs);
    this->motion = motion;
    cueComplete = false;
    optionPlay = false;
}

} // namespace xrsim
