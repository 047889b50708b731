// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ctlcommand.h"

#include <QJsonObject>
#include <QObject>
#include <QTimer>
#include <QWebSocket>

class QTextStream;

// One run of tavrel-ctl: connects to the remote control, sends the request,
// prints the one line of its answer (or the answer itself with --json) and
// finishes with exit status 0, or 1 when the request was refused or the
// program could not be reached. For "status --watch" it follows the topics
// and prints a line at each change until the connection ends.
class CtlClient : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString host = QStringLiteral("127.0.0.1");
        quint16 port = 9180;
        QString token;
        bool json = false;
        int timeoutMs = 10000;
    };

    CtlClient(const Options &options, const CtlCommand &command, QTextStream &out, QTextStream &err,
              QObject *parent = nullptr);

    void Start();

signals:
    void Finished(int exitStatus);

private:
    void OnConnected();
    void OnMessage(const QString &text);
    void OnDisconnected();
    void OnReply(const QJsonObject &message);
    void OnPush(const QJsonObject &message);
    void Unreachable();
    void Finish(int status, const QString &line, bool toError);

    Options options;
    CtlCommand command;
    QTextStream &out;
    QTextStream &err;
    QWebSocket socket;
    QTimer timeout;
    QJsonObject watched;
    bool connected = false;
    bool finished = false;
};
