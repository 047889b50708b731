// SPDX-License-Identifier: GPL-3.0-or-later
#include "waitdlg.h"

#include "bustables.h"

#include "link/timing.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kProgressSteps = 32;
constexpr int kMinimumWidth = 361;
constexpr int kMinimumHeight = 82;

} // namespace

WaitDlg::WaitDlg(BusTables &tables, QWidget *parent) : QDialog(parent), tables(tables)
{
    setObjectName(QStringLiteral("WaitDlg"));
    setModal(true);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    textLabel = new QLabel(this);
    textLabel->setObjectName(QStringLiteral("textLabel"));
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setRange(0, kProgressSteps);
    progressBar->setTextVisible(false);
    pbCancel = new QPushButton(this);
    pbCancel->setObjectName(QStringLiteral("pbCancel"));
    pbCancel->setAutoDefault(false);
    pbCancel->hide();
    connect(pbCancel, &QPushButton::clicked, this, &WaitDlg::pbCancel_clicked);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(textLabel);
    layout->addWidget(progressBar);
    auto *keys = new QHBoxLayout;
    keys->addStretch(1);
    keys->addWidget(pbCancel);
    layout->addLayout(keys);
    languageChange();
}

void WaitDlg::languageChange()
{
    setWindowTitle(QStringLiteral("Tavrel"));
    textLabel->setText(QStringLiteral("Scanning, please wait..."));
    pbCancel->setText(QStringLiteral("Cancel"));
}

// Escape and the window's close button would leave the tables half updated
// and the timer running: the dialog ends only with its last step.
void WaitDlg::reject()
{
    if (!running)
        QDialog::reject();
}

// One timer at a time: the previous step's timer goes when the next starts.
// Precise timers, because every step measures its own wait on the program's
// millisecond clock and a coarse timer may fire a little early.
void WaitDlg::StartTimer(int periodMs, void (WaitDlg::*step)())
{
    StopTimer();
    timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, step);
    timer->start(periodMs);
    running = true;
}

// Steps stop the timer from its own timeout, so it goes once that returns.
void WaitDlg::StopTimer()
{
    if (!timer)
        return;
    timer->stop();
    timer->deleteLater();
    timer = nullptr;
}

// The recorder is given 5 s for a mode page read, a format's start and each
// mode change. The timer and the millisecond clock round independently, so a
// tick a few milliseconds short of 5 s counts as on time.
bool WaitDlg::StepDue() const
{
    constexpr quint32 kStepMs = 5000;
    constexpr quint32 kRoundingMs = 20;
    return ElapsedMs(startMs) + kRoundingMs >= kStepMs;
}

void WaitDlg::Finish(QMessageBox::Icon icon, const QString &message)
{
    StopTimer();
    running = false;
    pbCancel->hide();
    if (!message.isEmpty()) {
        QMessageBox box(icon, QStringLiteral("Tavrel"), message, QMessageBox::Ok, this);
        box.exec();
    }
    accept();
}
