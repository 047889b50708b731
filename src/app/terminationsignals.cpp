// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// [0] is written by the handler, [1] read by the event loop.
int signalSockets[2] = {-1, -1};

const int kHandledSignals[] = {SIGINT, SIGTERM};

extern "C" void OnTerminationSignal(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    // Nothing can be done about a full socket: a byte is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
    errno = savedErrno;
}

bool InstallHandlers()
{
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kHandledSignals) {
        if (::sigaction(signalNumber, &action, nullptr) != 0)
            return false;
    }
    return true;
}

void RestoreDefaultHandlers()
{
    for (const int signalNumber : kHandledSignals)
        std::signal(signalNumber, SIG_DFL);
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0)
        return;
    if (!InstallHandlers()) {
        RestoreDefaultHandlers();
        return;
    }
    notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::OnSignalByte);
}

TerminationSignals::~TerminationSignals()
{
    RestoreDefaultHandlers();
    for (int &socket : signalSockets) {
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }
}

void TerminationSignals::OnSignalByte()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t taken = ::read(signalSockets[1], &byte, 1);
    QCoreApplication::exit(0);
}
