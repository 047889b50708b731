// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPushButton>

#include <cstddef>
#include <initializer_list>
#include <vector>

// The picture keys of the window's pages, created from one typed table per
// page or part. An entry names the member that holds the key and the slot
// that serves it, so a key without its member or slot does not compile; the
// same table gives the key its face, keyboard key, accessible name and tool
// tip, and feeds the Shortcuts dialog and the window's rule that a page's key
// wins over a menu entry with the same keyboard key.
//
//   const KeyEntry<TransportKeys> kKeys[] = {
//       {&TransportKeys::pbPlay, "pbPlay", "playu.png", "Play", "Space",
//        Trigger::Clicked, &TransportKeys::OnPbPlay},
//   };
//   BuildKeys(*this, this, kKeys);

// The pages of the main window's tab widget, in tab order.
enum class PanelPage { Control = 0, Segment = 1, Server = 2, Expert = 3 };

// When a key acts: as soon as it goes down, when it is let go over the key
// (so a press can still be taken back by sliding off), or when it is let go.
enum class Trigger { Pressed, Clicked, Released };

template <typename Part>
struct KeyEntry
{
    QPushButton *Part::*button;
    const char *name;           // object name
    const char *face;           // picture of the released key
    const char *accessibleName; // also the tool tip, with the keyboard key
    const char *key;            // keyboard key, "" for none
    Trigger trigger;
    void (Part::*slot)(); // null for a key that is only read, never acted on
};

// A key as the Shortcuts dialog and the keyboard rules see it.
struct KeyInfo
{
    const char *name;
    const char *face;
    const char *key;
    const char *accessibleName;
    PanelPage page;
    // The accessible name of the key of the same table that holds the same
    // keyboard key, or null. One key on two visible buttons would press
    // neither, so the first key of a table keeps it and the later ones show
    // it only as shared.
    const char *sharedWith;

    // The keyboard key that presses this key, "" for none.
    const char *ActiveKey() const { return sharedWith ? "" : key; }
};

// Marks the keys whose keyboard key an earlier key of the list holds.
void MarkSharedKeys(std::vector<KeyInfo> &keys);

// A picture key: named, showing its face at the picture's own size, flat and
// never taking the focus (so that the panel's keys keep reaching the window),
// with its keyboard key, accessible name and tool tip.
QPushButton *NewKey(QWidget *parent, const KeyInfo &info);

template <typename Part, std::size_t N>
std::vector<KeyInfo> DescribeKeys(const KeyEntry<Part> (&table)[N], PanelPage page)
{
    std::vector<KeyInfo> keys;
    keys.reserve(N);
    for (const KeyEntry<Part> &entry : table)
        keys.push_back({entry.name, entry.face, entry.key, entry.accessibleName, page, nullptr});
    MarkSharedKeys(keys);
    return keys;
}

template <typename Part>
void ConnectKey(QPushButton *button, Trigger trigger, Part *part, void (Part::*slot)())
{
    switch (trigger) {
    case Trigger::Pressed:
        QObject::connect(button, &QAbstractButton::pressed, part, slot);
        break;
    case Trigger::Clicked:
        QObject::connect(button, &QAbstractButton::clicked, part, slot);
        break;
    case Trigger::Released:
        QObject::connect(button, &QAbstractButton::released, part, slot);
        break;
    }
}

// Creates every key of the table on `parent`, stores each in its member of
// `part` and connects it to its slot.
template <typename Part, std::size_t N>
void BuildKeys(Part &part, QWidget *parent, const KeyEntry<Part> (&table)[N])
{
    // The page plays no part in how a key is made.
    const std::vector<KeyInfo> keys = DescribeKeys(table, PanelPage::Control);
    for (std::size_t i = 0; i < N; ++i) {
        QPushButton *button = NewKey(parent, keys[i]);
        part.*(table[i].button) = button;
        if (table[i].slot)
            ConnectKey(button, table[i].trigger, &part, table[i].slot);
    }
}

// The keys of several tables, in order.
std::vector<KeyInfo> JoinKeys(std::initializer_list<std::vector<KeyInfo>> lists);
