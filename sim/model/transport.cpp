#include "model/transport.h"

namespace xrsim {

void Transport::setRate(double unitsPerSecond, qint64 nowMs)
{
    m_clock.setRate(unitsPerSecond, nowMs);
}

void Transport::update(qint64 nowMs)
{
    if (m_motion == Motion::Cue && nowMs >= m_cueDoneMs) {
        stillAt(m_cueTarget, nowMs);
        m_cueComplete = true;
    } else if (speed() < 0 && position(nowMs) <= 0) {
        stillAt(0, nowMs);
    }
}

void Transport::stop(qint64 nowMs)
{
    set(Motion::Stop, 0, nowMs);
}

void Transport::stillAt(double units, qint64 nowMs)
{
    set(Motion::Still, 0, nowMs);
    m_clock.jump(units, nowMs);
}

void Transport::play(qint64 nowMs, bool option)
{
    set(Motion::Play, 1, nowMs);
    m_optionPlay = option;
}

void Transport::record(qint64 nowMs)
{
    set(Motion::Record, 1, nowMs);
}

void Transport::move(Motion motion, double speed, qint64 nowMs)
{
    set(motion, speed, nowMs);
}

void Transport::step(double units, qint64 nowMs)
{
    const double from = position(nowMs);
    set(Motion::Jog, 0, nowMs);
    m_clock.jump(qMax(from + units, 0.0), nowMs);
}

void Transport::cue(double target, qint64 nowMs, qint64 doneMs)
{
    set(Motion::Cue, 0, nowMs);
    m_cueTarget = qMax(target, 0.0);
    m_cueDoneMs = doneMs;
}

void Transport::jumpTo(double units, qint64 nowMs)
{
    m_clock.jump(units, nowMs);
}

void Transport::set(Motion motion, double speed, qint64 nowMs)
{
    m_clock.setSpeed(speed, nowMs);
    m_motion = motion;
    m_cueComplete = false;
    m_optionPlay = false;
}

} // namespace xrsim
