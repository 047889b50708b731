// SPDX-License-Identifier: GPL-3.0-or-later
#include "panelfilenames.h"

#include "devices/devicerecord.h"
#include "link/linkstatus.h"
#include "protocol/filecommands.h"

#include <algorithm>

namespace {

const QLatin1String kLoadedMark(" Loaded");

} // namespace

QByteArray FileNameAnswer(const QString &name)
{
    bool exists = true;
    if (FileNameQuery(name, exists) != kStatusOk)
        return QByteArray();
    return QByteArray(exists ? kNameUsed : kNameAvailable);
}

void KeepPanelFileName(DeviceRecord &device, const QByteArray &name)
{
    device.panelFileName.fill('\0');
    std::copy_n(name.constData(), std::min<int>(name.size(), kFileNameLength),
                device.panelFileName.begin());
}

QString NameForDigits(const QString &shown)
{
    QString name = shown;
    if (name.endsWith(kLoadedMark))
        name.chop(kLoadedMark.size());
    return name.left(kFileNameLength).leftJustified(kFileNameLength, QLatin1Char('0'));
}
