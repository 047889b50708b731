// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsimage.h"

#include "settingsfields.h"

#include "link/linkstatus.h"
#include "protocol/setupcommands.h"

SettingsImage &SettingsImage::Current()
{
    static SettingsImage image;
    return image;
}

void SettingsImage::StorePage(int page, const Slot &reply)
{
    pageSlots[size_t(page)] = reply;
    read[size_t(page)] = true;
}

std::vector<int> SettingsImage::Import()
{
    std::vector<int> unread;
    for (const SettingsPage &page : SettingsPages()) {
        SetupPageReply reply{};
        if (SetupPageRead(quint8(page.page), reply) == kStatusOk) {
            StorePage(page.page, reply);
        } else {
            read[size_t(page.page)] = false;
            unread.push_back(page.page);
        }
    }
    return unread;
}

void SettingsImage::Export() const
{
    for (const SettingsPage &page : SettingsPages()) {
        if (!PageRead(page.page))
            continue;
        SetupPageWrite(quint8(page.page), PageBytes(page.page), SetupPageSize(page.page));
        SetupPageApply(quint8(page.page));
    }
}
