// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

class MainWindow;
class QPushButton;
class QWidget;

// An operator at the window, acting every few hundred milliseconds by chance
// (repeatably, from a seed): presses transport and menu keys, types a
// timecode and goes there, switches pages, puts segments on the playlist and
// plays or stops it, reloads the segments now and then. Like a person, it
// waits while a progress dialog holds the window, answers a question with
// its escape button, and chooses the recorder again from the "&Connect" menu
// when the window has lost it.
class SoakOperator : public QObject
{
    Q_OBJECT

public:
    SoakOperator(MainWindow &window, quint32 seed);

    void Start();
    void Stop();

    int Actions() const { return actions; }
    int Reconnections() const { return reconnections; }

private:
    void Act();
    bool AnswerDialog(QWidget *modal);
    void PressTransportKey();
    void PressMenuKey();
    void TypeTimecode();
    void SwitchPage();
    void WorkThePlaylist();
    void ReloadSegments();
    QPushButton *Key(const char *name) const;
    void Press(const char *name);

    MainWindow &window;
    QRandomGenerator random;
    QTimer timer;
    int actions = 0;
    int reconnections = 0;
    qint64 lastReloadMs = 0;
};
