// SPDX-License-Identifier: GPL-3.0-or-later
#include "panelart.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

struct Tone
{
    QColor top;
    QColor bottom;
    QColor ink;
};

const QColor kEdge(0x0a, 0x0b, 0x0d);
const QColor kDimInk(0x80, 0x84, 0x8a);

Tone ToneOf(KeyFamily family)
{
    switch (family) {
    case KeyFamily::Keypad:
        return {QColor(0x5e, 0x62, 0x69), QColor(0x3a, 0x3d, 0x43), QColor(0xf4, 0xf4, 0xf4)};
    case KeyFamily::Edit:
        return {QColor(0x4c, 0x50, 0x57), QColor(0x2c, 0x2f, 0x34), QColor(0xe8, 0xe8, 0xe8)};
    case KeyFamily::Menu:
        return {QColor(0x47, 0x57, 0x6c), QColor(0x27, 0x30, 0x3d), QColor(0xdd, 0xe7, 0xf4)};
    case KeyFamily::Modifier:
        return {QColor(0x4c, 0x50, 0x57), QColor(0x2c, 0x2f, 0x34), QColor(0xf2, 0xb6, 0x4a)};
    case KeyFamily::Status:
        return {QColor(0x3b, 0x3e, 0x43), QColor(0x21, 0x23, 0x27), QColor(0xe0, 0xe0, 0xe0)};
    case KeyFamily::Transport:
        return {QColor(0x3c, 0x3e, 0x43), QColor(0x1a, 0x1b, 0x1e), QColor(0xd6, 0xd9, 0xdd)};
    case KeyFamily::Command:
        break;
    }
    return {QColor(0x4a, 0x4e, 0x55), QColor(0x2a, 0x2d, 0x32), QColor(0xea, 0xea, 0xea)};
}

// An image of size x scale pixels that a painter draws on in the size's
// logical pixels.
QImage NewCanvas(QSize size, int scale, QImage::Format format = QImage::Format_ARGB32_Premultiplied)
{
    QImage image(size * scale, format);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

void Prepare(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::NoPen);
}

QRectF Bounds(QSize size)
{
    return QRectF(QPointF(0, 0), QSizeF(size));
}

// Small keys get small corners so that their face keeps its area.
qreal CornerRadius(const QRectF &rect)
{
    return std::min<qreal>(4.0, std::min(rect.width(), rect.height()) / 5.0);
}

