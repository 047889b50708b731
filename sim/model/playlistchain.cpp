#include "model/playlistchain.h"

namespace xrsim {

void PlaylistChain::link(int from, int to)
{
    if (to == 0)
        m_links.remove(from);
    else
        m_links.insert(from, to);
}

void PlaylistChain::moveOn(int segment)
{
    m_current = segment;
    m_eventChanged = true;
}

void PlaylistChain::forget(int segment)
{
    bool changed = m_links.remove(segment) > 0;
    for (auto it = m_links.begin(); it != m_links.end();) {
        if (it.value() == segment) {
            it = m_links.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    if (m_start == segment) {
        m_start = 0;
        changed = true;
    }
    m_playlistChanged = m_playlistChanged || changed;
}

} // namespace xrsim
