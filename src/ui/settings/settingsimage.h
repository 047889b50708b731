// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>
#include <vector>

// The recorder's setup pages as the settings dialog holds them: eleven slots
// (pages 0-10) of fifteen bytes, stored as the recorder answers a page read.
// Slot byte 0 is not a setting; slot byte k + 1 is page byte k. Page 7 is
// never read, written or shown.
//
// A page is written back only after it was read: the bytes of a page the
// recorder did not describe are not a setup, and writing them would replace
// the recorder's real setup with whatever the slot happened to hold.
class SettingsImage
{
public:
    static constexpr int kPageCount = 11;
    static constexpr int kSlotSize = 15;
    using Slot = std::array<quint8, kSlotSize>;

    // The one image of the program, for the current recorder.
    static SettingsImage &Current();

    // Page bytes 0 onwards of page `page`.
    quint8 *PageBytes(int page) { return pageSlots[size_t(page)].data() + 1; }
    const quint8 *PageBytes(int page) const { return pageSlots[size_t(page)].data() + 1; }
    const Slot &PageSlot(int page) const { return pageSlots[size_t(page)]; }

    bool PageRead(int page) const { return read[size_t(page)]; }

    // Keeps a page as the recorder answered its read and marks it read.
    void StorePage(int page, const Slot &reply);

    // Reads every page the dialog shows. A page whose read fails, or whose
    // reply is shorter than the page, keeps the bytes it had and is marked
    // unread. Returns the pages that could not be read, in page order.
    std::vector<int> Import();

    // Writes and applies every page that was read, one after the other, with
    // no pause and no check of the recorder's answers.
    void Export() const;

private:
    std::array<Slot, kPageCount> pageSlots{};
    std::array<bool, kPageCount> read{};
};
