// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// The recorder keeps its setup in pages of bytes. Every setting the dialog
// shows is one row of the table below: its page and byte, its label, its
// widget and how the widget's state turns into page bytes and back. The
// dialog's widgets, the page conversions and the line order of .ddf files all
// come from this one table.

enum class FieldKind {
    Combo,  // a choice list; index 0 is always "Undefined"
    Spin,   // a number in a range
    Preset, // a combo without choices whose byte is never converted
};

// How a spin box's value sits in the page.
enum class SpinBytes {
    One,          // one byte, read unsigned, written as the low 8 bits
    SignedWord,   // two bytes, high first, read as a signed 16-bit number
    UnsignedWord, // two bytes, high first, read as an unsigned 16-bit number
};

// Which choice list a combo shows.
enum class ChoiceList {
    Fixed,       // the choices of the row
    Compression, // depends on the recorder kind; rebuilt on every read
};

struct Choice
{
    const char *text;
    quint8 byte;
    // Some choices are written but not recognised when the recorder's byte is
    // read back: such a byte shows "Undefined".
    bool readable = true;
};

struct SettingsField
{
    int page = 0;
    int byte = 0;  // the first page byte of the field
    int place = 0; // n of the widget name item_<page>_<n>
    const char *label = "";
    FieldKind kind = FieldKind::Combo;

    // Combo.
    ChoiceList list = ChoiceList::Fixed;
    std::vector<Choice> choices; // without the leading "Undefined"
    // A second byte that selects a choice besides its own (-1: none).
    int aliasByte = -1;
    int aliasChoice = 0;
    // The choice every unmatched non-zero byte selects (0: none).
    int nonZeroChoice = 0;
    // An unmatched byte keeps the previous selection instead of "Undefined".
    bool keepUnmatched = false;
    // "Undefined" writes all ones instead of keeping the byte.
    bool undefinedWritesAllOnes = false;

    // Spin.
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    SpinBytes bytes = SpinBytes::One;
    // A byte above the maximum disables the spin box (and so stops it from
    // being written) instead of being limited to the range.
    bool disableAboveMaximum = false;

    const char *toolTip = nullptr;

    QString ObjectName() const;
};

// Every field, page by page in byte order.
const std::vector<SettingsField> &SettingsFields();

// The fields a .ddf file stores, in its line order: every field but the
// edit presets.
const std::vector<const SettingsField *> &DdfFields();

// The pages the dialog shows, in tab order, with their tab labels. How many
// bytes each holds is the recorder's (SetupPageSize).
struct SettingsPage
{
    int page;
    const char *tabLabel;
};
const std::vector<SettingsPage> &SettingsPages();

// The choices of "Compression Ratio" for a recorder kind and sub-kind: the
// byte of each choice is its place in the list (0, 1, 2 ...). Empty for a
// recorder whose compressions are not known.
std::vector<Choice> CompressionChoices(qint32 kind, qint32 subKind);

// Page byte to combo index (0 for "Undefined"); `current` is the index shown
// now, kept where the field says so.
int ChoiceForByte(const SettingsField &field, const std::vector<Choice> &choices, quint8 byte,
                  int current);

// Combo index to page byte; false when the byte keeps its value.
bool ByteForChoice(const SettingsField &field, const std::vector<Choice> &choices, int index,
                   quint8 *byte);

// Spin value from the page bytes (before the spin box limits it) and back.
int SpinValueFromPage(const SettingsField &field, const quint8 *pageBytes);
void SpinValueToPage(const SettingsField &field, int value, quint8 *pageBytes);
