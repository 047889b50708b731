// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsfields.h"

#include "protocol/recorderinfo.h"

#include <map>

namespace {

constexpr quint8 kAllOnes = 0xFF;

SettingsField Combo(int page, int byte, const char *label, std::vector<Choice> choices)
{
    SettingsField field;
    field.page = page;
    field.byte = byte;
    field.label = label;
    field.choices = std::move(choices);
    return field;
}

SettingsField Spin(int page, int byte, const char *label, int minimum, int maximum, int step = 1)
{
    SettingsField field;
    field.page = page;
    field.byte = byte;
    field.label = label;
    field.kind = FieldKind::Spin;
    field.minimum = minimum;
    field.maximum = maximum;
    field.step = step;
    return field;
}

// The edit presets sit in the page as the recorder keeps them; the dialog
// shows an empty combo for them and never changes their bytes.
SettingsField Preset(int page, int byte, const char *label)
{
    SettingsField field;
    field.page = page;
    field.byte = byte;
    field.label = label;
    field.kind = FieldKind::Preset;
    return field;
}

// Choices the recorder accepts but reports differently when read back.
Choice WriteOnly(const char *text, quint8 byte)
{
    return {text, byte, false};
}

SettingsField Alias(SettingsField field, quint8 byte, int choice)
{
    field.aliasByte = byte;
    field.aliasChoice = choice;
    return field;
}

SettingsField NonZero(SettingsField field, int choice)
{
    field.nonZeroChoice = choice;
    return field;
}

SettingsField UndefinedAllOnes(SettingsField field)
{
    field.undefinedWritesAllOnes = true;
    return field;
}

SettingsField Word(SettingsField field, SpinBytes bytes)
{
    field.bytes = bytes;
    return field;
}

SettingsField ToolTip(SettingsField field, const char *text)
{
    field.toolTip = text;
    return field;
}

const std::vector<Choice> kOffOn{{"Off", 0}, {"On", kAllOnes}};
const std::vector<Choice> kOnOff{{"On", 1}, {"Off", 0}};

// The video standard codes a recorder reports back; the later ones can be
// chosen but read as "Undefined".
constexpr int kHighestReadableStandard = 29;

std::vector<Choice> VideoStandardChoices()
{
    static const char *const names[] = {
        "PAL",         "NTSC",       "1080 59.94i", "1080 60i",   "1080 25p",    "1080 50i",
        "1080 23.98p", "1080 24p",   "720 59.94p",  "720 60p",    "1080-29.97p", "1080 30p",
        "1080 47.95i", "1080 48i",   "480 30p",     "480 29.97p", "576 25p",     "480 24p",
        "480 23.98p",  "576 24p",    "720 29.97p",  "720 30p",    "720 25p",     "720 23.98p",
        "720 24p",     "720 59.97i", "720 60i",     "720 50i",    "720 47.95i",  "720 48i",
        "480 59.94p",  "480 60p",    "2K 23.98p",   "2K 24p",     "2K 47.95i",   "2K 48i"};
    std::vector<Choice> choices;
    for (const char *name : names) {
        const int code = int(choices.size());
        choices.push_back({name, quint8(code), code <= kHighestReadableStandard});
    }
    return choices;
}

std::vector<Choice> NumberedChoices(std::initializer_list<const char *> names)
{
    std::vector<Choice> choices;
    for (const char *name : names)
        choices.push_back({name, quint8(choices.size())});
    return choices;
}

std::vector<SettingsField> General()
{
    return {
        NonZero(Combo(0, 0, "Control", {{"Remote", 0}, {"Local", 1}}), 2),
        Alias(Combo(0, 1, "Loop Mode Activated", kOffOn), 1, 2),
        Combo(0, 2, "Sync. Source",
              {{"Auto", 0}, {"Sync. In", 1}, {"Video In", 2}, {"Internal", 6}}),
        Combo(0, 3, "Time Mode",
              {{"LTC", 0}, {"A Time", 1}, {"VITC", 2}, WriteOnly("A Time as LTC", 3)}),
        Alias(Combo(0, 4, "Drop Frame", {{"Non Drop", 0}, {"Drop", kAllOnes}}), 1, 2),
        Combo(0, 5, "Burning Window Position",
              NumberedChoices({"Top Left", "Top Center", "Top Right", "Bottom Right",
                               "Bottom Center", "Bottom Left"})),
        Combo(0, 6, "Burning Window Mode",
              NumberedChoices({"White/Black", "White/Background", "Black/White", "Black/Background",
                               "Disabled"})),
        Combo(0, 7, "Emulation Mode",
              {{"XR", 0x50},
               {"BVW75", 0x25},
               {"DVW500", 0x00},
               {"Odetics", 0x55},
               {"Odetics Limited", 0x60},
               {"VDCP", 0x70}}),
        UndefinedAllOnes(Combo(0, 8, "Auto Sync.", kOffOn)),
        Combo(0, 9, "Port 1", {{"P2", 0}, {"LD", 1}, WriteOnly("Debug", 2)}),
        Combo(0, 10, "Port2", {{"P2", 0}, {"LD", 1}}),
        ToolTip(Combo(0, 11, "GPIO", kOffOn), "Enables or disables GPIOs.\n"),
        Combo(0, 12, "NetPos", NumberedChoices({"None", "Master", "Slave"})),
        Combo(0, 13, "Mode", {{"1R/P", 0x50}, {"1R-1P", 0x54}, {"1P-1P", 0x52}}),
    };
}

std::vector<SettingsField> PlaybackAndRecording()
{
    SettingsField singleField = Spin(1, 1, "Play single field", 0, 100, 5);
    singleField.disableAboveMaximum = true;
    return {
        Combo(1, 0, "Jog Speed Limitation", {{"No Limit", 0}, {"100%", kAllOnes}}),
        singleField,
        Combo(1, 2, "Frame mode", NumberedChoices({"Off", "On", "Play Only"})),
        Combo(1, 3, "Fast speed", {{"Normal", 0}, {"Enhanced", kAllOnes}}),
        Combo(1, 4, "Stop Mode", NumberedChoices({"Still Mode", "EE Mode"})),
        Combo(1, 5, "Scrub Audio Channels",
              NumberedChoices({"Audio 1&2", "Audio 3&4", "Audio 5&6", "Audio 7&8"})),

        Spin(2, 0, "Edit In", 4, 10, 2),
        Spin(2, 1, "Edit Out", 4, 10, 2),
        Preset(2, 2, "Edit Preset 1"),
        Preset(2, 3, "Edit Preset 2"),
        Combo(2, 4, "Step Record", {{"Off", 0}, {"All", 1}, {"Video Only", 3}}),
        Combo(2, 5, "Audio Input Source",
              NumberedChoices({"Analog Audio", "AES/EBU", "SDI Audio"})),
        NonZero(Combo(2, 6, "Disk Access", NumberedChoices({"Play & Record", "Play Only"})), 2),
        Combo(2, 7, "Record", NumberedChoices({"At current position", "At end Of file"})),
    };
}

std::vector<SettingsField> Video()
{
    return {
        Combo(3, 0, "Input Source",
              {{"Composite", 0}, {"YUV (YPbPr)", 3}, {"RGB", 4}, {"SVHS", 7}, {"SDI (HD-SDI)", 8}}),
        Spin(3, 1, "Luma Bright", 0, 255),
        Spin(3, 2, "Luma Contrast", 0, 255),
        Spin(3, 3, "Chroma Sat.", 0, 255),
        Spin(3, 4, "Chroma Hue", 0, 255),
        Spin(3, 5, "Component Bright", 0, 255),
        Spin(3, 6, "Component Contrast", 0, 255),
        Spin(3, 7, "Component Saturation", 0, 255),
        Combo(3, 8, "Segmented Frame", NumberedChoices({"Segmented", "Progressive"})),
        Combo(3, 9, "Comb Filter", NumberedChoices({"Enabled", "Disabled"})),

        Combo(4, 0, "Output Mode", NumberedChoices({"YUV", "RGB", "S-VIDEO"})),
        Combo(4, 1, "Color Bars", kOffOn),
        Combo(4, 2, "Black IRE Level", NumberedChoices({"IRE0", "IRE7.5"})),
        Combo(4, 3, "PAL Switch", kOffOn),
        Spin(4, 4, "Chroma Phase", 0, 255),
        NonZero(Combo(4, 5, "HTRIG Mode", kOnOff), 1),
        Word(Spin(4, 6, "HTRIG Value", -999, 999), SpinBytes::SignedWord),
        Word(Spin(4, 8, "Screen Saver Delay", 0, 16383), SpinBytes::UnsignedWord),
        Combo(4, 10, "Segmented Frame Out", kOnOff),
        Spin(4, 11, "VTRIG Value", 0, 126, 2),
    };
}

std::vector<SettingsField> ChaseAndScsi()
{
    return {
        Combo(5, 0, "Chase Mode",
              {{"Chase Off", 0},
               {"LTC", 1},
               WriteOnly("Serial TC", 2),
               WriteOnly("MIDI", 3),
               WriteOnly("Biphase", 4)}),
        Spin(5, 1, "Stop Chase Period", 0, 20),
        Spin(5, 2, "Biphase Ticks", 0, 10),

        Spin(6, 0, "SCSI ID", 0, 7),
        // The SCSI transfer period factors of the three bus speeds.
        Combo(6, 1, "Bus Frequency", {{"10 Mhz", 25}, {"20 Mhz", 12}, {"40 Mhz", 10}}),
        Combo(6, 2, "Bus Width", {{"8 bits", 8}, {"16 bits", 16}}),
        Combo(6, 3, "XR Type", {{"Recorder / Player", 1}, {"Player Only", 0}}),
        Alias(Combo(6, 4, "SCSI Termination", {{"On", 0}, {"Off", 1}}), kAllOnes, 2),
    };
}

std::vector<SettingsField> InitialAudioAndVitc()
{
    SettingsField compression = UndefinedAllOnes(Combo(8, 0, "Compression Ratio", {}));
    compression.list = ChoiceList::Compression;
    SettingsField vitcIn = Combo(10, 2, "VITC In", kOnOff);
    vitcIn.keepUnmatched = true;
    std::vector<SettingsField> fields{
        compression,
        Combo(8, 1, "Video Standard", VideoStandardChoices()),
        Combo(8, 2, "Limited Window", NumberedChoices({"Full Window", "Limited Window"})),
        Combo(8, 3, "Decimation", {{"On", 1}, {"Off", 0}}),
        Combo(8, 4, "Single Field", NumberedChoices({"Frame Record", "Field Record"})),
        Combo(8, 5, "Number Audio Track",
              {{"No Audio Track", 0},
               {"2 Audio Tracks", 2},
               {"4 Audio Tracks", 4},
               {"8 Audio Tracks", 8}}),
        Combo(8, 6, "File System", {{"Single File System", 1}, {"Multi File System", 0}}),
        Combo(8, 7, "Drop", NumberedChoices({"Non drop", "Drop frame"})),
    };
    static const char *const inputs[] = {"Audio Input 1", "Audio Input 2", "Audio Input 3",
                                         "Audio Input 4", "Audio Input 5", "Audio Input 6",
                                         "Audio Input 7", "Audio Input 8"};
    for (int byte = 0; byte < 8; ++byte)
        fields.push_back(Spin(9, byte, inputs[byte], -128, 164));
    fields.push_back(Combo(10, 0, "VITC Out", kOnOff));
    fields.push_back(Spin(10, 1, "VITC Out Line", 0, 255));
    fields.push_back(vitcIn);
    fields.push_back(Spin(10, 3, "VITC IN Line", 0, 255));
    fields.push_back(Combo(10, 4, "Close Caption", {{"Enabled", 1}, {"Disabled", 0}}));
    return fields;
}

std::vector<SettingsField> BuildFields()
{
    std::vector<SettingsField> fields;
    for (auto part : {General, PlaybackAndRecording, Video, ChaseAndScsi, InitialAudioAndVitc}) {
        const std::vector<SettingsField> more = part();
        fields.insert(fields.end(), more.begin(), more.end());
    }
    // Widgets are numbered by their place on the page, which differs from
    // the byte only after the two-byte fields of page 4.
    std::map<int, int> places;
    for (SettingsField &field : fields)
        field.place = places[field.page]++;
    return fields;
}

} // namespace

