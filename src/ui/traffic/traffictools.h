// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "traffic/trafficrecorder.h"

#include <QObject>

class QAction;
class QWidget;
class TrafficMonitor;

// The "C&ommand" menu's traffic entries: the traffic monitor window, made
// the first time it is asked for and kept (closed, it stops watching), and
// the session recording, which the "Record traffic to file..." entry starts
// and stops and whose check mark shows that it runs.
class TrafficTools : public QObject
{
    Q_OBJECT

public:
    // `window` is the main window: the dialogs' parent.
    TrafficTools(QWidget *window, QAction *recordAction);

    // Starts recording at once, as the command line asks; false with the
    // reason in `error`.
    bool StartRecording(const QString &path, qint64 rotateBytes, QString *error);
    TrafficRecorder &Recorder() { return recorder; }
    // Null until the monitor is first opened.
    TrafficMonitor *Monitor() const { return monitor; }

public slots:
    void TrafficMonitor_activated();
    void RecordTraffic_activated();

private:
    void RecordingFailed(const QString &message);
    void ShowRecording();

    QWidget *window;
    QAction *recordAction;
    TrafficRecorder recorder;
    TrafficMonitor *monitor = nullptr;
};
