// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/wiretap.h"
#include "protocol/exchangereport.h"

#include <QString>

#include <memory>

// One row of the traffic monitor: an exchange of the command engine, a frame
// it dropped while waiting, or a datagram or serial bytes the link threw
// away before the engine saw them (fate other than Taken). The words are
// made the first time the row is shown and kept.
struct TrafficRow
{
    ExchangeReport report;
    WireFate fate = WireFate::Taken;
    qint64 wallMs = 0; // when it happened, on the wall clock

    struct Words
    {
        QString command;
        QString meaning;
    };
    mutable std::shared_ptr<const Words> words;

    bool LinkDropped() const { return fate != WireFate::Taken; }
    const Words &Described() const;
};