// The key cap: a rounded body lit from above. A pressed key sits lower than
// the panel, so its light turns over and a shadow falls on its top edge.
void PaintBody(QPainter &painter, const QRectF &bounds, const Tone &tone, Face face)
{
    const bool pressed = face == Face::Pressed;
    const QRectF outer = bounds.adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = CornerRadius(outer);

    QLinearGradient fill(outer.topLeft(), outer.bottomLeft());
    fill.setColorAt(0, pressed ? tone.bottom.darker(135) : tone.top);
    fill.setColorAt(1, pressed ? tone.top.darker(140) : tone.bottom);
    painter.setPen(QPen(kEdge, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(outer, radius, radius);

    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    QLinearGradient rim(inner.topLeft(), inner.bottomLeft());
    if (pressed) {
        rim.setColorAt(0, QColor(0, 0, 0, 150));
        rim.setColorAt(0.4, QColor(0, 0, 0, 0));
    } else {
        rim.setColorAt(0, QColor(255, 255, 255, 80));
        rim.setColorAt(0.5, QColor(255, 255, 255, 0));
        rim.setColorAt(1, QColor(0, 0, 0, 70));
    }
    painter.setPen(QPen(QBrush(rim), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(inner, radius - 1, radius - 1);
    painter.setPen(Qt::NoPen);
}

QFont LabelFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

// The largest font up to the cap at which the text fits the width: long
// labels shrink rather than run off the key.
QFont FittedFont(const QString &text, qreal width, int cap)
{
    const int smallest = 7;
    for (int size = cap; size > smallest; --size) {
        const QFont font = LabelFont(size);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width) {
            return font;
        }
    }
    return LabelFont(smallest);
}

// Light words on a dark cap read as engraved when a dark line runs under them.
void PaintText(QPainter &painter, const QRectF &area, const QString &text, const QFont &font,
               const QColor &ink)
{
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 150));
    painter.drawText(area.translated(0, 1), Qt::AlignCenter, text);
    painter.setPen(ink);
    painter.drawText(area, Qt::AlignCenter, text);
    painter.setPen(Qt::NoPen);
}

QPainterPath Polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath Rect(qreal x, qreal y, qreal width, qreal height)
{
    QPainterPath path;
    path.addRect(x, y, width, height);
    return path;
}

QPainterPath Stroked(const QPainterPath &line, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(line);
}

// A circular arrow turning counter-clockwise, for the loop key. The gap and
// the head are large so that the mark does not read as a letter.
QPainterPath LoopArrow(QPointF c, qreal h)
{
    const qreal radius = 0.7 * h;
    const qreal startDegrees = 100;
    const qreal sweepDegrees = 240;
    QPainterPath arc;
    const QRectF circle(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
    arc.arcMoveTo(circle, startDegrees);
    arc.arcTo(circle, startDegrees, sweepDegrees);
    QPainterPath path = Stroked(arc, 0.28 * h);

    const qreal end = qDegreesToRadians(startDegrees + sweepDegrees);
    const QPointF radial(std::cos(end), -std::sin(end));
    const QPointF along(-std::sin(end), -std::cos(end));
    const QPointF base = c + radial * radius;
    path.addPath(
        Polygon({base + along * 0.75 * h, base + radial * 0.55 * h, base - radial * 0.55 * h}));
    return path;
}

QPainterPath BackspaceSign(QPointF c, qreal h)
{
    const qreal x = c.x();
    const qreal y = c.y();
    const QPainterPath outline = Polygon({{x - 1.35 * h, y},
                                          {x - 0.6 * h, y - 0.8 * h},
                                          {x + 1.3 * h, y - 0.8 * h},
                                          {x + 1.3 * h, y + 0.8 * h},
                                          {x - 0.6 * h, y + 0.8 * h}});
    const qreal arm = 0.38 * h;
    const qreal crossX = x + 0.35 * h;
    QPainterPath cross;
    cross.moveTo(crossX - arm, y - arm);
    cross.lineTo(crossX + arm, y + arm);
    cross.moveTo(crossX - arm, y + arm);
    cross.lineTo(crossX + arm, y - arm);
    QPainterPath path = Stroked(outline, 0.22 * h);
    path.addPath(Stroked(cross, 0.22 * h));
    return path;
}

// The glyph's outline around centre c; s is its nominal height. Parts of a
// glyph may overlap, so the outline fills by winding.
QPainterPath GlyphShape(Glyph glyph, QPointF c, qreal s)
{
    const qreal h = s / 2;
    const qreal x = c.x();
    const qreal y = c.y();
    QPainterPath path;
    switch (glyph) {
    case Glyph::None:
        break;
    case Glyph::Play:
        // Shifted right of the box centre: a triangle's weight sits at its base.
        path = Polygon({{x - 0.75 * h, y - h}, {x + h, y}, {x - 0.75 * h, y + h}});
        break;
    case Glyph::Stop:
        path.addRoundedRect(QRectF(x - 0.85 * h, y - 0.85 * h, 1.7 * h, 1.7 * h), 1.2, 1.2);
        break;
    case Glyph::Record:
        path.addEllipse(c, 0.95 * h, 0.95 * h);
        break;
    case Glyph::Rewind:
        path = Polygon({{x - 1.1 * h, y}, {x, y - 0.8 * h}, {x, y + 0.8 * h}});
        path.addPath(Polygon({{x, y}, {x + 1.1 * h, y - 0.8 * h}, {x + 1.1 * h, y + 0.8 * h}}));
        break;
    case Glyph::Forward:
        path = Polygon({{x + 1.1 * h, y}, {x, y - 0.8 * h}, {x, y + 0.8 * h}});
        path.addPath(Polygon({{x, y}, {x - 1.1 * h, y - 0.8 * h}, {x - 1.1 * h, y + 0.8 * h}}));
        break;
    case Glyph::Pause:
        path = Rect(x - 0.8 * h, y - 0.85 * h, 0.55 * h, 1.7 * h);
        path.addPath(Rect(x + 0.25 * h, y - 0.85 * h, 0.55 * h, 1.7 * h));
        break;
    case Glyph::Next:
        path = Polygon({{x - 0.9 * h, y - 0.8 * h}, {x + 0.45 * h, y}, {x - 0.9 * h, y + 0.8 * h}});
        path.addPath(Rect(x + 0.5 * h, y - 0.8 * h, 0.35 * h, 1.6 * h));
        break;
    case Glyph::Previous:
        path = Polygon({{x + 0.9 * h, y - 0.8 * h}, {x - 0.45 * h, y}, {x + 0.9 * h, y + 0.8 * h}});
        path.addPath(Rect(x - 0.85 * h, y - 0.8 * h, 0.35 * h, 1.6 * h));
        break;
    case Glyph::Loop:
        path = LoopArrow(c, h);
        break;
    case Glyph::ArrowUp:
        path = Polygon({{x, y - 0.6 * h}, {x + h, y + 0.5 * h}, {x - h, y + 0.5 * h}});
        break;
    case Glyph::ArrowDown:
        path = Polygon({{x, y + 0.6 * h}, {x + h, y - 0.5 * h}, {x - h, y - 0.5 * h}});
        break;
    case Glyph::Minus2:
        path = Rect(x - 1.5 * h, y - 0.14 * h, 1.1 * h, 0.28 * h);
        path.addPath(Rect(x + 0.4 * h, y - 0.14 * h, 1.1 * h, 0.28 * h));
        break;
    case Glyph::Plus2:
        for (const qreal cx : {x - 0.95 * h, x + 0.95 * h}) {
            path.addPath(Rect(cx - 0.55 * h, y - 0.14 * h, 1.1 * h, 0.28 * h));
            path.addPath(Rect(cx - 0.14 * h, y - 0.55 * h, 0.28 * h, 1.1 * h));
        }
        break;
    case Glyph::Backspace:
        path = BackspaceSign(c, h);
        break;
    case Glyph::Dot:
        // Sits on the digits' baseline rather than in the middle of the key.
        path.addEllipse(QPointF(x, y + 0.5 * h), 0.32 * h, 0.32 * h);
        break;
    }
    path.setFillRule(Qt::WindingFill);
    return path;
}

void PaintGlyph(QPainter &painter, const QPainterPath &shape, const QColor &ink)
{
    painter.fillPath(shape.translated(0, 1), QColor(0, 0, 0, 150));
    painter.fillPath(shape, ink);
}

// The halo of a lit lamp spilling onto the cap around it.
void PaintGlow(QPainter &painter, QPointF centre, qreal radius, const QColor &colour)
{
    QRadialGradient glow(centre, radius);
    QColor core = colour;
    core.setAlpha(110);
    QColor rim = colour;
    rim.setAlpha(0);
    glow.setColorAt(0, core);
    glow.setColorAt(1, rim);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(Qt::NoBrush);
}

// A round lamp; an invalid colour paints it dark.
void PaintLed(QPainter &painter, QPointF centre, qreal radius, const QColor &colour)
{
    const bool lit = colour.isValid();
    if (lit) {
        PaintGlow(painter, centre, radius * 2.4, colour);
    }
    QRadialGradient lens(centre - QPointF(radius, radius) * 0.35, radius * 1.3);
    lens.setColorAt(0, lit ? colour.lighter(160) : QColor(0x3a, 0x3c, 0x40));
    lens.setColorAt(0.6, lit ? colour : QColor(0x1e, 0x1f, 0x22));
    lens.setColorAt(1, lit ? colour.darker(160) : QColor(0x12, 0x13, 0x15));
    painter.setPen(QPen(kEdge, 0.8));
    painter.setBrush(lens);
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::NoBrush);
}

// The bar lamp under a transport symbol.
void PaintLampBar(QPainter &painter, const QRectF &bar, const QColor &colour, bool lit)
{
    if (lit) {
        PaintGlow(painter, bar.center(), bar.width() * 0.85, colour);
    }
    QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
    fill.setColorAt(0, lit ? colour.lighter(150) : QColor(0x10, 0x11, 0x13));
    fill.setColorAt(1, lit ? colour : QColor(0x24, 0x26, 0x2a));
    painter.setPen(QPen(kEdge, 0.8));
    painter.setBrush(fill);
    painter.drawRoundedRect(bar, 1.2, 1.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::NoBrush);
}

int LabelCap(KeyFamily family, int height)
{
    // Keypad digits are the largest marks on the panel, as on a calculator;
    // words stay small even on the large keys, where bigger would shout.
    if (family == KeyFamily::Keypad) {
        return qRound(height * 0.6);
    }
    return std::min(qRound(height * 0.38), 13);
}

// The nominal glyph height for a key without a label.
qreal LoneGlyphSize(Glyph glyph, int height)
{
    return glyph == Glyph::Dot ? height * 0.6 : height * 0.5;
}

} // namespace

