// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/deviceregistry.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A fresh working directory for one test, so that xr.cfg is the test's own,
// with COM1 and COM2 mapped to device paths that do not exist: no test
// touches a real serial port. The lists are torn down at the end.
class WorkDir
{
public:
    WorkDir() : previous(QDir::currentPath())
    {
        QDir::setCurrent(dir.path());
        qputenv("TAVREL_COM1", QFile::encodeName(dir.filePath(QStringLiteral("no-com1"))));
        qputenv("TAVREL_COM2", QFile::encodeName(dir.filePath(QStringLiteral("no-com2"))));
    }
    ~WorkDir()
    {
        DestroyDeviceList();
        DestroyLinkList();
        QDir::setCurrent(previous);
    }
    WorkDir(const WorkDir &) = delete;
    WorkDir &operator=(const WorkDir &) = delete;

    QString Path(const QString &name) const { return dir.filePath(name); }

    bool WriteConfig(const QByteArray &contents) const
    {
        QFile file(Path(QString::fromLatin1(kDeviceFileName)));
        return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
    }

    QByteArray ReadConfig() const
    {
        QFile file(Path(QString::fromLatin1(kDeviceFileName)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QString previous;
    QTemporaryDir dir;
};
