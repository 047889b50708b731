// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

// The far end of a serial line for tests: a pseudo-terminal whose slave side
// the serial link opens (through $TAVREL_COM1) while the test reads and
// writes the master side.
class PseudoTerminal
{
public:
    PseudoTerminal()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slavePath = QString::fromLocal8Bit(ptsname(master));
    }
    ~PseudoTerminal()
    {
        if (master >= 0)
            ::close(master);
    }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool IsValid() const { return !slavePath.isEmpty(); }
    QString SlavePath() const { return slavePath; }

    bool Write(const QByteArray &bytes) const
    {
        return ::write(master, bytes.constData(), bytes.size()) == bytes.size();
    }

    // Reads what arrives within the time, up to `wanted` bytes.
    QByteArray Read(int wanted, int timeoutMs) const
    {
        QByteArray out;
        while (out.size() < wanted) {
            pollfd fd{master, POLLIN, 0};
            if (::poll(&fd, 1, timeoutMs) <= 0)
                break;
            char buffer[256];
            const ssize_t got = ::read(master, buffer, sizeof buffer);
            if (got <= 0)
                break;
            out.append(buffer, static_cast<int>(got));
        }
        return out;
    }

private:
    int master = -1;
    QString slavePath;
};
