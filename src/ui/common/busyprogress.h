// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pollingpause.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

// The dialog of BusyProgress: a text, a progress bar and, when the work can
// stop halfway, a Cancel key. Escape and the close button cancel only what
// can be cancelled; otherwise the dialog stays until the work is done.
class BusyDialog : public QDialog
{
    Q_OBJECT

public:
    BusyDialog(QWidget *parent, const QString &text, int steps, bool cancellable);

    bool Cancelled() const { return cancelled; }

    QLabel *textLabel = nullptr;
    QProgressBar *progressBar = nullptr;
    QPushButton *pbCancel = nullptr;

public slots:
    void reject() override;

private:
    bool cancelled = false;
};

// Long work that talks to the recorder for seconds on the GUI thread (a
// reload of every segment number, erasing every segment, re-creating the
// segments of a playlist file): a modal progress dialog with the wait
// cursor, the polling held, and the window repainting between the
// exchanges. The exchanges themselves stay one at a time on this thread; the
// dialog's modality keeps every other input away from the window meanwhile.
//
//   BusyProgress progress(session, window(), tr("Reading segments..."), 2045,
//                         BusyProgress::Cancel::Offered);
//   for (int n = 1; n <= 2045 && progress.Step(n - 1); ++n)
//       ... one exchange ...
//
// The dialog goes, the cursor comes back and the polling resumes when the
// object goes out of scope.
class BusyProgress
{
public:
    enum class Cancel { NotOffered, Offered };

    BusyProgress(RecorderSession &session, QWidget *parent, const QString &text, int steps,
                 Cancel cancel = Cancel::NotOffered);
    ~BusyProgress();

    BusyProgress(const BusyProgress &) = delete;
    BusyProgress &operator=(const BusyProgress &) = delete;

    // Shows that `done` steps are done and, now and then, lets the window
    // repaint and the dialog take a Cancel. False once the operator has
    // cancelled: the work should stop at a clean point.
    bool Step(int done);
    // A new text for the dialog, shown at the next Step that lets the window
    // repaint.
    void SetText(const QString &text);
    bool Cancelled() const;

private:
    PollingPause pause;
    BusyDialog *dialog;
    QElapsedTimer sinceEvents;
};
