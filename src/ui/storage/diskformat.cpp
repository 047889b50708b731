// SPDX-License-Identifier: GPL-3.0-or-later
// The format: the recorder formats the selected disk on its own and shows
// the word "Format" on its front-panel display while it works. The dialog
// gives it five seconds to start, then reads the display until the word is
// gone, the operator cancels the watch, or the format has run past its limit.

#include "formatlimit.h"
#include "waitdlg.h"

#include "devices/devicelists.h"
#include "link/linkstatus.h"
#include "link/timing.h"
#include "protocol/commandsend.h"
#include "protocol/diskcommands.h"
#include "protocol/transportcommands.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

constexpr int kDisplayReadMs = 200;
constexpr quint8 kDisplayKey = 7;
constexpr int kDisplayTextFirst = 1;
constexpr int kDisplayTextLength = 15;
constexpr int kProgressWrap = 33; // 32 steps, then back to 0
// Display reads that may fail in a row (5 s) before the format is given up.
constexpr int kFailedReadsAllowed = 25;

// HH:MM:SS, the hours going on past a day.
QString ElapsedText(quint64 elapsedMs)
{
    const quint64 seconds = elapsedMs / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

void WaitDlg::StartFormat(int bus, int id)
{
    textLabel->setText(QStringLiteral("Please wait while formatting HD..."));
    currentBus = bus;
    currentId = id;
    DiskFormat(quint8(bus), quint8(id));
    startMs = NowMs();
    phase = 0;
    failedReads = 0;
    formatLimitMs = FormatLimitMs();
    formatLeft.clear();
    progressBar->setValue(0);
    StartTimer(kDisplayReadMs, &WaitDlg::UpdateTimer);
    pbCancel->show();
}

void WaitDlg::UpdateTimer()
{
    if (!StepDue())
        return;
    const quint64 elapsedMs = ElapsedMs(startMs);
    if (FrontPanelKey(kDisplayKey) != kStatusOk) {
        if (DisplayUnreadable())
            Finish(QMessageBox::Critical,
                   QStringLiteral("The recorder stopped answering while formatting HD %1 on "
                                  "Bus %2. Time elapsed : %3")
                       .arg(currentId)
                       .arg(currentBus)
                       .arg(ElapsedText(elapsedMs)));
        return;
    }
    failedReads = 0;
    if (!ReplyText(kDisplayTextFirst, kDisplayTextLength).contains(QStringLiteral("Format"))) {
        FormatEnded();
        return;
    }
    FormatRunning(elapsedMs);
    if (elapsedMs >= formatLimitMs)
        LeaveFormat(QStringLiteral("HD %1 on Bus %2 still showed \"Format\" after %3, the longest "
                                   "a format is watched.")
                        .arg(currentId)
                        .arg(currentBus)
                        .arg(formatTimeText));
}

// A display read that failed says nothing about the format: it is tried again
// at the next tick, unless the recorder is gone or has not answered for 5 s.
bool WaitDlg::DisplayUnreadable()
{
    return RecorderLost() || ++failedReads >= kFailedReadsAllowed;
}

void WaitDlg::FormatRunning(quint64 elapsedMs)
{
    ++phase;
    progressBar->setValue((progressBar->value() + 1) % kProgressWrap);
    formatTimeText = ElapsedText(elapsedMs);
    textLabel->setText(QStringLiteral("Formatting HD... (Time elapsed : %1)").arg(formatTimeText));
}

// The word never seen means the recorder did not format at all.
void WaitDlg::FormatEnded()
{
    if (phase == 0)
        Finish(QMessageBox::Critical, QStringLiteral("Error while formatting HD %1 on Bus %2.")
                                          .arg(currentId)
                                          .arg(currentBus));
    else
        Finish(QMessageBox::Information,
               QStringLiteral("Format HD %1 on Bus %2 completed. Time elapsed : %3")
                   .arg(currentId)
                   .arg(currentBus)
                   .arg(formatTimeText));
}

void WaitDlg::pbCancel_clicked()
{
    if (running)
        LeaveFormat(QStringLiteral("The watch of the format of HD %1 on Bus %2 was cancelled "
                                   "after %3.")
                        .arg(currentId)
                        .arg(currentBus)
                        .arg(ElapsedText(ElapsedMs(startMs))));
}

// The recorder may be formatting still, or have finished: the dialog closes
// and the disk action says what is known.
void WaitDlg::LeaveFormat(const QString &why)
{
    formatLeft = why;
    Finish();
}
