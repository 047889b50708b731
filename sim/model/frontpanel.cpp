// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/frontpanel.h"

#include "model/recordermodel.h"

#include <array>
#include <iterator>

namespace xrsim {

namespace {

namespace key {
constexpr quint8 kVersion = 0x00;
constexpr quint8 kMenu = 0x01;
constexpr quint8 kUp = 0x02;
constexpr quint8 kDown = 0x03;
constexpr quint8 kRefresh = 0x04;
constexpr quint8 kPlus = 0x05;
constexpr quint8 kMinus = 0x06;
constexpr quint8 kDisplay = 0x07;
constexpr quint8 kSave = 0x08;
constexpr quint8 kRecall = 0x09;
constexpr quint8 kToggle = 0x0A;
constexpr quint8 kOptionMenu = 0x0B;
constexpr quint8 kFirstDigit = 0x80;
constexpr quint8 kLastDigit = 0x89;
constexpr quint8 kBackspace = 0x8E;
constexpr quint8 kClear = 0x8F;
constexpr quint8 kEnter = 0x90;
constexpr quint8 kLegacyMinus = 0x9F;
constexpr quint8 kLegacyPlus = 0xA0;
constexpr quint8 kDot = 0xD0;
} // namespace key

constexpr quint8 kMenuOpenFlag = 0x80;
constexpr quint8 kLowerLineFlag = 0x40;
constexpr int kMaxText = 14;
constexpr int kDisplayWidth = 20;

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
    {"Ctrl", SetupPages::kControl, 2, {{{0, "REMOTE"}, {1, "LOCAL"}}}},
    {"Time", SetupPages::kTimeMode, 3, {{{0, "LTC"}, {1, "TIMER"}, {2, "VITC"}}}},
    {"Drop", SetupPages::kDropFrame, 2, {{{0, "NDF"}, {0xFF, "DF"}}}},
    {"Mode",
     SetupPages::kChannelMode,
     3,
     {{{SetupPages::kOneRecorderOrPlayer, "1R/P"},
       {SetupPages::kRecorderAndPlayer, "1R-1P"},
       {SetupPages::kTwoPlayers, "1P-1P"}}}},
};

const MenuEntry kOptionsMenu[] = {
    {"Sync", {0, 2}, 4, {{{0, "AUTO"}, {1, "SYNC"}, {2, "VIDEO"}, {6, "INT"}}}},
    {"Loop", SetupPages::kLoop, 2, {{{0, "OFF"}, {0xFF, "ON"}}}},
    {"Bars", {4, 1}, 2, {{{0, "OFF"}, {0xFF, "ON"}}}},
};

struct Menu
{
    const MenuEntry *entries;
    int count;
};

Menu MenuOf(bool options)
{
    if (options)
        return {kOptionsMenu, int(std::size(kOptionsMenu))};
    return {kSettingsMenu, int(std::size(kSettingsMenu))};
}

QByteArray Line(quint8 flags, const QByteArray &text)
{
    return char(flags) + text.left(kMaxText);
}

QByteArray Numbered(const char *format, int number)
{
    return QByteArray(format) + QByteArray::number(number).rightJustified(4, '0');
}

// The version as the panel shows it: from the 'V' of the version number on.
QByteArray VersionBanner(const QByteArray &version)
{
    for (qsizetype i = 0; i + 1 < version.size(); ++i) {
        if (version.at(i) == 'V' && version.at(i + 1) >= '0' && version.at(i + 1) <= '9')
            return version.mid(i);
    }
    return version;
}

} // namespace

std::optional<QByteArray> FrontPanel::Press(RecorderModel &model, quint8 pressed)
{
    lastKeyMs = model.Now();
    switch (pressed) {
    case key::kVersion:
        return VersionLine(model);
    case key::kDisplay:
        displayChanged = false;
        model.Disks().ClearFormatEnded();
        break;
    case key::kRefresh:
        return MenuOpen() ? TitleLine() : Display(model);
    case key::kMenu:
    case key::kOptionMenu:
        mode = pressed == key::kMenu ? Mode::Menu : Mode::OptionMenu;
        break;
    case key::kSave:
        mode = Mode::Save;
        number = model.Segments().FirstFree();
        break;
    case key::kRecall:
        mode = Mode::Recall;
        number = model.Segments().After(0);
        break;
    case key::kEnter:
        return Enter(model);
    case key::kDot:
        // The older generation's panel has no dot key.
        if (model.Legacy())
            return std::nullopt;
        break;
    case key::kToggle:
        break;
    default:
        return OtherKey(model, pressed);
    }
    return Display(model);
}

void FrontPanel::Update(qint64 nowMs)
{
    if (timeoutMs <= 0 || !MenuOpen() || nowMs - lastKeyMs < timeoutMs)
        return;
    mode = Mode::Idle;
    displayChanged = true;
}

