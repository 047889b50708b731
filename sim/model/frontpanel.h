#pragma once

#include <QByteArray>

#include <optional>

namespace xrsim {

class RecorderModel;

// The recorder's front panel: keys in, display text out. A reply is one
// display line: a flags byte (bit 7: a menu is open; bit 6: the lower line;
// bits 0-5: the column) and up to fourteen characters.
//
// The panel has a settings menu (Menu key) and an options menu (Menu with
// Option): Up/Down step through the entries, Plus/Minus/Toggle change the
// value at once, Enter closes. Save proposes the first free segment number
// and makes that segment from the marked in and out points on Enter; Recall
// steps through the segments and cues to the chosen one on Enter. Digits,
// Backspace and Clear edit the number of Save and Recall.
class FrontPanel
{
public:
    // The reply data for a key; none for a key the recorder does not have.
    std::optional<QByteArray> press(RecorderModel &model, quint8 key);
    bool menuOpen() const { return m_mode != Mode::Idle; }

private:
    enum class Mode { Idle, Menu, OptionMenu, Save, Recall };

    bool navigate(RecorderModel &model, quint8 key);
    void changeValue(RecorderModel &model, int step);
    void editNumber(quint8 key);
    QByteArray enter(RecorderModel &model);
    QByteArray saveSegment(RecorderModel &model);
    QByteArray recallSegment(RecorderModel &model);
    QByteArray display(RecorderModel &model) const;
    QByteArray menuLine(const RecorderModel &model) const;
    QByteArray modeLine(const RecorderModel &model) const;

    Mode m_mode = Mode::Idle;
    int m_entry = 0;
    int m_number = 0;
};

} // namespace xrsim