QImage DrawKey(QSize size, int scale, const KeyArt &art)
{
    QImage image = NewCanvas(size, scale);
    QPainter painter(&image);
    Prepare(painter);
    const Tone tone = ToneOf(art.family);
    const QRectF bounds = Bounds(size);
    PaintBody(painter, bounds, tone, Face::Released);

    const QColor ink = art.ink.isValid() ? art.ink : tone.ink;
    const QColor glyphInk = art.glyphInk.isValid() ? art.glyphInk : ink;
    const QRectF face = bounds.adjusted(4, 1, -4, -1);

    if (art.label.isEmpty()) {
        const QPainterPath shape =
            GlyphShape(art.glyph, face.center(), LoneGlyphSize(art.glyph, size.height()));
        PaintGlyph(painter, shape, glyphInk);
        return image;
    }
    if (art.glyph == Glyph::None) {
        const int cap = LabelCap(art.family, size.height());
        PaintText(painter, face, art.label, FittedFont(art.label, face.width(), cap), ink);
        return image;
    }

    // Glyph and word are centred together as one mark.
    const qreal glyphSize = std::round(size.height() * 0.36);
    const qreal gap = glyphSize * 0.5;
    const QFont font =
        FittedFont(art.label, face.width() - glyphSize - gap, LabelCap(art.family, size.height()));
    const qreal textWidth = QFontMetricsF(font).horizontalAdvance(art.label);
    const qreal left = face.center().x() - (glyphSize + gap + textWidth) / 2;
    const QPointF glyphCentre(left + glyphSize / 2, face.center().y());
    PaintGlyph(painter, GlyphShape(art.glyph, glyphCentre, glyphSize), glyphInk);
    const QRectF textArea(left + glyphSize + gap, face.top(), textWidth, face.height());
    PaintText(painter, textArea, art.label, font, ink);
    return image;
}

