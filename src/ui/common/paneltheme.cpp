// SPDX-License-Identifier: GPL-3.0-or-later
#include "paneltheme.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

namespace {

// Each role's colour while enabled and while disabled. Text roles keep at
// least 4.5:1 against the backgrounds they are drawn on, in both states.
struct RoleColours
{
    QPalette::ColorRole role;
    QRgb enabled;
    QRgb disabled;
};

constexpr RoleColours kPalette[] = {
    {QPalette::Window, 0x26292e, 0x26292e},      {QPalette::WindowText, 0xd6dae0, 0x9aa1aa},
    {QPalette::Base, 0x1c1f23, 0x1c1f23},        {QPalette::AlternateBase, 0x23272c, 0x23272c},
    {QPalette::Text, 0xd6dae0, 0x9aa1aa},        {QPalette::PlaceholderText, 0x9aa1aa, 0x9aa1aa},
    {QPalette::Button, 0x3a3f46, 0x33373d},      {QPalette::ButtonText, 0xe6e9ed, 0xa9b0b8},
    {QPalette::BrightText, 0xffffff, 0xffffff},  {QPalette::Light, 0x5a616b, 0x4b515a},
    {QPalette::Midlight, 0x4b515a, 0x40454c},    {QPalette::Mid, 0x2f3338, 0x2f3338},
    {QPalette::Dark, 0x1b1e22, 0x1b1e22},        {QPalette::Shadow, 0x0a0b0d, 0x0a0b0d},
    {QPalette::Highlight, 0x1f6f5c, 0x3a3f46},   {QPalette::HighlightedText, 0xffffff, 0xd6dae0},
    {QPalette::ToolTipBase, 0x2b2f34, 0x2b2f34}, {QPalette::ToolTipText, 0xe6e9ed, 0xe6e9ed},
    {QPalette::Link, 0x5ff2d0, 0x9aa1aa},        {QPalette::LinkVisited, 0x8ffbe2, 0x9aa1aa},
};

// What the palette cannot say: the panel's own parts, picked out by object
// name or by the properties the pages give them. Colours of plain widgets
// come from the palette, so that every state of every widget follows it.
// Font sizes are left out on purpose: the display writers set the lower
// line's point size themselves, and a size in the style sheet would win.
const char kStyleSheet[] = R"(
QMenuBar {
    background: #1d2024;
    border-bottom: 1px solid #111315;
}
QMenuBar::item {
    padding: 3px 9px;
    background: transparent;
}
QMenuBar::item:selected, QMenu::item:selected {
    background: #1f6f5c;
    color: #ffffff;
}
QMenu {
    background: #2b2f34;
    border: 1px solid #454a52;
}
QMenu::item {
    padding: 4px 24px 4px 22px;
}
QMenu::item:disabled {
    color: #9aa1aa;
}
QMenu::separator {
    height: 1px;
    background: #454a52;
    margin: 3px 6px;
}
QToolTip {
    color: #e6e9ed;
    background-color: #2b2f34;
    border: 1px solid #5a616b;
    padding: 2px;
}
QTabWidget::pane {
    background: #26292e;
    border: 1px solid #3c4148;
    border-radius: 4px;
    top: -1px;
}
QTabBar::tab {
    background: #2b2f34;
    color: #aab1ba;
    border: 1px solid #3c4148;
    border-bottom: none;
    border-top-left-radius: 4px;
    border-top-right-radius: 4px;
    padding: 4px 14px;
    margin-right: 2px;
}
QTabBar::tab:selected {
    background: #3a3f46;
    color: #ffffff;
}
QTabBar::tab:disabled, QTabBar::tab:selected:disabled {
    background: #2b2f34;
    color: #9aa1aa;
}
QGroupBox[keyGroup="true"], QGroupBox#buttonGroup15 {
    background: #31353b;
    border: 1px solid #454a52;
    border-radius: 6px;
}
QGroupBox[keyGroup="true"][titled="true"] {
    margin-top: 8px;
    padding-top: 10px;
}
QGroupBox::title {
    subcontrol-origin: margin;
    left: 10px;
    color: #aab1ba;
}
QFrame#line7 {
    background: #3c4148;
    border: none;
    max-width: 1px;
}
QDial {
    background-color: #59606a;
}
QGroupBox[display="true"] {
    background: #15181b;
    border: 2px solid #0b0c0e;
    border-radius: 8px;
}
QLineEdit, QTextEdit, QListWidget, QTableWidget {
    background: #1c1f23;
    border: 1px solid #3c4148;
    border-radius: 3px;
    selection-background-color: #1f6f5c;
    selection-color: #ffffff;
}
QTableWidget {
    alternate-background-color: #23272c;
    gridline-color: #3c4148;
}
QHeaderView {
    background: #2b2f34;
}
QHeaderView::section {
    background: #2b2f34;
    color: #c3c9d1;
    border: none;
    border-right: 1px solid #3c4148;
    padding: 3px 6px;
}
QTableCornerButton::section {
    background: #2b2f34;
    border: none;
}
QLineEdit[displayLine="true"] {
    background: #08120f;
    color: #5ff2d0;
    border: 1px solid #03100b;
    padding: 1px 6px;
    selection-background-color: #5ff2d0;
    selection-color: #08120f;
}
QLineEdit[upperLine="true"] {
    color: #8ffbe2;
}
QLabel[meterLabel="true"] {
    color: #9aa1aa;
}
QGroupBox[display="true"] QProgressBar {
    background: #0b0d0f;
    border: 1px solid #03100b;
    border-radius: 2px;
}
QGroupBox[display="true"] QProgressBar::chunk {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0,
        stop:0 #2fd67a, stop:0.7 #c7e04a, stop:1 #f0603f);
}
QPushButton {
    background: #3a3f46;
    border: 1px solid #4b515a;
    border-radius: 4px;
    padding: 4px 12px;
}
QPushButton:disabled {
    background: #33373d;
}
QPushButton[panelKey="true"] {
    border: none;
    padding: 1px;
    background: transparent;
}
QPushButton[panelKey="true"]:pressed {
    padding: 2px 0px 0px 2px;
}
QPushButton[panelKey="true"]:checked {
    background: #c9a227;
    border-radius: 4px;
}
QPushButton[memory="true"] {
    font-family: monospace;
    color: #8ffbe2;
    background: #08120f;
    border: 1px solid #454a52;
    border-radius: 4px;
    padding: 4px 8px;
}
QPushButton[memory="true"]:checked {
    border: 2px solid #c9a227;
}
)";

QFont DisplayFont(int pointSize, bool bold)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QPalette ThemePalette()
{
    QPalette palette;
    for (const RoleColours &entry : kPalette) {
        palette.setColor(QPalette::Active, entry.role, QColor(entry.enabled));
        palette.setColor(QPalette::Inactive, entry.role, QColor(entry.enabled));
        palette.setColor(QPalette::Disabled, entry.role, QColor(entry.disabled));
    }
    return palette;
}

// Fusion draws every control from the palette, where a platform's own style
// might keep light fields or scroll bars of its own in a dark window.
void ApplyTheme(QApplication &app)
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(ThemePalette());
    app.setStyleSheet(QLatin1String(kStyleSheet));
}

void ApplyDisplayFonts(QWidget *upperLine, QWidget *lowerLine)
{
    upperLine->setFont(DisplayFont(16, true));
    lowerLine->setFont(DisplayFont(14, false));
}
