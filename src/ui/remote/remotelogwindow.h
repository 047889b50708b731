// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class RemoteLog;

// "Remote log": what remote clients did, newest last, as the log file keeps
// it; a window of its own beside the main window, filled as lines come.
class RemoteLogWindow : public QWidget
{
    Q_OBJECT

public:
    RemoteLogWindow(RemoteLog &log, QWidget *parent);

    void languageChange();

    QPlainTextEdit *teRemoteLog = nullptr;
    QLabel *lbLogFile = nullptr;

private:
    void AddLine(const QString &line);

    RemoteLog &log;
};
