// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deckclips.h"
#include "deckreply.h"
#include "deckrequest.h"
#include "decktimecode.h"
#include "deckview.h"

#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

// The notifications a deck client asked for with "notify".
struct DeckNotify
{
    bool transport = false;
    bool slot = false;
    bool remote = false;
    bool configuration = false;
    bool displayTimecode = false;
};

// What one deck client's request is decided against: the recorder as the
// client sees it, the timecode rate, the playlist's rows (the timeline), the
// client's notifications, and the clips, read afresh for the requests that
// need them.
struct DeckContext
{
    DeckView view;
    DeckRate rate;
    QStringList timeline;
    DeckNotify notify;
    std::optional<QList<DeckClip>> clips;
    // The recorder's shuttle speed byte for the panel dial's distance from
    // its centre (0-120), the one table both the dial and the deck use.
    quint8 (*shuttleSpeed)(int distance) = nullptr;
};

// What the gateway does with a request.
struct DeckAction
{
    enum class Kind {
        Reply,      // answer `reply` at once
        ReadClips,  // read the segments into the context's clips, then decide again
        Call,       // run `method` with `params` in the remote control; "200 ok" on success
        ClipsReply, // read the segments, then answer with `reply` made from them
        Quit,       // answer "200 ok" and close
    };

    Kind kind = Kind::Reply;
    DeckReply reply;
    QString method;
    QJsonObject params;
    // With ClipsReply: which reply the clips make.
    DeckCode clipsCode = DeckCode::ClipsInfo;
};

// Decides a request. "notify" with parameters changes `context.notify`.
DeckAction DecideDeck(const DeckRequest &request, DeckContext &context);

// "500 connection info:" with the protocol version and model, sent first.
DeckReply ConnectionInfo(const DeckView &view);

// The panel dial's value (-120 to 120) nearest to a percent of play speed.
int DialForSpeed(int percent, quint8 (*shuttleSpeed)(int distance));
