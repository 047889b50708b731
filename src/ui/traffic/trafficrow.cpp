// SPDX-License-Identifier: GPL-3.0-or-later
#include "trafficrow.h"

#include "traffic/commandwords.h"
#include "traffic/replywords.h"

const TrafficRow::Words &TrafficRow::Described() const
{
    if (!words) {
        auto made = std::make_shared<Words>();
        if (report.sentLength > 0)
            made->command = CommandWords(report.sent.data(), report.sentLength);
        made->meaning = ReplyWords(report.sent.data(), report.sentLength, report.reply.data(),
                                   report.replyLength);
        words = std::move(made);
    }
    return *words;
}
