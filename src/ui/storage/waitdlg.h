// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <array>
#include <vector>

class BusTables;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The progress dialog of the disk actions. A scan, a mode page read or a
// format takes the recorder seconds to minutes, so each action is a chain of
// steps driven by one repeating timer at a time; the dialog closes itself
// when the last step is done, after saying what went wrong, if anything.
// The operator cannot close it halfway: the tables would be left half
// updated. Only the watch of a format, which changes no table, offers
// Cancel; it also ends by itself once the format has run past its limit.
class WaitDlg : public QDialog
{
    Q_OBJECT

public:
    WaitDlg(BusTables &tables, QWidget *parent = nullptr);

    // Each starts its action; afterwards Running() says whether the dialog
    // must be run until a step closes it.
    void StartScan();
    void StartFormat(int bus, int id);
    void StartApply();
    bool Running() const { return running; }
    // Why the watch of a format ended before the recorder showed the
    // format's end, after which its outcome is unknown; empty otherwise.
    const QString &FormatLeft() const { return formatLeft; }

    QLabel *textLabel;
    QProgressBar *progressBar;
    QPushButton *pbCancel;

public slots:
    void ScanDiskTimer();
    void ReadPagesTimer();
    void UpdateTimer();
    void ApplyTimer();
    void pbCancel_clicked();
    void reject() override;

protected slots:
    virtual void languageChange();

private:
    // A disk position whose status or mode page the recorder did not give.
    struct Unanswered
    {
        int bus;
        int id;
        bool statusKnown; // the walk saw the disk, its mode page read failed
    };

    void StartTimer(int periodMs, void (WaitDlg::*step)());
    void StopTimer();
    bool StepDue() const;
    // Stops the timer, shows the message box, if any, and closes.
    void Finish(QMessageBox::Icon icon = QMessageBox::NoIcon, const QString &message = QString());

    void diskWalk(int bus, int id, bool fromScanTimer);
    void TakeModePage();
    void EndScan();
    void CloseScan(QMessageBox::Icon icon = QMessageBox::NoIcon,
                   const QString &message = QString());
    void ScanStopped(int bus, int id);
    QString UnansweredText() const;

    void FormatRunning(quint64 elapsedMs);
    void FormatEnded();
    bool DisplayUnreadable();
    void LeaveFormat(const QString &why);

    bool ApplyFrom(int bus, int id);

    BusTables &tables;
    QTimer *timer = nullptr;
    bool running = false;

    int phase = 0; // scan ticks, format ticks that showed "Format"
    int currentBus = 1;
    int currentId = 0;
    quint64 startMs = 0;
    QString formatTimeText;
    std::array<bool, 2> diskAnswered{};

    // What the recorder failed to answer during a scan.
    std::vector<Unanswered> unanswered;
    quint8 walkState = 0;
    // Display reads in a row that failed while a format runs.
    int failedReads = 0;
    quint64 formatLimitMs = 0;
    QString formatLeft;
};
