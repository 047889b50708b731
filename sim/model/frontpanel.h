// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <array>
#include <optional>

namespace xrsim {

class RecorderModel;

// The recorder's front panel: keys in, display text out. A reply is one
// display line: a flags byte (bit 7: a menu is open; bit 6: the lower line,
// else the upper; bits 0-5: the column) and up to fourteen characters.
//
// The panel has a settings menu (Menu key) and an options menu (Menu with
// Option). Each reopens on the entry it was left on; Up/Down step through
// the entries, a digit jumps to the entry of that number, Plus/Minus change
// the value at once (Toggle only readies a change that Plus or Minus then
// makes), Clear sets the entry back to its first choice, Backspace leaves
// the menu and Enter closes it. Save proposes the first free segment number
// and makes that segment from the marked in and out points on Enter; Recall
// steps through the segments and cues to the chosen one on Enter. Digits,
// Backspace and Clear edit the number of Save and Recall. The display key
// (Refresh) shows the upper line while a menu is open: its title.
class FrontPanel
{
public:
    // The reply data for a key; none for a key the recorder does not have.
    std::optional<QByteArray> Press(RecorderModel &model, quint8 key);
    bool MenuOpen() const { return mode != Mode::Idle; }

    // A menu left alone for timeoutMs closes by itself (0: never).
    void SetTimeout(qint64 timeoutMs) { this->timeoutMs = timeoutMs; }
    void Update(qint64 nowMs);
    // The display changed without a key (a menu timed out) and has not been
    // read since with the display key.
    bool DisplayChanged() const { return displayChanged; }

private:
    enum class Mode { Idle, Menu, OptionMenu, Save, Recall };

    // The keys that step, change or edit: what they do depends on the mode.
    std::optional<QByteArray> OtherKey(RecorderModel &model, quint8 key);
    void ChangeValue(RecorderModel &model, int step);
    void ResetValue(RecorderModel &model);
    void JumpToEntry(const RecorderModel &model, int number);
    void EditNumber(quint8 key);
    QByteArray Enter(RecorderModel &model);
    QByteArray SaveSegment(RecorderModel &model);
    QByteArray RecallSegment(RecorderModel &model);
    QByteArray Display(RecorderModel &model) const;
    QByteArray TitleLine() const;
    QByteArray VersionLine(const RecorderModel &model) const;
    QByteArray MenuLine(const RecorderModel &model) const;
    QByteArray ModeLine(const RecorderModel &model) const;
    bool InMenu() const { return mode == Mode::Menu || mode == Mode::OptionMenu; }
    int &Entry() { return entries[mode == Mode::OptionMenu ? 1 : 0]; }
    int Entry() const { return entries[mode == Mode::OptionMenu ? 1 : 0]; }

    Mode mode = Mode::Idle;
    // The entry each menu shows, kept while it is closed.
    std::array<int, 2> entries{};
    int number = 0;
    qint64 timeoutMs = 0;
    qint64 lastKeyMs = 0;
    bool displayChanged = false;
};

} // namespace xrsim
