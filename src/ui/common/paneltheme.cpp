// SPDX-License-Identifier: GPL-3.0-or-later
#include "paneltheme.h"

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

namespace {

// Every colour is set here rather than in a palette: a widget with a style
// rule of its own takes the application's palette, not its parent's. Font
// sizes are left out on purpose: the display writers set the lower line's
// point size themselves, and a size in the style sheet would win.
const char kStyleSheet[] = R"(
QMainWindow, QDialog, QStatusBar {
    background: #26292e;
}
QWidget {
    color: #d6dae0;
}
QWidget:disabled {
    color: #7d848d;
}
QMenuBar {
    background: #1d2024;
    border-bottom: 1px solid #111315;
}
QMenuBar::item {
    padding: 3px 9px;
    background: transparent;
}
QMenuBar::item:selected, QMenu::item:selected {
    background: #2e8b74;
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
    color: #6c737c;
}
QMenu::separator {
    height: 1px;
    background: #454a52;
    margin: 3px 6px;
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
QLineEdit, QTextEdit, QListWidget, QTableWidget, QSpinBox {
    background: #1c1f23;
    color: #d6dae0;
    border: 1px solid #3c4148;
    border-radius: 3px;
    selection-background-color: #2e8b74;
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
    color: #aab1ba;
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
    color: #6f7781;
}
QProgressBar {
    background: #0b0d0f;
    border: 1px solid #03100b;
    border-radius: 2px;
}
QProgressBar::chunk {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0,
        stop:0 #2fd67a, stop:0.7 #c7e04a, stop:1 #f0603f);
}
QPushButton {
    background: #3a3f46;
    border: 1px solid #4b515a;
    border-radius: 4px;
    padding: 4px 12px;
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

void ApplyPanelTheme(QWidget *window)
{
    window->setStyleSheet(QLatin1String(kStyleSheet));
}

void ApplyDisplayFonts(QWidget *upperLine, QWidget *lowerLine)
{
    upperLine->setFont(DisplayFont(16, true));
    lowerLine->setFont(DisplayFont(14, false));
}