std::optional<QByteArray> FrontPanel::OtherKey(RecorderModel &model, quint8 pressed)
{
    const bool digit = pressed >= key::kFirstDigit && pressed <= key::kLastDigit;
    if (digit || pressed == key::kBackspace || pressed == key::kClear) {
        if (!InMenu())
            EditNumber(pressed);
        else if (digit)
            JumpToEntry(model, pressed - key::kFirstDigit);
        else if (pressed == key::kClear)
            ResetValue(model);
        else
            mode = Mode::Idle;
        return Display(model);
    }
    const bool up = pressed == key::kUp || pressed == key::kPlus || pressed == key::kLegacyPlus;
    const bool down =
        pressed == key::kDown || pressed == key::kMinus || pressed == key::kLegacyMinus;
    if (!up && !down)
        return std::nullopt;
    const int step = up ? 1 : -1;
    switch (mode) {
    case Mode::Menu:
    case Mode::OptionMenu:
        if (pressed == key::kUp || pressed == key::kDown) {
            const int count = MenuOf(mode == Mode::OptionMenu).count;
            Entry() = (Entry() + step + count) % count;
        } else {
            ChangeValue(model, step);
        }
        break;
    case Mode::Save:
        number = qBound(SegmentStore::kFirst, number + step, SegmentStore::kLast);
        break;
    case Mode::Recall:
        if (const int next = up ? model.Segments().After(number) : model.Segments().Before(number))
            number = next;
        break;
    case Mode::Idle:
        break;
    }
    return Display(model);
}

void FrontPanel::ChangeValue(RecorderModel &model, int step)
{
    const MenuEntry &shown = MenuOf(mode == Mode::OptionMenu).entries[Entry()];
    const quint8 value = model.Pages().Active(shown.field);
    int index = 0;
    while (index < shown.choiceCount && shown.choices[size_t(index)].value != value)
        ++index;
    index = index == shown.choiceCount ? 0 : (index + step + shown.choiceCount) % shown.choiceCount;
    model.Pages().Set(shown.field, shown.choices[size_t(index)].value);
}

void FrontPanel::ResetValue(RecorderModel &model)
{
    const MenuEntry &shown = MenuOf(mode == Mode::OptionMenu).entries[Entry()];
    model.Pages().Set(shown.field, shown.choices[0].value);
}

void FrontPanel::JumpToEntry(const RecorderModel &model, int number)
{
    const int index = model.Legacy() ? number : number - 1;
    if (index >= 0 && index < MenuOf(mode == Mode::OptionMenu).count)
        Entry() = index;
}

void FrontPanel::EditNumber(quint8 pressed)
{
    if (mode != Mode::Save && mode != Mode::Recall)
        return;
    if (pressed == key::kBackspace)
        number /= 10;
    else if (pressed == key::kClear)
        number = 0;
    else
        number = (number * 10 + (pressed - key::kFirstDigit)) % 10000;
}

QByteArray FrontPanel::Enter(RecorderModel &model)
{
    QByteArray text;
    if (mode == Mode::Save)
        text = SaveSegment(model);
    else if (mode == Mode::Recall)
        text = RecallSegment(model);
    mode = Mode::Idle;
    return text.isEmpty() ? Display(model) : Line(kLowerLineFlag, text);
}

QByteArray FrontPanel::SaveSegment(RecorderModel &model)
{
    if (!model.CreateSegment(number))
        return "Not saved";
    return Numbered("Saved ", number);
}

QByteArray FrontPanel::RecallSegment(RecorderModel &model)
{
    if (!model.CueToSegment(number))
        return "No segment";
    return Numbered("Cued ", number);
}

QByteArray FrontPanel::Display(RecorderModel &model) const
{
    const quint8 menuFlag = MenuOpen() ? kMenuOpenFlag : 0;
    if (const auto formatMs = model.Disks().Formatting(model.Now())) {
        const qint64 seconds = *formatMs / 1000;
        const QByteArray elapsed = QByteArray::number(seconds / 60).rightJustified(2, '0') + ':' +
                                   QByteArray::number(seconds % 60).rightJustified(2, '0');
        return Line(menuFlag | kLowerLineFlag, "Format " + elapsed);
    }
    if (mode == Mode::Idle)
        return Line(kLowerLineFlag, model.Selected().loadedFile);
    return Line(menuFlag | kLowerLineFlag, ModeLine(model));
}

QByteArray FrontPanel::TitleLine() const
{
    QByteArray title;
    switch (mode) {
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
    return Line(kMenuOpenFlag | quint8((kDisplayWidth - title.size()) / 2), title);
}

QByteArray FrontPanel::VersionLine(const RecorderModel &model) const
{
    const QByteArray given = model.ScenarioInUse().versionKey;
    if (!given.isEmpty())
        return given.left(kMaxText + 1);
    return Line(kLowerLineFlag, VersionBanner(model.VersionText()));
}

QByteArray FrontPanel::ModeLine(const RecorderModel &model) const
{
    switch (mode) {
    case Mode::Save:
        return Numbered("Save seg ", number);
    case Mode::Recall:
        return number == 0 ? QByteArray("No segments") : Numbered("Recall ", number);
    case Mode::Menu:
    case Mode::OptionMenu:
    case Mode::Idle:
        break;
    }
    return MenuLine(model);
}

QByteArray FrontPanel::MenuLine(const RecorderModel &model) const
{
    // Older firmware numbers its entries from 00, newer firmware from 1.
    const MenuEntry &shown = MenuOf(mode == Mode::OptionMenu).entries[Entry()];
    const QByteArray number = model.Legacy() ? QByteArray::number(Entry()).rightJustified(2, '0')
                                             : QByteArray::number(Entry() + 1);
    const quint8 value = model.Pages().Active(shown.field);
    QByteArray valueText = "?" + QByteArray::number(value, 16);
    for (int i = 0; i < shown.choiceCount; ++i) {
        if (shown.choices[size_t(i)].value == value)
            valueText = shown.choices[size_t(i)].text;
    }
    return number + ' ' + shown.label + ' ' + valueText;
}

} // namespace xrsim
