// SPDX-License-Identifier: GPL-3.0-or-later
#include "busyprogress.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMinimumWidth = 361;

// The window repaints and takes a Cancel this often; more often would cost
// the exchanges time, less would let the window look frozen.
constexpr qint64 kEventsEveryMs = 40;

} // namespace

BusyDialog::BusyDialog(QWidget *parent, const QString &text, int steps, bool cancellable)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("BusyDialog"));
    setWindowTitle(QStringLiteral("Tavrel"));
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(kMinimumWidth);
    textLabel = new QLabel(text, this);
    textLabel->setObjectName(QStringLiteral("textLabel"));
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setRange(0, steps);
    progressBar->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(textLabel);
    layout->addWidget(progressBar);
    if (cancellable) {
        pbCancel = new QPushButton(QStringLiteral("&Cancel"), this);
        pbCancel->setObjectName(QStringLiteral("pbCancel"));
        connect(pbCancel, &QPushButton::clicked, this, &BusyDialog::reject);
        auto *keys = new QHBoxLayout;
        keys->addStretch(1);
        keys->addWidget(pbCancel);
        layout->addLayout(keys);
    }
}

// The work in progress closes the dialog once it has stopped at a clean
// point; until then the dialog stays, whatever closed it.
void BusyDialog::reject()
{
    if (!pbCancel || cancelled)
        return;
    cancelled = true;
    pbCancel->setEnabled(false);
}

BusyProgress::BusyProgress(RecorderSession &session, QWidget *parent, const QString &text,
                           int steps, Cancel cancel)
    : pause(session), dialog(new BusyDialog(parent, text, steps, cancel == Cancel::Offered))
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    dialog->show();
    QApplication::processEvents();
    sinceEvents.start();
}

BusyProgress::~BusyProgress()
{
    dialog->hide();
    delete dialog;
    QApplication::restoreOverrideCursor();
}

bool BusyProgress::Step(int done)
{
    if (sinceEvents.elapsed() >= kEventsEveryMs) {
        dialog->progressBar->setValue(done);
        QApplication::processEvents();
        sinceEvents.restart();
    }
    return !dialog->Cancelled();
}

void BusyProgress::SetText(const QString &text)
{
    dialog->textLabel->setText(text);
}

bool BusyProgress::Cancelled() const
{
    return dialog->Cancelled();
}
