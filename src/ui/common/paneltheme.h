// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;
class QPalette;
class QWidget;

// The program's look, one style sheet and one palette for every window it
// opens: the main window, its dialogs, message boxes, file dialogs and tool
// tips. The palette makes everything dark and legible (each text at least
// 4.5:1 against its background, disabled text too); the style sheet adds the
// recorder's front panel: a dark anthracite case, keys grouped on slightly
// raised plates, and the display as a dark glass strip with a fixed-pitch
// font in the colour of a vacuum-fluorescent display.
//
// Set once, by the entry point, on the application; a test that looks at the
// windows as the operator sees them sets it too.
void ApplyTheme(QApplication &app);

// The palette alone.
QPalette ThemePalette();

// The display's fonts: the time line large and bold, the lower line at the
// size the display writers choose (14 points, or 10 for a long text).
void ApplyDisplayFonts(QWidget *upperLine, QWidget *lowerLine);
