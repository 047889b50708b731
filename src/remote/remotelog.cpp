// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotelog.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

RemoteLog::RemoteLog(QObject *parent) : QObject(parent) {}

void RemoteLog::SetFile(const QString &filePath, qint64 rotateAt)
{
    file.close();
    path = filePath;
    rotateBytes = rotateAt;
}

QString RemoteLog::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tavrel/remote.log");
}

void RemoteLog::Add(const QString &text)
{
    QString line = QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char(' ');
    // One event, one line: a client's text cannot start a line of its own.
    for (const QChar c : text)
        line += c.isPrint() ? c : QLatin1Char('?');
    lines.push_back(line);
    if (int(lines.size()) > kKeptLines)
        lines.pop_front();
    Write(line);
    emit LineAdded(line);
}

QStringList RemoteLog::Lines() const
{
    return QStringList(lines.begin(), lines.end());
}

void RemoteLog::Write(const QString &line)
{
    if (path.isEmpty() || !OpenFile())
        return;
    file.write(line.toUtf8() + '\n');
    file.flush();
    if (file.size() >= rotateBytes)
        Rotate();
}

bool RemoteLog::OpenFile()
{
    if (file.isOpen())
        return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    file.setFileName(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

// remote.log.2 becomes remote.log.3 and so on; the oldest goes.
void RemoteLog::Rotate()
{
    file.close();
    QFile::remove(path + QStringLiteral(".%1").arg(kKeptFiles));
    for (int age = kKeptFiles - 1; age >= 1; --age)
        QFile::rename(path + QStringLiteral(".%1").arg(age),
                      path + QStringLiteral(".%1").arg(age + 1));
    QFile::rename(path, path + QStringLiteral(".1"));
}
