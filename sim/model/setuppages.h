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
    static constexpr int Count = 11;
    static constexpr int Size = 14;

    // The setup bytes the recorder itself acts on.
    struct Field
    {
        int page;
        int byte;
    };
    static constexpr Field Control{0, 0};
    static constexpr Field TimeMode{0, 3};
    static constexpr Field DropFrame{0, 4};
    static constexpr Field ChannelMode{0, 13};
    static constexpr Field Compression{8, 0};
    static constexpr Field Standard{8, 1};
    static constexpr Field AudioTracks{8, 5};
    static constexpr Field RecordDrop{8, 7};

    // Values of the channel mode byte.
    static constexpr quint8 OneRecorderOrPlayer = 0x50;
    static constexpr quint8 RecorderAndPlayer = 0x54;
    static constexpr quint8 TwoPlayers = 0x52;

    SetupPages();

    static bool exists(int page) { return page >= 0 && page < Count; }
    QByteArray read(int page) const;
    // Stores up to fourteen bytes from the start of a page.
    bool write(int page, const QByteArray &bytes);
    bool apply(int page);
    quint8 active(Field field) const;
    void set(Field field, quint8 value);

private:
    using Page = std::array<quint8, Size>;
    std::array<Page, Count> m_stored;
    std::array<Page, Count> m_active;
};

} // namespace xrsim