QImage DrawTransportKey(QSize size, int scale, Glyph symbol, const QColor &lampColour, Face face)
{
    QImage image = NewCanvas(size, scale);
    QPainter painter(&image);
    Prepare(painter);
    const Tone tone = ToneOf(KeyFamily::Transport);
    PaintBody(painter, Bounds(size), tone, face);

    const bool pressed = face == Face::Pressed;
    if (pressed) {
        painter.translate(0, 1);
    }
    const qreal glyphSize = std::round(size.width() * 0.42);
    const QPointF centre(size.width() / 2.0, std::round(size.height() * 0.42));
    const QPainterPath shape = GlyphShape(symbol, centre, glyphSize);
    if (pressed) {
        PaintGlow(painter, centre, glyphSize * 1.05, lampColour);
        painter.fillPath(shape, lampColour);
    } else {
        // The record key keeps its red at rest, as on any recorder.
        const QColor ink = symbol == Glyph::Record ? lampColour.darker(210) : tone.ink;
        PaintGlyph(painter, shape, ink);
    }
    const qreal barWidth = std::round(size.width() * 0.4);
    const QRectF bar(centre.x() - barWidth / 2, size.height() - 12, barWidth, 4);
    PaintLampBar(painter, bar, lampColour, pressed);
    return image;
}

