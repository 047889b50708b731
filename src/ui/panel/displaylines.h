// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The upper display line before the recorder's first time: the time-code
// template with its blanks (two before the time, four after the field).
inline constexpr char kInitialTimeLine[] = "  00:00:00.00 F1    ";
