// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>

// The parameters of one request, read by name with their types and ranges
// checked. The first fault is kept, named for the client ("frames must be an
// integer from -100 to 100"), and every later read fails too, so a command
// reads all it needs and asks once whether all was well.
class Params
{
public:
    explicit Params(const QJsonObject &object) : object(object) {}

    bool Has(const char *name) const { return object.contains(QLatin1String(name)); }

    // A whole number from `minimum` to `maximum`.
    bool Int(const char *name, int minimum, int maximum, int &value);
    // A text of 1 to `maxLength` characters.
    bool Text(const char *name, int maxLength, QString &value);
    // A boolean; an absent one leaves `value` as it is.
    bool OptionalFlag(const char *name, bool &value);
    // A fault found by the command itself.
    bool Fail(const QString &fault);

    bool Ok() const { return fault.isEmpty(); }
    QString Fault() const { return fault; }

private:
    QJsonObject object;
    QString fault;
};
