// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QLatin1String>
#include <QWidget>

// Creates a widget with its object name. Texts are set apart, by the owning
// page's languageChange, so builders only name what they make.
template <typename W>
W *NewNamed(QWidget *parent, const char *name)
{
    auto *widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

inline QLabel *NewLabel(QWidget *parent, const char *name)
{
    return NewNamed<QLabel>(parent, name);
}

// Gives a widget the name a screen reader or a UI automation tool reads, and
// the same name as its tool tip, followed by its keyboard key in brackets
// when it has one: "Play (Space)".
void Describe(QWidget *widget, const char *name, const char *key = "");

class QLineEdit;
class QVBoxLayout;

// A line of the emulated display: read-only, centred, never focused, drawn
// in the display's colours and fixed-pitch font.
QLineEdit *NewDisplayLine(QWidget *parent, const char *name);

// The two lines of an emulated display, upper over lower, as they read before
// the recorder has said anything.
QVBoxLayout *NewDisplayLines(QWidget *parent, const char *upperName, const char *lowerName,
                             QLineEdit *&upper, QLineEdit *&lower);