QString SettingsField::ObjectName() const
{
    return QStringLiteral("item_%1_%2").arg(page).arg(place);
}

const std::vector<SettingsField> &SettingsFields()
{
    static const std::vector<SettingsField> fields = BuildFields();
    return fields;
}

const std::vector<const SettingsField *> &DdfFields()
{
    static const std::vector<const SettingsField *> fields = [] {
        std::vector<const SettingsField *> stored;
        for (const SettingsField &field : SettingsFields()) {
            if (field.kind != FieldKind::Preset)
                stored.push_back(&field);
        }
        return stored;
    }();
    return fields;
}

const std::vector<SettingsPage> &SettingsPages()
{
    static const std::vector<SettingsPage> pages{
        {0, "0. General"},   {1, "1. Playback"},  {2, "2. Recording"},
        {3, "3. Video In"},  {4, "4. Video Out"}, {5, "5. Chase"},
        {6, "6. SCSI"},      {8, "8. Initial"},   {9, "9. Audio Inputs Levels"},
        {10, "10. VITC_CC"},
    };
    return pages;
}

std::vector<Choice> CompressionChoices(qint32 kind, qint32 subKind)
{
    const bool highDefinitionFamily =
        kind == kRecorderKindXru || kind == kRecorderKindHdtv || kind == kRecorderKindCompactHd;
    if (kind == kRecorderKindZaxo)
        return NumberedChoices({"4:1", "5:1", "6:1", "7:1", "8:1", "9:1", "10:1", "12:1", "14:1",
                                "16:1", "20:1", "24:1", "34:1", "2:1", "2.5:1", "3:1", "3.5:1"});
    if (kind == kRecorderKindMpeg)
        return NumberedChoices({"5 MBits/s", "8 MBits/s", "10 MBits/s", "12 MBits/s", "15 MBits/s",
                                "20 MBits/s", "25 MBits/s", "30 MBits/s", "35 MBits/s",
                                "40 MBits/s", "45 MBits/s", "50 MBits/s"});
    if (highDefinitionFamily && subKind == kRecorderSubKindSd)
        return NumberedChoices({"Uncompressed 8 bits", "Uncompressed 10 bits", "Undefined",
                                "15 MBits/s", "30 MBits/s", "50 MBits/s", "100 MBits/s"});
    if (highDefinitionFamily && subKind == kRecorderSubKindHd)
        return NumberedChoices({"Uncompressed 8 bits", "Uncompressed 10 bits",
                                "Uncompressed 12 bits", "100 MBits/s", "160 MBits/s", "220 MBits/s",
                                "300 MBits/s", "250 MBits/s", "125 MBits/s", "40 MBits/s",
                                "50 MBits/s", "75 MBits/s", "320 MBits/s"});
    return {};
}

