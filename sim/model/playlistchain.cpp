// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/playlistchain.h"

namespace xrsim {

void PlaylistChain::Link(int from, int to)
{
    if (to == 0)
        links.remove(from);
    else
        links.insert(from, to);
}

void PlaylistChain::MoveOn(int segment)
{
    current = segment;
    eventChanged = true;
}

void PlaylistChain::Forget(int segment)
{
    bool changed = links.remove(segment) > 0;
    for (auto it = links.begin(); it != links.end();) {
        if (it.value() == segment) {
            it = links.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    if (start == segment) {
        start = 0;
        changed = true;
    }
    playlistChanged = playlistChanged || changed;
}

} // namespace xrsim
