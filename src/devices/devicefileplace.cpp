// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicefileplace.h"

#include "deviceregistry.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The folder of the program's own files inside the configuration folder.
constexpr char kConfigFolder[] = "tavrel";

} // namespace

QString DeviceFilePlace(const QString &chosen)
{
    if (!chosen.isEmpty())
        return QFileInfo(chosen).absoluteFilePath();
    const QFileInfo local(QDir::current(), QString::fromLatin1(kDeviceFileName));
    if (local.exists())
        return local.absoluteFilePath();
    return UserDeviceFile();
}

QString UserDeviceFile()
{
    const QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    return config.absoluteFilePath(QLatin1String(kConfigFolder) + QLatin1Char('/') +
                                   QLatin1String(kDeviceFileName));
}
