#include "model/frontpanel.h"

#include "model/recordermodel.h"

#include <array>
#include <iterator>

namespace xrsim {

namespace {

namespace key {
constexpr quint8 Version = 0x00;
constexpr quint8 Menu = 0x01;
constexpr quint8 Up = 0x02;
constexpr quint8 Down = 0x03;
constexpr quint8 Refresh = 0x04;
constexpr quint8 Plus = 0x05;
constexpr quint8 Minus = 0x06;
constexpr quint8 Display = 0x07;
constexpr quint8 Save = 0x08;
constexpr quint8 Recall = 0x09;
constexpr quint8 Toggle = 0x0A;
constexpr quint8 OptionMenu = 0x0B;
constexpr quint8 FirstDigit = 0x80;
constexpr quint8 LastDigit = 0x89;
constexpr quint8 Backspace = 0x8E;
constexpr quint8 Clear = 0x8F;
constexpr quint8 Enter = 0x90;
constexpr quint8 LegacyMinus = 0x9F;
constexpr quint8 LegacyPlus = 0xA0;
constexpr quint8 Dot = 0xD0;
} // namespace key

constexpr quint8 MenuOpenFlag = 0x80;
constexpr quint8 LowerLineFlag = 0x40;
constexpr int MaxText = 14;
constexpr int DisplayWidth = 20;

struct Choice
{
    quint8 value;
    const char *text;
};

struct MenuEntry
{
    const char *label;
    SetupPages::Field field;
    int choiceCount;
    std::array<Choice, 4> choices;
};

// The settings menu. Control comes first, numbered 1 (00 on older
// firmware): the controller walks the menu until it finds the entry so
// numbered to switch between remote and local control. With fewer than ten
// entries no other entry's number starts with 1.
const MenuEntry kSettingsMenu[] = {
    {"Ctrl", SetupPages::Control, 2, {{{0, "REMOTE"}, {1, "LOCAL"}}}},
    {"Time", SetupPages::TimeMode, 3, {{{0, "LTC"}, {1, "TIMER"}, {2, "VITC"}}}},
    {"Drop", SetupPages::DropFrame, 2, {{{0, "NDF"}, {0xFF, "DF"}}}},
    {"Mode",
     SetupPages::ChannelMode,
     3,
     {{{SetupPages::OneRecorderOrPlayer, "1R/P"},
       {SetupPages::RecorderAndPlayer, "1R-1P"},
       {SetupPages::TwoPlayers, "1P-1P"}}}},
};

const MenuEntry kOptionsMenu[] = {
    {"Sync", {0, 2}, 4, {{{0, "AUTO"}, {1, "SYNC"}, {2, "VIDEO"}, {6, "INT"}}}},
    {"Loop", {0, 1}, 2, {{{0, "OFF"}, {0xFF, "ON"}}}},
    {"Bars", {4, 1}, 2, {{{0, "OFF"}, {0xFF, "ON"}}}},
};

struct Menu
{
    const MenuEntry *entries;
    int count;
};

Menu menuOf(bool options)
{
    if (options)
        return {kOptionsMenu, int(std::size(kOptionsMenu))};
    return {kSettingsMenu, int(std::size(kSettingsMenu))};
}

QByteArray line(quint8 flags, const QByteArray &text)
{
    return char(flags) + text.left(MaxText);
}

QByteArray numbered(const char *format, int number)
{
    return QByteArray(format) + QByteArray::number(number).rightJustified(4, '0');
}

// The version as the panel shows it: from the 'V' of the version number on.
QByteArray versionBanner(const QByteArray &version)
{
    for (qsizetype i = 0; i + 1 < version.size(); ++i) {
        if (version.at(i) == 'V' && version.at(i + 1) >= '0' && version.at(i + 1) <= '9')
            return version.mid(i);
    }
    return version;
}

} // namespace

std::optional<QByteArray> FrontPanel::press(RecorderModel &model, quint8 pressed)
{
    m_lastKeyMs = model.now();
    switch (pressed) {
    case key::Version:
        return versionLine(model);
    case key::Display:
        m_displayChanged = false;
        model.disks().clearFormatEnded();
        break;
    case key::Refresh:
        return menuOpen() ? titleLine() : display(model);
    case key::Menu:
    case key::OptionMenu:
        m_mode = pressed == key::Menu ? Mode::Menu : Mode::OptionMenu;
        break;
    case key::Save:
        m_mode = Mode::Save;
        m_number = model.segments().firstFree();
        break;
    case key::Recall:
        m_mode = Mode::Recall;
        m_number = model.segments().after(0);
        break;
    case key::Enter:
        return enter(model);
    case key::Dot:
        // The older generation's panel has no dot key.
        if (model.legacy())
            return std::nullopt;
        break;
    case key::Toggle:
        break;
    default:
        return otherKey(model, pressed);
    }
    return display(model);
}

void FrontPanel::update(qint64 nowMs)
{
    if (m_timeoutMs <= 0 || !menuOpen() || nowMs - m_lastKeyMs < m_timeoutMs)
        return;
    m_mode = Mode::Idle;
    m_displayChanged = true;
}

std::optional<QByteArray> FrontPanel::otherKey(RecorderModel &model, quint8 pressed)
{
    const bool digit = pressed >= key::FirstDigit && pressed <= key::LastDigit;
    if (digit || pressed == key::Backspace || pressed == key::Clear) {
        if (!inMenu())
            editNumber(pressed);
        else if (digit)
            jumpToEntry(model, pressed - key::FirstDigit);
        else if (pressed == key::Clear)
            resetValue(model);
        else
            m_mode = Mode::Idle;
        return display(model);
    }
    const bool up = pressed == key::Up || pressed == key::Plus || pressed == key::LegacyPlus;
    const bool down = pressed == key::Down || pressed == key::Minus || pressed == key::LegacyMinus;
    if (!up && !down)
        return std::nullopt;
    const int step = up ? 1 : -1;
    switch (m_mode) {
    case Mode::Menu:
    case Mode::OptionMenu:
        if (pressed == key::Up || pressed == key::Down) {
            const int count = menuOf(m_mode == Mode::OptionMenu).count;
            entry() = (entry() + step + count) % count;
        } else {
            changeValue(model, step);
        }
        break;
    case Mode::Save:
        m_number = qBound(SegmentStore::First, m_number + step, SegmentStore::Last);
        break;
    case Mode::Recall:
        if (const int next =
                up ? model.segments().after(m_number) : model.segments().before(m_number))
            m_number = next;
        break;
    case Mode::Idle:
        break;
    }
    return display(model);
}

void FrontPanel::changeValue(RecorderModel &model, int step)
{
    const MenuEntry &shown = menuOf(m_mode == Mode::OptionMenu).entries[entry()];
    const quint8 value = model.pages().active(shown.field);
    int index = 0;
    while (index < shown.choiceCount && shown.choices[size_t(index)].value != value)
        ++index;
    index = index == shown.choiceCount ? 0 : (index + step + shown.choiceCount) % shown.choiceCount;
    model.pages().set(shown.field, shown.choices[size_t(index)].value);
}

void FrontPanel::resetValue(RecorderModel &model)
{
    const MenuEntry &shown = menuOf(m_mode == Mode::OptionMenu).entries[entry()];
    model.pages().set(shown.field, shown.choices[0].value);
}

void FrontPanel::jumpToEntry(const RecorderModel &model, int number)
{
    const int index = model.legacy() ? number : number - 1;
    if (index >= 0 && index < menuOf(m_mode == Mode::OptionMenu).count)
        entry() = index;
}

void FrontPanel::editNumber(quint8 pressed)
{
    if (m_mode != Mode::Save && m_mode != Mode::Recall)
        return;
    if (pressed == key::Backspace)
        m_number /= 10;
    else if (pressed == key::Clear)
        m_number = 0;
    else
        m_number = (m_number * 10 + (pressed - key::FirstDigit)) % 10000;
}

QByteArray FrontPanel::enter(RecorderModel &model)
{
    QByteArray text;
    if (m_mode == Mode::Save)
        text = saveSegment(model);
    else if (m_mode == Mode::Recall)
        text = recallSegment(model);
    m_mode = Mode::Idle;
    return text.isEmpty() ? display(model) : line(LowerLineFlag, text);
}

QByteArray FrontPanel::saveSegment(RecorderModel &model)
{
    if (!model.createSegment(m_number))
        return "Not saved";
    return numbered("Saved ", m_number);
}

QByteArray FrontPanel::recallSegment(RecorderModel &model)
{
    if (!model.cueToSegment(m_number))
        return "No segment";
    return numbered("Cued ", m_number);
}

QByteArray FrontPanel::display(RecorderModel &model) const
{
    const quint8 menuFlag = menuOpen() ? MenuOpenFlag : 0;
    if (const auto formatMs = model.disks().formatting(model.now())) {
        const qint64 seconds = *formatMs / 1000;
        const QByteArray elapsed = QByteArray::number(seconds / 60).rightJustified(2, '0') + ':' +
                                   QByteArray::number(seconds % 60).rightJustified(2, '0');
        return line(menuFlag | LowerLineFlag, "Format " + elapsed);
    }
    if (m_mode == Mode::Idle)
        return line(LowerLineFlag, model.selected().loadedFile);
    return line(menuFlag | LowerLineFlag, modeLine(model));
}

QByteArray FrontPanel::titleLine() const
{
    QByteArray title;
    switch (m_mode) {
    case Mode::Menu:
        title = "SETUP MENU";
        break;
    case Mode::OptionMenu:
        title = "OPTIONS";
        break;
    case Mode::Save:
        title = "SAVE SEGMENT";
        break;
    case Mode::Recall:
        title = "RECALL SEGMENT";
        break;
    case Mode::Idle:
        break;
    }
    // Centred on the upper line.
    return line(MenuOpenFlag | quint8((DisplayWidth - title.size()) / 2), title);
}

QByteArray FrontPanel::versionLine(const RecorderModel &model) const
{
    const QByteArray given = model.scenario().versionKey;
    if (!given.isEmpty())
        return given.left(MaxText + 1);
    return line(LowerLineFlag, versionBanner(model.versionText()));
}

QByteArray FrontPanel::modeLine(const RecorderModel &model) const
{
    switch (m_mode) {
    case Mode::Save:
        return numbered("Save seg ", m_number);
    case Mode::Recall:
        return m_number == 0 ? QByteArray("No segments") : numbered("Recall ", m_number);
    case Mode::Menu:
    case Mode::OptionMenu:
    case Mode::Idle:
        break;
    }
    return menuLine(model);
}

QByteArray FrontPanel::menuLine(const RecorderModel &model) const
{
    // Older firmware numbers its entries from 00, newer firmware from 1.
    const MenuEntry &shown = menuOf(m_mode == Mode::OptionMenu).entries[entry()];
    const QByteArray number = model.legacy() ? QByteArray::number(entry()).rightJustified(2, '0')
                                             : QByteArray::number(entry() + 1);
    const quint8 value = model.pages().active(shown.field);
    QByteArray valueText = "?" + QByteArray::number(value, 16);
    for (int i = 0; i < shown.choiceCount; ++i) {
        if (shown.choices[size_t(i)].value == value)
            valueText = shown.choices[size_t(i)].text;
    }
    return number + ' ' + shown.label + ' ' + valueText;
}

} // namespace xrsim
