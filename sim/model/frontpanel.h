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
    std::optional<QByteArray> press(RecorderModel &model, quint8 key);
    bool menuOpen() const { return m_mode != Mode::Idle; }

    // A menu left alone for timeoutMs closes by itself (0: never).
    void setTimeout(qint64 timeoutMs) { m_timeoutMs = timeoutMs; }
    void update(qint64 nowMs);
    // The display changed without a key (a menu timed out) and has not been
    // read since with the display key.
    bool displayChanged() const { return m_displayChanged; }

private:
    enum class Mode { Idle, Menu, OptionMenu, Save, Recall };

    // The keys that step, change or edit: what they do depends on the mode.
    std::optional<QByteArray> otherKey(RecorderModel &model, quint8 key);
    void changeValue(RecorderModel &model, int step);
    void resetValue(RecorderModel &model);
    void jumpToEntry(const RecorderModel &model, int number);
    void editNumber(quint8 key);
    QByteArray enter(RecorderModel &model);
    QByteArray saveSegment(RecorderModel &model);
    QByteArray recallSegment(RecorderModel &model);
    QByteArray display(RecorderModel &model) const;
    QByteArray titleLine() const;
    QByteArray versionLine(const RecorderModel &model) const;
    QByteArray menuLine(const RecorderModel &model) const;
    QByteArray modeLine(const RecorderModel &model) const;
    bool inMenu() const { return m_mode == Mode::Menu || m_mode == Mode::OptionMenu; }
    int &entry() { return m_entries[m_mode == Mode::OptionMenu ? 1 : 0]; }
    int entry() const { return m_entries[m_mode == Mode::OptionMenu ? 1 : 0]; }

    Mode m_mode = Mode::Idle;
    // The entry each menu shows, kept while it is closed.
    std::array<int, 2> m_entries{};
    int m_number = 0;
    qint64 m_timeoutMs = 0;
    qint64 m_lastKeyMs = 0;
    bool m_displayChanged = false;
};

} // namespace xrsim
