// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "attributionlink.h"
#include "server/truthlog.h"

#include <QHash>
#include <QList>
#include <QStringList>

class MainWindow;

// Holds what the window took and showed against what the simulated recorder
// said. After every polling tick it gets the recorder's truth log and the
// exchanges the window's link saw:
// - a reply taken for a command must be the recorder's reply to that very
//   command (else it is misattributed), and carry the bytes the recorder
//   meant (else a spoilt reply passed for a good one: a wrong value);
// - the display must show the time of the time reply the tick took, and the
//   transport word of its status reply, as the recorder sent them (else a
//   wrong value shown).
class TruthCheck
{
public:
    void AfterTick(const QList<xrsim::TruthEntry> &truth,
                   const QList<AttributionLink::Exchange> &exchanges, const MainWindow &window);

    int Exchanges() const { return exchanges; }
    int Misattributed() const { return misattributed; }
    int WrongValues() const { return wrongValues; }
    // The first few faults found, for the report.
    const QStringList &Examples() const { return examples; }

private:
    void Remember(const QList<xrsim::TruthEntry> &truth);
    void Forget();
    const xrsim::TruthEntry *ShownReply(const AttributionLink::Exchange *exchange) const;
    void CheckAttribution(const AttributionLink::Exchange &exchange);
    void CheckTime(const xrsim::TruthEntry &reply, const MainWindow &window);
    void CheckTransportWord(const xrsim::TruthEntry &reply, const MainWindow &window);
    void Note(int &counter, const QString &what);

    QHash<quint32, xrsim::TruthEntry> byNumber;
    QHash<quint32, quint32> numberOfRequest;
    quint32 oldest = 1; // the lowest reply number that may still be kept
    quint32 newest = 0;
    int exchanges = 0;
    int misattributed = 0;
    int wrongValues = 0;
    QStringList examples;
};
