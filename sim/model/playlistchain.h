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
    void link(int from, int to);
    int next(int from) const { return m_links.value(from, 0); }
    void setStart(int segment) { m_start = segment; }
    int start() const { return m_start; }

    int current() const { return m_current; }
    void setCurrent(int segment) { m_current = segment; }
    void moveOn(int segment);

    bool eventChanged() const { return m_eventChanged; }
    void acknowledgeEventChange() { m_eventChanged = false; }
    bool playlistChanged() const { return m_playlistChanged; }
    void acknowledgePlaylistChange() { m_playlistChanged = false; }

    // A deleted segment leaves the list.
    void forget(int segment);

private:
    QHash<int, int> m_links;
    int m_start = 0;
    int m_current = 0;
    bool m_eventChanged = false;
    bool m_playlistChanged = false;
};

} // namespace xrsim
