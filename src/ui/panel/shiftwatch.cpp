// SPDX-License-Identifier: GPL-3.0-or-later
#include "shiftwatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

ShiftWatch::ShiftWatch(QWidget *part) : QObject(part), part(part)
{
    qApp->installEventFilter(this);
}

bool ShiftWatch::InWatchedWindow(QObject *watched) const
{
    const auto *widget = qobject_cast<const QWidget *>(watched);
    return widget && widget->window() == part->window();
}

// A key press first comes as a shortcut override, then, unless a shortcut
// took it, as the press itself, which may be offered to several widgets in
// turn. Setting the flag and disarming are the same however often they run.
bool ShiftWatch::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    if (!InWatchedWindow(watched))
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (type == QEvent::KeyRelease) {
        if (!key->isAutoRepeat())
            shiftHeld = false;
        return false;
    }
    if (key->key() == Qt::Key_Shift || (key->modifiers() & Qt::ShiftModifier))
        shiftHeld = true;
    else if (type == QEvent::KeyPress)
        emit PlainKeyPressed();
    return false;
}
