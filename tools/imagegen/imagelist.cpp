// SPDX-License-Identifier: GPL-3.0-or-later
#include "imagelist.h"

#include "panelart.h"

namespace {

const QSize kPanelKey(60, 30);
const QSize kTransportKey(38, 54);
const QSize kLockKey(38, 20);
const QSize kIndicator(20, 20);
const QSize kModeKey(30, 30);
const QSize kListKey(80, 30);
const QSize kWideKey(180, 40);
const QSize kDialogKey(90, 40);
const QSize kSmallKey(70, 30);
const QSize kRenameKey(160, 30);
const QSize kLogo(169, 71);

// Soft tints for the words of keys whose effect cannot be undone, and for
// the glyphs of keys that start something.
const QColor kWarnInk(0xff, 0x9a, 0x8f);
const QColor kGoInk(0x8c, 0xe9, 0x9a);

ImageEntry Key(const char *name, QSize size, const KeyArt &art)
{
    return {QString::fromLatin1(name), size, true,
            [art](QSize s, int scale) { return DrawKey(s, scale, art); }};
}

ImageEntry Word(const char *name, QSize size, KeyFamily family, const char *label)
{
    return Key(name, size, {family, QString::fromUtf8(label), Glyph::None, QColor(), QColor()});
}

ImageEntry Sign(const char *name, QSize size, KeyFamily family, Glyph glyph)
{
    return Key(name, size, {family, QString(), glyph, QColor(), QColor()});
}

// A command key with a glyph in front of its word.
ImageEntry Marked(const char *name, const char *label, Glyph glyph,
                  const QColor &glyphInk = QColor())
{
    return Key(name, kListKey,
               {KeyFamily::Command, QString::fromUtf8(label), glyph, QColor(), glyphInk});
}

// A command key whose effect cannot be undone.
ImageEntry Warning(const char *name, QSize size, const char *label)
{
    return Key(name, size,
               {KeyFamily::Command, QString::fromUtf8(label), Glyph::None, kWarnInk, QColor()});
}

ImageEntry Transport(const char *name, Glyph symbol, const QColor &lampColour, Face face)
{
    return {QString::fromLatin1(name), kTransportKey, true, [=](QSize s, int scale) {
                return DrawTransportKey(s, scale, symbol, lampColour, face);
            }};
}

ImageEntry Status(const char *name, const char *label, const QColor &lampColour)
{
    const QString text = QString::fromLatin1(label);
    return {QString::fromLatin1(name), kPanelKey, true,
            [=](QSize s, int scale) { return DrawStatusKey(s, scale, text, lampColour); }};
}

ImageEntry Mode(const char *name, const char *letters, const QColor &lampColour, Face face)
{
    const QString text = QString::fromLatin1(letters);
    return {QString::fromLatin1(name), kModeKey, true,
            [=](QSize s, int scale) { return DrawModeKey(s, scale, text, lampColour, face); }};
}

ImageEntry Indicator(const char *name, Face face)
{
    return {QString::fromLatin1(name), kIndicator, true,
            [=](QSize s, int scale) { return DrawIndicator(s, scale, face); }};
}

std::vector<ImageEntry> PanelKeys()
{
    const KeyFamily keypad = KeyFamily::Keypad;
    const KeyFamily edit = KeyFamily::Edit;
    const KeyFamily menu = KeyFamily::Menu;
    return {
        Word("Clear.png", kPanelKey, edit, "CLEAR"),
        Sign("Down.png", kPanelKey, menu, Glyph::ArrowDown),
        Word("Enter.png", kPanelKey, menu, "ENTER"),
        Word("Esc.png", kPanelKey, menu, "ESC"),
        Word("Goto.png", kPanelKey, edit, "GOTO"),
        Word("In.png", kPanelKey, edit, "IN"),
        Sign("moinsmoins.png", kPanelKey, menu, Glyph::Minus2),
        Word("Out.png", kPanelKey, edit, "OUT"),
        Sign("plusplus.png", kPanelKey, menu, Glyph::Plus2),
        Word("Recall.png", kPanelKey, menu, "RECALL"),
        Word("Save.png", kPanelKey, menu, "SAVE"),
        Sign("Up.png", kPanelKey, menu, Glyph::ArrowUp),
        Word("Option.png", kPanelKey, KeyFamily::Modifier, "OPTION"),
        Word("Toggle.png", kPanelKey, menu, "TOGGLE"),
        Word("1.png", kPanelKey, keypad, "1"),
        Sign("Bksp.png", kPanelKey, edit, Glyph::Backspace),
        Sign("dot.png", kPanelKey, keypad, Glyph::Dot),
        Word("9.png", kPanelKey, keypad, "9"),
        Word("8.png", kPanelKey, keypad, "8"),
        Word("7.png", kPanelKey, keypad, "7"),
        Word("6.png", kPanelKey, keypad, "6"),
        Word("5.png", kPanelKey, keypad, "5"),
        Word("4.png", kPanelKey, keypad, "4"),
        Word("3.png", kPanelKey, keypad, "3"),
        Word("2.png", kPanelKey, keypad, "2"),
        Word("0.png", kPanelKey, keypad, "0"),
        // The status keys show the recorder's state: LTC on or off, local or
        // remote control, timer or time code.
        Status("LTC.png", "LTC", lamp::kGreen),
        Status("OFF.png", "OFF", QColor()),
        Status("LOC.png", "LOC", lamp::kAmber),
        Status("REM.png", "REM", lamp::kGreen),
        Status("TC.png", "TC", lamp::kGreen),
        Status("AT.png", "AT", lamp::kAmber),
    };
}

// "back" sits on the rewind key and "rew" on the fast-forward key: the names
// are fixed by the forms, the pictures follow the keys.
std::vector<ImageEntry> TransportKeys()
{
    return {
        Transport("backd.png", Glyph::Rewind, lamp::kAmber, Face::Pressed),
        Transport("backu.png", Glyph::Rewind, lamp::kAmber, Face::Released),
        Transport("rewd.png", Glyph::Forward, lamp::kAmber, Face::Pressed),
        Transport("rewu.png", Glyph::Forward, lamp::kAmber, Face::Released),
        Transport("recd.png", Glyph::Record, lamp::kRed, Face::Pressed),
        Transport("recu.png", Glyph::Record, lamp::kRed, Face::Released),
        Transport("playd.png", Glyph::Play, lamp::kGreen, Face::Pressed),
        Transport("playu.png", Glyph::Play, lamp::kGreen, Face::Released),
        Transport("stopd.png", Glyph::Stop, lamp::kIce, Face::Pressed),
        Transport("stopu.png", Glyph::Stop, lamp::kIce, Face::Released),
        Word("Lock.png", kLockKey, KeyFamily::Modifier, "LOCK"),
        Indicator("rbu.png", Face::Released),
        Indicator("rbd.png", Face::Pressed),
    };
}

std::vector<ImageEntry> SegmentPageKeys()
{
    const KeyFamily command = KeyFamily::Command;
    return {
        Word("Segment.png", kListKey, command, "Segment"),
        Marked("Loop.png", "Loop", Glyph::Loop),
        Marked("Next.png", "Next", Glyph::Next),
        Marked("Previous.png", "Previous", Glyph::Previous),
        Warning("RemoveAll.png", kWideKey, "Remove all"),
        Word("RemoveSel.png", kWideKey, command, "Remove selected"),
        Word("AddAfter.png", kWideKey, command, "Add after"),
        Word("AddBefore.png", kWideKey, command, "Add before"),
        Word("Cancel.png", kDialogKey, command, "Cancel"),
        Word("Add.png", kDialogKey, command, "Add"),
        Marked("Pause.png", "Pause", Glyph::Pause),
        Marked("Abort.png", "Abort", Glyph::Stop, lamp::kRed),
        Marked("Start.png", "Start", Glyph::Play, kGoInk),
        Word("Close.png", kSmallKey, command, "Close"),
        Word("Send.png", kSmallKey, command, "Send"),
    };
}

std::vector<ImageEntry> ModeAndDialogKeys()
{
    const KeyFamily command = KeyFamily::Command;
    return {
        Mode("PD.png", "P", lamp::kGreen, Face::Pressed),
        Mode("PU.png", "P", lamp::kGreen, Face::Released),
        Mode("RD.png", "R", lamp::kRed, Face::Pressed),
        Mode("RU.png", "R", lamp::kRed, Face::Released),
        Word("Cancel2.png", kListKey, command, "Cancel"),
        Word("Ok.png", kListKey, command, "OK"),
        Word("Update.png", kListKey, command, "Update"),
        Warning("Delete.png", kListKey, "Delete"),
        Word("Load.png", kListKey, command, "Load"),
        Word("Create.png", kListKey, command, "Create"),
        // A recorder without a player side records and plays on one channel.
        Mode("RP.png", "R/P", lamp::kRed, Face::Pressed),
        Word("Apply.png", kWideKey, command, "Apply"),
        Warning("Format.png", kWideKey, "Format"),
        Word("Scan.png", kWideKey, command, "Scan"),
        Word("rename.png", kRenameKey, command, "Rename"),
        Word("Locate.png", kPanelKey, KeyFamily::Edit, "LOCATE"),
        Word("Capture.png", kSmallKey, KeyFamily::Edit, "CAPTURE"),
        {QStringLiteral("kavoni-logo.jpg"), kLogo, false, DrawLogo},
    };
}

} // namespace

std::vector<ImageEntry> ImageList()
{
    std::vector<ImageEntry> list;
    for (auto &&part : {PanelKeys(), TransportKeys(), SegmentPageKeys(), ModeAndDialogKeys()}) {
        list.insert(list.end(), part.begin(), part.end());
    }
    return list;
}