QImage DrawStatusKey(QSize size, int scale, const QString &label, const QColor &lampColour)
{
    QImage image = NewCanvas(size, scale);
    QPainter painter(&image);
    Prepare(painter);
    const Tone tone = ToneOf(KeyFamily::Status);
    const QRectF bounds = Bounds(size);
    PaintBody(painter, bounds, tone, Face::Released);

    const qreal ledRadius = size.height() * 0.11;
    const QPointF ledCentre(bounds.left() + 5 + ledRadius * 2, bounds.center().y());
    PaintLed(painter, ledCentre, ledRadius, lampColour);
    const QRectF textArea(ledCentre.x() + ledRadius * 2, bounds.top() + 1,
                          bounds.right() - 4 - (ledCentre.x() + ledRadius * 2),
                          bounds.height() - 2);
    const QColor ink = lampColour.isValid() ? tone.ink : kDimInk;
    const QFont font =
        FittedFont(label, textArea.width(), LabelCap(KeyFamily::Status, size.height()) + 1);
    PaintText(painter, textArea, label, font, ink);
    return image;
}

QImage DrawModeKey(QSize size, int scale, const QString &letters, const QColor &lampColour,
                   Face face)
{
    QImage image = NewCanvas(size, scale);
    QPainter painter(&image);
    Prepare(painter);
    const Tone tone = ToneOf(KeyFamily::Transport);
    const QRectF bounds = Bounds(size);
    PaintBody(painter, bounds, tone, face);

    const bool pressed = face == Face::Pressed;
    if (pressed) {
        painter.translate(0, 1);
    }
    const qreal ledRadius = size.height() * 0.08;
    const QPointF ledCentre(bounds.right() - 4 - ledRadius, bounds.top() + 4 + ledRadius);
    PaintLed(painter, ledCentre, ledRadius, pressed ? lampColour : QColor());
    const QRectF textArea = bounds.adjusted(2, 4, -2, 0);
    const QFont font = FittedFont(letters, textArea.width(), qRound(size.height() * 0.5));
    PaintText(painter, textArea, letters, font, pressed ? tone.ink : kDimInk.lighter(125));
    return image;
}

QImage DrawIndicator(QSize size, int scale, Face face)
{
    QImage image = NewCanvas(size, scale);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF bounds = Bounds(size);
    const QPointF centre = bounds.center();
    const qreal outer = std::min(bounds.width(), bounds.height()) / 2 - 0.5;

    // A turned bezel: light falls on its upper rim.
    QLinearGradient bezel(bounds.topLeft(), bounds.bottomLeft());
    bezel.setColorAt(0, QColor(0x6a, 0x6e, 0x75));
    bezel.setColorAt(1, QColor(0x1c, 0x1d, 0x20));
    painter.setPen(QPen(kEdge, 1.0));
    painter.setBrush(bezel);
    painter.drawEllipse(centre, outer, outer);
    painter.setPen(Qt::NoPen);

    const bool lit = face == Face::Pressed;
    PaintLed(painter, centre, outer * 0.55, lit ? lamp::kGreen : QColor());
    return image;
}

