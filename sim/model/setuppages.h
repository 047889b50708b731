// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <array>

namespace xrsim {

// The recorder's setup: eleven pages (0-10) of fourteen bytes. A page write
// changes the stored page; the recorder acts on it once the page is applied.
// Changes the recorder makes itself (timer mode, menu settings) take effect
// at once and are stored too.
class SetupPages
{
public:
    static constexpr int kCount = 11;
    static constexpr int kSize = 14;

    // The setup bytes the recorder itself acts on.
    struct Field
    {
        int page;
        int byte;
    };
    static constexpr Field kControl{0, 0};
    static constexpr Field kLoop{0, 1};
    static constexpr Field kTimeMode{0, 3};
    static constexpr Field kDropFrame{0, 4};
    static constexpr Field kChannelMode{0, 13};
    static constexpr Field kCompression{8, 0};
    static constexpr Field kStandard{8, 1};
    static constexpr Field kAudioTracks{8, 5};
    static constexpr Field kRecordDrop{8, 7};

    // Values of the channel mode byte.
    static constexpr quint8 kOneRecorderOrPlayer = 0x50;
    static constexpr quint8 kRecorderAndPlayer = 0x54;
    static constexpr quint8 kTwoPlayers = 0x52;

    SetupPages();

    static bool Exists(int page) { return page >= 0 && page < kCount; }
    QByteArray Read(int page) const;
    // Stores up to fourteen bytes from the start of a page.
    bool Write(int page, const QByteArray &bytes);
    bool Apply(int page);
    quint8 Active(Field field) const;
    void Set(Field field, quint8 value);

private:
    using Page = std::array<quint8, kSize>;
    std::array<Page, kCount> stored;
    std::array<Page, kCount> active;
};

} // namespace xrsim
