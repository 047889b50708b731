// SPDX-License-Identifier: GPL-3.0-or-later
#include "panelfilenames.h"

#include "devices/devicerecord.h"
#include "link/linkstatus.h"
#include "protocol/commandsend.h"
#include "protocol/filecommands.h"

#include <algorithm>

QString ClipName(int number)
{
    return QStringLiteral("CLIP%1").arg(number, 4, 10, QLatin1Char('0'));
}

void KeepPanelFileName(DeviceRecord &device, const QByteArray &name)
{
    device.panelFileName.fill('\0');
    std::copy_n(name.constData(), std::min<int>(name.size(), kFileNameLength),
                device.panelFileName.begin());
    device.panelFileAvailable = 0;
}

QByteArray CheckPanelFileName(DeviceRecord &device)
{
    bool exists = true;
    const qint16 status = FileNameQuery(QString::fromLatin1(device.panelFileName.data()), exists);
    device.panelFileAvailable = status == kStatusOk && !exists ? 1 : 0;
    if (status == kStatusOk)
        return exists ? kNameUsed : kNameAvailable;
    return status == kStatusNak ? kNameRefused : kNameUnanswered;
}

QString NameForDigits(const DeviceRecord &device)
{
    const QString kept = QString::fromLatin1(device.panelFileName.data());
    if (kept.isEmpty())
        return ClipName(0);
    return kept.left(kFileNameLength).leftJustified(kFileNameLength, QLatin1Char('0'));
}
