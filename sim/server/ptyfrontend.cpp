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
QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}
} // namespace

PtyFrontEnd::PtyFrontEnd(RecorderSession &session, FaultInjector &faults, QObject *parent)
    : QObject(parent), m_session(session), m_faults(faults), m_partialTimer(this)
{
    m_partialTimer.setSingleShot(true);
    m_partialTimer.setInterval(PartialFrameTimeoutMs);
    connect(&m_partialTimer, &QTimer::timeout, this, &PtyFrontEnd::abandonPartialFrame);
}

PtyFrontEnd::~PtyFrontEnd()
{
    delete m_notifier;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyFrontEnd::open(QString *error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        *error = systemError("cannot create a pseudo-terminal");
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    // The recorder keeps the slave open itself, so that the master never
    // reads a hang-up while no client has the port open.
    m_slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        *error = systemError("cannot open the pseudo-terminal's slave");
        return false;
    }
    if (!configureLine(error))
        return false;
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyFrontEnd::readAvailable);
    return true;
}

bool PtyFrontEnd::configureLine(QString *error)
{
    // Frames are binary: no echo, no line editing, no newline translation.
    termios line{};
    if (tcgetattr(m_slave, &line) != 0) {
        *error = systemError("cannot read the line settings");
        return false;
    }
    cfmakeraw(&line);
    cfsetispeed(&line, B38400);
    cfsetospeed(&line, B38400);
    line.c_cflag |= PARENB | PARODD;
    if (tcsetattr(m_slave, TCSANOW, &line) != 0) {
        *error = systemError("cannot set the line settings");
        return false;
    }
    return true;
}

void PtyFrontEnd::readAvailable()
{
    char buffer[256];
    ssize_t count = 0;
    while ((count = ::read(m_master, buffer, sizeof buffer)) > 0)
        m_pending.append(buffer, int(count));
    takeFrames();
}

void PtyFrontEnd::takeFrames()
{
    while (!m_pending.isEmpty()) {
        const int length = Frame::lengthFor(quint8(m_pending.at(0)));
        if (m_pending.size() < length) {
            m_partialTimer.start();
            return;
        }
        const QByteArray frame = m_pending.left(length);
        m_pending.remove(0, length);
        const QByteArray answer = m_session.answer(frame);
        if (!answer.isEmpty())
            reply(answer);
    }
    m_partialTimer.stop();
}

void PtyFrontEnd::abandonPartialFrame()
{
    // A 9-pin device that waits in vain for the rest of a frame drops what
    // it has and answers with a timeout NAK.
    qCInfo(lcSim) << "incomplete frame on the serial line:" << m_pending.toHex(' ');
    m_pending.clear();
    reply(reply::nak(NakCode::Timeout).encode());
}

void PtyFrontEnd::reply(const QByteArray &frame)
{
    const ReplyPlan plan = m_faults.takeReplyPlan();
    if (plan.drop) {
        qCDebug(lcSim) << "dropping reply" << frame.toHex(' ');
        return;
    }
    const auto deliver = [this, plan, frame] {
        if (plan.stray)
            write(plan.stray->frame);
        write(plan.shape(frame));
    };
    if (plan.delayMs > 0)
        QTimer::singleShot(plan.delayMs, this, deliver);
    else
        deliver();
    if (plan.duplicateAfterMs >= 0) {
        const QByteArray copy = plan.shape(frame);
        QTimer::singleShot(plan.delayMs + plan.duplicateAfterMs, this,
                           [this, copy] { write(copy); });
    }
}

void PtyFrontEnd::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t count =
            ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
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
