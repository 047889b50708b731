// SPDX-License-Identifier: GPL-3.0-or-later
#include "formatlimit.h"

#include <QSettings>

#include <algorithm>

namespace {

constexpr quint64 kLongestLimitSeconds = 366 * 24 * 60 * 60;

} // namespace

quint64 FormatLimitMs()
{
    const QSettings settings(QStringLiteral("tavrel"), QStringLiteral("tavrel"));
    bool ok = false;
    const qint64 seconds = settings.value(kFormatLimitKey).toLongLong(&ok);
    const quint64 limit = ok && seconds > 0 ? quint64(seconds) : kDefaultFormatLimitSeconds;
    return std::min(limit, kLongestLimitSeconds) * 1000;
}
