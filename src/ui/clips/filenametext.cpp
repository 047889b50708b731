// SPDX-License-Identifier: GPL-3.0-or-later
#include "filenametext.h"

namespace {

constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kLastPrintable = 0x7E;

} // namespace

QString ShownFileName(const QString &name)
{
    QString shown;
    for (const QChar c : name) {
        const char16_t code = c.unicode();
        if (code >= kFirstPrintable && code <= kLastPrintable && c != u'\\')
            shown += c;
        else
            shown += QStringLiteral("\\x") +
                     QStringLiteral("%1").arg(uint(code), 2, 16, QLatin1Char('0')).toUpper();
    }
    return shown;
}

bool NamesAFile(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1String("XXX"));
}
