// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/ptyfrontend.h"

#include "server/faultinjector.h"
#include "server/recordersession.h"
#include "server/simlog.h"
#include "wire/frame.h"
#include "wire/reply.h"

#include <QSocketNotifier>

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

PtyFrontEnd::PtyFrontEnd(RecorderSession &session, FaultInjector &faults, QObject *parent)
    : QObject(parent), session(session), faults(faults), partialTimer(this)
{
    partialTimer.setSingleShot(true);
    partialTimer.setInterval(kPartialFrameTimeoutMs);
    connect(&partialTimer, &QTimer::timeout, this, &PtyFrontEnd::AbandonPartialFrame);
}

PtyFrontEnd::~PtyFrontEnd()
{
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

void PtyFrontEnd::ReadAvailable()
{
    char buffer[256];
    ssize_t count = 0;
    while ((count = ::read(master, buffer, sizeof buffer)) > 0)
        pending.append(buffer, int(count));
    TakeFrames();
}

void PtyFrontEnd::TakeFrames()
{
    while (!pending.isEmpty()) {
        const int length = Frame::LengthFor(quint8(pending.at(0)));
        if (pending.size() < length) {
            partialTimer.start();
            return;
        }
        const QByteArray frame = pending.left(length);
        pending.remove(0, length);
        const QByteArray answer = session.Answer(frame);
        if (!answer.isEmpty())
            Reply(answer);
    }
    partialTimer.stop();
}

void PtyFrontEnd::AbandonPartialFrame()
{
    // A 9-pin device that waits in vain for the rest of a frame drops what
    // it has and answers with a timeout NAK.
    qCInfo(lcSim) << "incomplete frame on the serial line:" << pending.toHex(' ');
    pending.clear();
    Reply(reply::Nak(NakCode::Timeout).Encode());
}

void PtyFrontEnd::Reply(const QByteArray &frame)
{
    const ReplyPlan plan = faults.TakeReplyPlan();
    if (plan.drop) {
        qCDebug(lcSim) << "dropping reply" << frame.toHex(' ');
        return;
    }
    const auto deliver = [this, plan, frame] {
        if (plan.stray)
            Write(plan.stray->frame);
        Write(plan.Shape(frame));
    };
    if (plan.delayMs > 0)
        QTimer::singleShot(plan.delayMs, this, deliver);
    else
        deliver();
    if (plan.duplicateAfterMs >= 0) {
        const QByteArray copy = plan.Shape(frame);
        QTimer::singleShot(plan.delayMs + plan.duplicateAfterMs, this,
                           [this, copy] { Write(copy); });
    }
}

void PtyFrontEnd::Write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t count =
            ::write(master, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            qCWarning(lcSim) << "serial reply lost:" << QString::fromLocal8Bit(strerror(errno));
            return;
        }
        done += count;
    }
}

} // namespace xrsim