int ChoiceForByte(const SettingsField &field, const std::vector<Choice> &choices, quint8 byte,
                  int current)
{
    for (size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].readable && choices[i].byte == byte)
            return int(i) + 1;
    }
    if (field.aliasByte == byte)
        return field.aliasChoice;
    if (field.nonZeroChoice != 0 && byte != 0)
        return field.nonZeroChoice;
    return field.keepUnmatched ? current : 0;
}

bool ByteForChoice(const SettingsField &field, const std::vector<Choice> &choices, int index,
                   quint8 *byte)
{
    if (index == 0 && field.undefinedWritesAllOnes) {
        *byte = kAllOnes;
        return true;
    }
    if (index < 1 || index > int(choices.size()))
        return false;
    *byte = choices[size_t(index - 1)].byte;
    return true;
}

int SpinValueFromPage(const SettingsField &field, const quint8 *pageBytes)
{
    const quint8 first = pageBytes[field.byte];
    switch (field.bytes) {
    case SpinBytes::SignedWord:
        return qint16(quint16(first << 8 | pageBytes[field.byte + 1]));
    case SpinBytes::UnsignedWord:
        return quint16(first << 8 | pageBytes[field.byte + 1]);
    case SpinBytes::One:
        break;
    }
    return first;
}

// Negative values go out in two's complement: -1 is 0xFF (0xFF 0xFF as a word).
void SpinValueToPage(const SettingsField &field, int value, quint8 *pageBytes)
{
    const quint16 word = quint16(value);
    if (field.bytes == SpinBytes::One) {
        pageBytes[field.byte] = quint8(word);
        return;
    }
    pageBytes[field.byte] = quint8(word >> 8);
    pageBytes[field.byte + 1] = quint8(word);
}
