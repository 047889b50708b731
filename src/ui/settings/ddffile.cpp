// SPDX-License-Identifier: GPL-3.0-or-later
#include "ddffile.h"

#include "settingsfields.h"

#include <QFile>
#include <QSaveFile>

#include <limits>

namespace {

// Far more than 75 numbers could ever need; a longer file is not a .ddf.
constexpr qint64 kMaxFileBytes = 1 << 20;

int LineValue(const QByteArray &line)
{
    bool ok = false;
    const qlonglong value = line.trimmed().toLongLong(&ok);
    if (!ok)
        return 0;
    const qlonglong lowest = std::numeric_limits<int>::min();
    const qlonglong highest = std::numeric_limits<int>::max();
    return int(qBound(lowest, value, highest));
}

} // namespace

QByteArray DdfText(const std::vector<int> &values)
{
    QByteArray text;
    for (const int value : values)
        text += QByteArray::number(value) + '\n';
    return text;
}

std::optional<std::vector<int>> ParseDdf(const QByteArray &text)
{
    std::vector<int> values;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (values.size() == DdfFields().size())
            return std::nullopt;
        values.push_back(LineValue(line));
    }
    if (values.size() != DdfFields().size())
        return std::nullopt;
    return values;
}

DdfRead ReadDdf(const QString &name, std::vector<int> *values)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return DdfRead::CannotOpen;
    const QByteArray text = file.read(kMaxFileBytes + 1);
    if (text.size() > kMaxFileBytes)
        return DdfRead::InvalidSize;
    std::optional<std::vector<int>> parsed = ParseDdf(text);
    if (!parsed)
        return DdfRead::InvalidSize;
    *values = std::move(*parsed);
    return DdfRead::Ok;
}

bool WriteDdf(const QString &name, const std::vector<int> &values)
{
    const QByteArray text = DdfText(values);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString DdfFileName(const QString &given)
{
    const QString extension = QStringLiteral(".ddf");
    return given.contains(extension, Qt::CaseSensitive) ? given : given + extension;
}
