// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// The groups of keys on the panel. Each group has its own body colour so that
// the operator tells the keypad, the menu keys and the transport apart at a
// glance, as on the recorder's own front panel.
enum class KeyFamily { Keypad, Edit, Menu, Modifier, Status, Transport, Command };

// Controls that show their state come as two faces: released ("up") and
// pressed ("down", sunk into the panel and lit).
enum class Face { Released, Pressed };

// Symbols drawn on keys, on their own or in front of a label.
enum class Glyph {
    None,
    Play,
    Stop,
    Record,
    Rewind,
    Forward,
    Pause,
    Next,
    Previous,
    Loop,
    ArrowUp,
    ArrowDown,
    Minus2,
    Plus2,
    Backspace,
    Dot
};

// A labelled key: a word, a glyph, or a glyph in front of a word.
struct KeyArt
{
    KeyFamily family = KeyFamily::Command;
    QString label;
    Glyph glyph = Glyph::None;
    QColor ink;      // label colour; invalid: the family's own
    QColor glyphInk; // glyph colour; invalid: the label colour
};

// Lamp colours shared by the keys and indicators.
namespace lamp {
const QColor kGreen(0x52, 0xf0, 0x6e);
const QColor kAmber(0xff, 0xb3, 0x3c);
const QColor kRed(0xff, 0x45, 0x3a);
const QColor kIce(0xb8, 0xe2, 0xff);
} // namespace lamp

// Every function draws at the given size in logical pixels and returns a
// premultiplied ARGB image of `scale` times as many pixels each way, with
// transparent corners (DrawLogo's is opaque). Its device pixel ratio is the
// scale: a picture for a screen of that density is drawn anew, finer, not
// enlarged.
QImage DrawKey(QSize size, int scale, const KeyArt &art);

// A tall transport key: the symbol over a lamp. Released, the symbol is
// engraved and the lamp dark; pressed, both glow in the lamp colour.
QImage DrawTransportKey(QSize size, int scale, Glyph symbol, const QColor &lampColour, Face face);

// A status key: a lamp beside a short word. An invalid colour leaves the
// lamp dark and greys the word, for the "off" state.
QImage DrawStatusKey(QSize size, int scale, const QString &label, const QColor &lampColour);

// A recorder/player mode key: a letter with a lamp in its corner that is lit
// while the key is pressed.
QImage DrawModeKey(QSize size, int scale, const QString &letters, const QColor &lampColour,
                   Face face);

// A round radio-style indicator: a lamp in a bezel.
QImage DrawIndicator(QSize size, int scale, Face face);

// The program's logo for the About box.
QImage DrawLogo(QSize size, int scale);
