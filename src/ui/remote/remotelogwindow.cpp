// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotelogwindow.h"

#include "remote/remotelog.h"
#include "ui/common/widgetfactory.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

RemoteLogWindow::RemoteLogWindow(RemoteLog &log, QWidget *parent)
    : QWidget(parent, Qt::Window), teRemoteLog(NewNamed<QPlainTextEdit>(this, "teRemoteLog")),
      lbLogFile(NewLabel(this, "lbLogFile")), log(log)
{
    setObjectName(QStringLiteral("RemoteLogWindow"));
    teRemoteLog->setReadOnly(true);
    teRemoteLog->setMaximumBlockCount(RemoteLog::kKeptLines);
    teRemoteLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    Describe(teRemoteLog, "Remote log");
    lbLogFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(teRemoteLog, 1);
    layout->addWidget(lbLogFile);
    resize(720, 360);
    for (const QString &line : log.Lines())
        teRemoteLog->appendPlainText(line);
    connect(&log, &RemoteLog::LineAdded, this, &RemoteLogWindow::AddLine);
    languageChange();
}

void RemoteLogWindow::languageChange()
{
    setWindowTitle(QStringLiteral("Remote log"));
    lbLogFile->setText(log.FilePath().isEmpty() ? QStringLiteral("Not kept in a file.")
                                                : QStringLiteral("Kept in %1").arg(log.FilePath()));
}

void RemoteLogWindow::AddLine(const QString &line)
{
    teRemoteLog->appendPlainText(line);
}
