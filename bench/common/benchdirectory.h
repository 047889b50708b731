// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The working directory of a benchmark that runs the window, for as long as
// the object lasts: its xr.cfg lists the recorders the benchmark gives, and
// both serial ports point at paths that do not exist until a benchmark
// points one at a recorder of its own.
class BenchDirectory
{
public:
    BenchDirectory()
    {
        QDir::setCurrent(directory.path());
        qputenv("TAVREL_COM1", QFile::encodeName(directory.filePath(QStringLiteral("no-com1"))));
        qputenv("TAVREL_COM2", QFile::encodeName(directory.filePath(QStringLiteral("no-com2"))));
    }

    // Writes xr.cfg with one recorder address a line; false when it could
    // not be written.
    bool ListRecorders(const QList<QByteArray> &addresses) const
    {
        QFile deviceFile(directory.filePath(QStringLiteral("xr.cfg")));
        if (!deviceFile.open(QIODevice::WriteOnly))
            return false;
        for (const QByteArray &address : addresses) {
            if (deviceFile.write(address + "\r\n") < 0)
                return false;
        }
        return true;
    }

    // A file of the directory.
    QString FilePath(const QString &name) const { return directory.filePath(name); }

private:
    QTemporaryDir directory;
};
