// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

// What the install rules put on a machine, and the tools the checks run.

inline const QString kAppId = QStringLiteral(TAVREL_APP_ID);
inline const QString kVersion = QStringLiteral(TAVREL_VERSION);

// Every file an install holds, below the prefix /usr, sorted.
inline QStringList InstalledFiles()
{
    return {
        QStringLiteral("bin/tavrel"),
        QStringLiteral("bin/tavrel-ctl"),
        QStringLiteral("bin/tavrel-sim"),
        QStringLiteral("share/applications/%1.desktop").arg(kAppId),
        QStringLiteral("share/doc/tavrel/changelog.gz"),
        QStringLiteral("share/doc/tavrel/copyright"),
        QStringLiteral("share/icons/hicolor/128x128/apps/tavrel.png"),
        QStringLiteral("share/icons/hicolor/256x256/apps/tavrel.png"),
        QStringLiteral("share/icons/hicolor/48x48/apps/tavrel.png"),
        QStringLiteral("share/icons/hicolor/64x64/apps/tavrel.png"),
        QStringLiteral("share/icons/hicolor/scalable/apps/tavrel.svg"),
        QStringLiteral("share/man/man1/tavrel-ctl.1.gz"),
        QStringLiteral("share/man/man1/tavrel-sim.1.gz"),
        QStringLiteral("share/man/man1/tavrel.1.gz"),
        QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId),
        QStringLiteral("share/tavrel/scenarios/demo.scn"),
    };
}

struct ToolRun
{
    int status = -1; // -1: did not start or end in time
    QString out;
    QString err;
};

inline ToolRun
RunTool(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// The tool's path, empty when it is not installed.
inline QString Tool(const char *name)
{
    return QStandardPaths::findExecutable(QLatin1String(name));
}
