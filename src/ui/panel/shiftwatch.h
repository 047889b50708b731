// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

// Follows the Shift key for one window. The panel's Esc key, pressed with
// Shift held, arms Delay mode; any key pressed without Shift that reaches
// the window disarms it again.
//
// The watch sees every key press of the window before the window's
// shortcuts do, so a press that a key's shortcut takes (Shift+Esc itself)
// has set the flag by the time the key acts. A release of any key clears it.
class ShiftWatch : public QObject
{
    Q_OBJECT

public:
    // Watches the key events of the window of `part`, which owns the watch.
    explicit ShiftWatch(QWidget *part);

    bool ShiftHeld() const { return shiftHeld; }
    void Forget() { shiftHeld = false; }

signals:
    // A key went down without Shift and no shortcut took it.
    void PlainKeyPressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool InWatchedWindow(QObject *watched) const;

    QWidget *part;
    bool shiftHeld = false;
};
