// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// The look of a recorder's front panel: a dark anthracite case, keys grouped
// on slightly raised plates, and the display as a dark glass strip with a
// fixed-pitch font in the colour of a vacuum-fluorescent display. Applied to
// the main window and to each of its dialogs.
void ApplyPanelTheme(QWidget *window);

// The display's fonts: the time line large and bold, the lower line at the
// size the display writers choose (14 points, or 10 for a long text).
void ApplyDisplayFonts(QWidget *upperLine, QWidget *lowerLine);