namespace {

void PaintPlatter(QPainter &painter, QPointF centre, qreal radius)
{
    QRadialGradient metal(centre - QPointF(radius, radius) * 0.3, radius * 1.4);
    metal.setColorAt(0, QColor(0x8c, 0x93, 0x9c));
    metal.setColorAt(0.7, QColor(0x3e, 0x43, 0x4a));
    metal.setColorAt(1, QColor(0x24, 0x27, 0x2c));
    painter.setPen(QPen(kEdge, 1.0));
    painter.setBrush(metal);
    painter.drawEllipse(centre, radius, radius);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 34), 1.0));
    for (const qreal share : {0.86, 0.72, 0.58}) {
        painter.drawEllipse(centre, radius * share, radius * share);
    }
    painter.setPen(QPen(kEdge, 1.0));
    painter.setBrush(QColor(0x1b, 0x1d, 0x20));
    painter.drawEllipse(centre, radius * 0.24, radius * 0.24);
    painter.setBrush(QColor(0x9a, 0xa0, 0xa8));
    painter.drawEllipse(centre, radius * 0.08, radius * 0.08);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::NoBrush);
}

// The head arm swinging over the platter, with a lit record lamp at its pivot.
void PaintArm(QPainter &painter, QPointF pivot, QPointF head)
{
    painter.setPen(QPen(lamp::kAmber, 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(pivot, head);
    painter.setPen(Qt::NoPen);
    PaintLed(painter, pivot, 4.0, lamp::kRed);
}

} // namespace

QImage DrawLogo(QSize size, int scale)
{
    QImage image = NewCanvas(size, scale, QImage::Format_RGB32);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF bounds = Bounds(size);

    QLinearGradient panel(bounds.topLeft(), bounds.bottomLeft());
    panel.setColorAt(0, QColor(0x2a, 0x2d, 0x33));
    panel.setColorAt(1, QColor(0x12, 0x13, 0x16));
    painter.fillRect(bounds, panel);
    painter.setPen(QPen(QColor(0x44, 0x48, 0x4f), 1.0));
    painter.drawRect(bounds.adjusted(1.5, 1.5, -1.5, -1.5));
    painter.setPen(Qt::NoPen);

    const qreal radius = size.height() * 0.36;
    const QPointF centre(bounds.left() + 10 + radius, bounds.center().y());
    PaintPlatter(painter, centre, radius);
    PaintArm(painter, centre + QPointF(radius * 0.95, -radius * 0.8),
             centre + QPointF(radius * 0.2, -radius * 0.5));

    const qreal textLeft = centre.x() + radius + 10;
    const QRectF wordArea(textLeft, bounds.top() + 8, bounds.right() - 8 - textLeft,
                          bounds.height() * 0.52);
    QFont word = FittedFont(QStringLiteral("TAVREL"), wordArea.width() - 12, 30);
    word.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    PaintText(painter, wordArea, QStringLiteral("TAVREL"), word, QColor(0xee, 0xf0, 0xf3));

    const qreal ruleY = std::round(wordArea.bottom() + 3) + 0.5;
    painter.setPen(QPen(lamp::kAmber, 1.0));
    painter.drawLine(QPointF(textLeft + 2, ruleY), QPointF(wordArea.right() - 2, ruleY));
    painter.setPen(Qt::NoPen);

    const QRectF tagArea(textLeft, ruleY + 2, wordArea.width(), bounds.bottom() - 6 - ruleY);
    const QString tag = QStringLiteral("RECORDER CONTROL");
    QFont small = FittedFont(tag, tagArea.width() - 6, 9);
    small.setBold(false);
    PaintText(painter, tagArea, tag, small, QColor(0x9a, 0xa0, 0xa8));
    return image;
}
