// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Key codes of the recorder's front panel, sent with FrontPanelKey. The
// recorder answers each with its display text. Codes 12 to 14 never reach the
// recorder as keys: the panel serves them itself with the file list commands.
constexpr quint8 kVersionKey = 0x00;
constexpr quint8 kMenuKey = 0x01;
constexpr quint8 kUpKey = 0x02;
constexpr quint8 kDownKey = 0x03;
constexpr quint8 kRefreshKey = 0x04;
constexpr quint8 kPlusKey = 0x05;
constexpr quint8 kMinusKey = 0x06;
// In the settings menu the minus key also flips the Remote/Local entry.
constexpr quint8 kRemoteLocalToggleKey = kMinusKey;
constexpr quint8 kDisplayReadKey = 0x07;
constexpr quint8 kSaveKey = 0x08;
constexpr quint8 kRecallKey = 0x09;
constexpr quint8 kToggleKey = 0x0A;
constexpr quint8 kOptionMenuKey = 0x0B;
constexpr quint8 kFileBrowserOpenKey = 12;
constexpr quint8 kFileBrowserNextKey = 13;
constexpr quint8 kFileBrowserNextAllKey = 14;
constexpr quint8 kDigitKeyBase = 0x80; // + the digit
constexpr quint8 kBackspaceKey = 0x8E;
constexpr quint8 kClearKey = 0x8F;
constexpr quint8 kEnterKey = 0x90;
constexpr quint8 kLegacyMinusKey = 0x9F;
constexpr quint8 kLegacyPlusKey = 0xA0;
constexpr quint8 kDotKey = 0xD0;
