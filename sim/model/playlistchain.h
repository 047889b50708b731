// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>

namespace xrsim {

// The recorder's playlist: links from a segment to the segment that plays
// after it, the first segment of the list, and the segment playing now.
// When playback moves on along a link the recorder raises the event change
// flag; when it drops links itself (a linked segment was deleted) it raises
// the playlist change flag. The controller acknowledges both.
class PlaylistChain
{
public:
    // to = 0 removes the link behind from.
    void Link(int from, int to);
    int Next(int from) const { return links.value(from, 0); }
    void SetStart(int segment) { start = segment; }
    int Start() const { return start; }

    int Current() const { return current; }
    void SetCurrent(int segment) { current = segment; }
    void MoveOn(int segment);

    bool EventChanged() const { return eventChanged; }
    void AcknowledgeEventChange() { eventChanged = false; }
    bool PlaylistChanged() const { return playlistChanged; }
    void AcknowledgePlaylistChange() { playlistChanged = false; }

    // A deleted segment leaves the list.
    void Forget(int segment);

private:
    QHash<int, int> links;
    int start = 0;
    int current = 0;
    bool eventChanged = false;
    bool playlistChanged = false;
};

} // namespace xrsim
