#pragma once

#include <QString>
#include <QStringList>

namespace xrsim {

// What kind of recorder to simulate: chosen by a test, on the xrsim command
// line, or in a scenario file of "key = value" lines. Every key of the file
// is also a command-line option of the same name.
struct Scenario
{
    // Video standard code of the recorder (0 PAL, 1 NTSC, ...).
    int videoStandard = 0;

    // Applies one setting by its key; false with a message in error for an
    // unknown key or a value that does not fit.
    bool set(const QString &key, const QString &value, QString *error);
    // Applies every "key = value" line of a file; blank lines and lines
    // starting with '#' are skipped.
    bool loadFile(const QString &path, QString *error);

    struct Key
    {
        QString name;
        QString valueName;
        QString help;
    };
    static QList<Key> keys();
};

} // namespace xrsim
