// SPDX-License-Identifier: GPL-3.0-or-later
#include "params.h"

#include <QJsonValue>

#include <cmath>

bool Params::Int(const char *name, int minimum, int maximum, int &value)
{
    if (!Ok())
        return false;
    const QJsonValue field = object.value(QLatin1String(name));
    const double number = field.toDouble();
    if (!field.isDouble() || std::floor(number) != number || number < minimum || number > maximum)
        return Fail(QStringLiteral("%1 must be an integer from %2 to %3")
                        .arg(QLatin1String(name))
                        .arg(minimum)
                        .arg(maximum));
    value = static_cast<int>(number);
    return true;
}

bool Params::Text(const char *name, int maxLength, QString &value)
{
    if (!Ok())
        return false;
    const QJsonValue field = object.value(QLatin1String(name));
    if (!field.isString() || field.toString().isEmpty() || field.toString().size() > maxLength)
        return Fail(QStringLiteral("%1 must be a text of 1 to %2 characters")
                        .arg(QLatin1String(name))
                        .arg(maxLength));
    value = field.toString();
    return true;
}

bool Params::OptionalFlag(const char *name, bool &value)
{
    if (!Ok())
        return false;
    const QJsonValue field = object.value(QLatin1String(name));
    if (field.isUndefined())
        return true;
    if (!field.isBool())
        return Fail(QStringLiteral("%1 must be true or false").arg(QLatin1String(name)));
    value = field.toBool();
    return true;
}

bool Params::Fail(const QString &reason)
{
    if (Ok())
        fault = reason;
    return false;
}
