// SPDX-License-Identifier: GPL-3.0-or-later
#include "traffictools.h"

#include "dlgrecordtraffic.h"
#include "trafficmonitor.h"

#include <QAction>
#include <QMessageBox>

TrafficTools::TrafficTools(QWidget *window, QAction *recordAction)
    : QObject(window), window(window), recordAction(recordAction)
{
    recordAction->setCheckable(true);
    connect(&recorder, &TrafficRecorder::Failed, this, &TrafficTools::RecordingFailed,
            Qt::QueuedConnection);
}

bool TrafficTools::StartRecording(const QString &path, qint64 rotateBytes, QString *error)
{
    const bool started = recorder.Start(path, rotateBytes, error);
    ShowRecording();
    return started;
}

void TrafficTools::TrafficMonitor_activated()
{
    if (!monitor)
        monitor = new TrafficMonitor(window);
    monitor->show();
    monitor->raise();
    monitor->activateWindow();
}

// The entry starts a recording, or stops the one that runs.
void TrafficTools::RecordTraffic_activated()
{
    if (recorder.IsRecording()) {
        recorder.Stop();
        ShowRecording();
        return;
    }
    DlgRecordTraffic dialog(window);
    QString error;
    if (dialog.exec() == QDialog::Accepted &&
        !StartRecording(dialog.Path(), dialog.RotateBytes(), &error))
        QMessageBox::warning(window, QStringLiteral("Tavrel"), error);
    ShowRecording();
}

void TrafficTools::RecordingFailed(const QString &message)
{
    ShowRecording();
    QMessageBox::warning(window, QStringLiteral("Tavrel"), message);
}

void TrafficTools::ShowRecording()
{
    const bool recording = recorder.IsRecording();
    recordAction->setChecked(recording);
    recordAction->setToolTip(recording
                                 ? QStringLiteral("Recording to %1").arg(recorder.CurrentPath())
                                 : QStringLiteral("Record traffic to file"));
}
