// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Lets SIGINT and SIGTERM end the program the way the quit action does: the
// event loop ends, the main window is destroyed and writes xr.cfg. A signal
// handler may not touch the toolkit, so it only writes a byte into a socket
// pair; the event loop notices the byte and quits from there.
//
// One instance, created after the application object and living as long as
// the event loop runs.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

    // Whether the handlers are in place.
    bool IsInstalled() const { return notifier != nullptr; }

private:
    void OnSignalByte();

    QSocketNotifier *notifier = nullptr;
};
