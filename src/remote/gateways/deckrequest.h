// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// One request line of the deck protocol: a command name, alone or followed
// by a colon and "name: value" pairs, as in
//
//   transport info
//   goto: clip id: +1
//   play: speed: 200 loop: true single clip: true
//
// Command and parameter names may hold blanks and are read without regard to
// case; a value is one word, or a quoted text that may hold blanks.
struct DeckRequest
{
    QString command;
    QList<QPair<QString, QString>> params;

    bool Has(const QString &name) const;
    QString Value(const QString &name) const;
};

// False for a line that does not read as a request: a parameter name without
// its colon or without a value, an unclosed quote, or no command at all.
bool ParseDeckRequest(const QString &line, DeckRequest &request);

// Cuts a client's bytes into lines. A line ends with LF, with or without CR
// before it; blank lines are kept, since one ends a request of many lines.
// A line longer than the bound is not kept: its bytes are dropped up to its
// end, which is then reported once as a line too long, so that a client
// sending without end costs no more than the bound.
class DeckLineReader
{
public:
    static constexpr int kMaxLineBytes = 1024;

    struct Line
    {
        QString text;
        bool tooLong = false;
    };

    // Takes bytes in; complete lines wait in order for NextLine.
    void Append(const QByteArray &bytes);
    bool NextLine(Line &line);
    bool HasLine() const { return !lines.isEmpty(); }
    int PendingLines() const { return int(lines.size()); }

private:
    QByteArray partial;
    bool discarding = false;
    QList<Line> lines;
};
