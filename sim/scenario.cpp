#include "scenario.h"

#include "model/videostandard.h"

#include <QFile>
#include <QTextStream>

#include <functional>

namespace xrsim {

namespace {

using Setter = std::function<bool(Scenario &, const QString &)>;

struct KeyEntry
{
    const char *name;
    const char *valueName;
    const char *help;
    Setter apply;
};

bool setInt(int *target, const QString &value, int low, int high)
{
    bool ok = false;
    const int number = value.toInt(&ok, 0);
    if (!ok || number < low || number > high)
        return false;
    *target = number;
    return true;
}

const QList<KeyEntry> &keyTable()
{
    static const QList<KeyEntry> table = {
        {"standard", "code", "video standard code 0-36 (0 PAL, 1 NTSC, 2 1080 59.94i, ...)",
         [](Scenario &s, const QString &v) {
             return setInt(&s.videoStandard, v, 0, VideoStandard::count() - 2);
         }},
    };
    return table;
}

} // namespace

bool Scenario::set(const QString &key, const QString &value, QString *error)
{
    for (const KeyEntry &entry : keyTable()) {
        if (key != QLatin1String(entry.name))
            continue;
        if (entry.apply(*this, value.trimmed()))
            return true;
        *error = QStringLiteral("bad value \"%1\" for %2").arg(value, key);
        return false;
    }
    *error = QStringLiteral("unknown setting \"%1\"").arg(key);
    return false;
}

bool Scenario::loadFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    QTextStream in(&file);
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        QString message;
        if (equals < 0)
            message = QStringLiteral("expected key = value");
        else if (set(line.left(equals).trimmed(), line.mid(equals + 1), &message))
            continue;
        *error = QStringLiteral("%1:%2: %3").arg(path).arg(lineNumber).arg(message);
        return false;
    }
    return true;
}

QList<Scenario::Key> Scenario::keys()
{
    QList<Key> keys;
    for (const KeyEntry &entry : keyTable())
        keys.append(
            {QLatin1String(entry.name), QLatin1String(entry.valueName), QLatin1String(entry.help)});
    return keys;
}

} // namespace xrsim
