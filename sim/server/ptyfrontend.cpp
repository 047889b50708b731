// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/ptyfrontend.h"

#include "server/faultinjector.h"
#include "server/recordersession.h"
#include "server/serialline.h"
#include "server/serialtransmitter.h"
#include "server/simlog.h"
#include "server/truthlog.h"
#include "wire/frame.h"
#include "wire/reply.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace xrsim {

namespace {
QString SystemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}
} // namespace

PtyFrontEnd::PtyFrontEnd(RecorderSession &session, FaultInjector &faults, TruthLog &truth,
                         QObject *parent)
    : QObject(parent), session(session), faults(faults), truth(truth), partialTimer(this)
{
    partialTimer.setSingleShot(true);
    partialTimer.setInterval(kPartialFrameTimeoutMs);
    connect(&partialTimer, &QTimer::timeout, this, &PtyFrontEnd::AbandonPartialFrame);
}

PtyFrontEnd::~PtyFrontEnd()
{
    transmitter.reset();
    delete notifier;
    if (slave >= 0)
        ::close(slave);
    if (master >= 0)
        ::close(master);
}

bool PtyFrontEnd::Open(QString *error)
{
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        *error = SystemError("cannot create a pseudo-terminal");
        return false;
    }
    slavePath = QString::fromLocal8Bit(ptsname(master));
    // The recorder keeps the slave open itself, so that the master never
    // reads a hang-up while no client has the port open.
    slave = ::open(ptsname(master), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        *error = SystemError("cannot open the pseudo-terminal's slave");
        return false;
    }
    if (!ConfigureLine(error))
        return false;
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    transmitter = std::make_unique<SerialTransmitter>(master);
    notifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &PtyFrontEnd::ReadAvailable);
    return true;
}

bool PtyFrontEnd::ConfigureLine(QString *error)
{
    // Frames are binary: no echo, no line editing, no newline translation.
    termios line{};
    if (tcgetattr(slave, &line) != 0) {
        *error = SystemError("cannot read the line settings");
        return false;
    }
    cfmakeraw(&line);
    cfsetispeed(&line, B38400);
    cfsetospeed(&line, B38400);
    line.c_cflag |= PARENB | PARODD;
    if (tcsetattr(slave, TCSANOW, &line) != 0) {
        *error = SystemError("cannot set the line settings");
        return false;
    }
    return true;
}

// The client's bytes reach the pseudo-terminal at once; on the wire each
// takes a byte time after the one before it.
void PtyFrontEnd::ReadAvailable()
{
    char buffer[256];
    ssize_t count = 0;
    while ((count = ::read(master, buffer, sizeof buffer)) > 0) {
        const qint64 now = LineNowNs();
        for (ssize_t i = 0; i < count; ++i) {
            lineFreeNs = std::max(lineFreeNs, now) + SerialLine::kByteNs;
            arrivalNs.push_back(lineFreeNs);
        }
        pending.append(buffer, int(count));
    }
    TakeFrames();
}

// A frame is answered as soon as its bytes are read; its answer starts on
// the line the turnaround after the frame's last byte is in.
void PtyFrontEnd::TakeFrames()
{
    while (!pending.isEmpty()) {
        const int length = Frame::LengthFor(quint8(pending.at(0)));
        if (pending.size() < length) {
            partialTimer.start();
            return;
        }
        const QByteArray frame = pending.left(length);
        const qint64 inNs = arrivalNs[size_t(length) - 1];
        pending.remove(0, length);
        arrivalNs.erase(arrivalNs.begin(), arrivalNs.begin() + length);
        const QByteArray answer = session.Answer(frame);
        const quint32 truthNumber = truth.Answered(frame, answer, inNs);
        if (!answer.isEmpty())
            Reply(answer, inNs + SerialLine::kTurnaroundNs, truthNumber);
    }
    partialTimer.stop();
}

void PtyFrontEnd::AbandonPartialFrame()
{
    // A 9-pin device that waits in vain for the rest of a frame drops what
    // it has and answers with a timeout NAK.
    qCInfo(lcSim) << "incomplete frame on the serial line:" << pending.toHex(' ');
    pending.clear();
    arrivalNs.clear();
    Reply(reply::Nak(NakCode::Timeout).Encode(), LineNowNs() + SerialLine::kTurnaroundNs, 0);
}

void PtyFrontEnd::Reply(const QByteArray &frame, qint64 startNs, quint32 truthNumber)
{
    const ReplyPlan plan = faults.TakeReplyPlan(Line::Serial);
    truth.Sent(truthNumber, plan);
    if (plan.drop) {
        qCDebug(lcSim) << "dropping reply" << frame.toHex(' ');
        return;
    }
    const qint64 start = startNs + qint64(plan.delayMs) * 1000000;
    if (plan.stray)
        transmitter->Send(plan.stray->frame, start);
    const QByteArray shaped = plan.Shape(frame);
    if (plan.gapMs > 0) {
        const qsizetype half = shaped.size() / 2;
        transmitter->Send(shaped.left(half), start);
        transmitter->Send(shaped.mid(half),
                          start + SerialLine::WireNs(half) + qint64(plan.gapMs) * 1000000);
    } else {
        transmitter->Send(shaped, start);
    }
    if (plan.duplicateAfterMs >= 0)
        transmitter->Send(shaped, start + qint64(plan.duplicateAfterMs) * 1000000);
}

} // namespace xrsim
