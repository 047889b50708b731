// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckrequest.h"

#include <QStringList>

namespace {

QString Name(const QStringList &words)
{
    return words.join(QLatin1Char(' ')).toLower();
}

// The value that starts at words[index]: one word, or a quoted text up to
// the word that closes the quote. False for an unclosed quote.
bool TakeValue(const QStringList &words, int &index, QString &value)
{
    value = words.at(index++);
    if (!value.startsWith(QLatin1Char('"')))
        return true;
    while (value.size() < 2 || !value.endsWith(QLatin1Char('"'))) {
        if (index >= words.size())
            return false;
        value += QLatin1Char(' ') + words.at(index++);
    }
    value = value.mid(1, value.size() - 2);
    return true;
}

} // namespace

bool DeckRequest::Has(const QString &name) const
{
    for (const auto &param : params) {
        if (param.first == name)
            return true;
    }
    return false;
}

QString DeckRequest::Value(const QString &name) const
{
    for (const auto &param : params) {
        if (param.first == name)
            return param.second;
    }
    return QString();
}

bool ParseDeckRequest(const QString &line, DeckRequest &request)
{
    request = DeckRequest();
    const int colon = line.indexOf(QLatin1Char(':'));
    request.command = line.left(colon).simplified().toLower();
    if (request.command.isEmpty())
        return false;
    if (colon < 0)
        return true;
    const QStringList words = line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList name;
    for (int index = 0; index < words.size();) {
        const QString word = words.at(index++);
        if (!word.endsWith(QLatin1Char(':'))) {
            name << word;
            continue;
        }
        name << word.chopped(1);
        QString value;
        if (index >= words.size() || name.join(QString()).isEmpty() ||
            !TakeValue(words, index, value))
            return false;
        request.params.append({Name(name), value});
        name.clear();
    }
    return name.isEmpty();
}

void DeckLineReader::Append(const QByteArray &bytes)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        const qsizetype stop = end < 0 ? bytes.size() : end;
        if (!discarding) {
            if (partial.size() + (stop - start) > kMaxLineBytes + 1) { // room for a CR
                discarding = true;
                partial.clear();
            } else {
                partial.append(bytes.constData() + start, stop - start);
            }
        }
        if (end < 0)
            return;
        if (partial.endsWith('\r'))
            partial.chop(1);
        Line line;
        line.tooLong = discarding || partial.size() > kMaxLineBytes;
        if (!line.tooLong)
            line.text = QString::fromUtf8(partial).simplified();
        partial.clear();
        discarding = false;
        lines.append(line);
        start = end + 1;
    }
}

bool DeckLineReader::NextLine(Line &line)
{
    if (lines.isEmpty())
        return false;
    line = lines.takeFirst();
    return true;
}
