// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The recorder's setup fields written out by hand: each widget's name, the
// page byte it stands for, its label, and its choices with the byte each one
// writes, or its range. The field test holds the dialog's widgets against
// this list, not against the table the dialog is built from, so that a slip
// in either shows.

struct WrittenChoice
{
    const char *text;
    int byte;
    // The recorder takes the choice but reports its byte as something the
    // dialog does not know: read back, the byte shows "Undefined".
    bool readBack = true;
};

struct WrittenField
{
    const char *name;
    int page;
    int byte;
    const char *label;
    // A combo box's choices after "Undefined"; empty for a spin box and for
    // the edit presets, whose combos have no choices.
    QList<WrittenChoice> choices;
    bool spin = false;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    // A spin value of two bytes, high first.
    bool word = false;
};

inline WrittenField WrittenCombo(const char *name, int page, int byte, const char *label,
                                 QList<WrittenChoice> choices)
{
    return {name, page, byte, label, std::move(choices)};
}

inline WrittenField WrittenSpin(const char *name, int page, int byte, const char *label,
                                int minimum, int maximum, int step = 1, bool word = false)
{
    return {name, page, byte, label, {}, true, minimum, maximum, step, word};
}

struct WrittenTab
{
    int page;
    const char *label;
};

inline const QList<WrittenTab> kWrittenTabs = {
    {0, "0. General"},   {1, "1. Playback"},  {2, "2. Recording"},
    {3, "3. Video In"},  {4, "4. Video Out"}, {5, "5. Chase"},
    {6, "6. SCSI"},      {8, "8. Initial"},   {9, "9. Audio Inputs Levels"},
    {10, "10. VITC_CC"},
};

inline QList<WrittenChoice> WrittenVideoStandards()
{
    const char *const names[] = {
        "PAL",         "NTSC",       "1080 59.94i", "1080 60i",   "1080 25p",    "1080 50i",
        "1080 23.98p", "1080 24p",   "720 59.94p",  "720 60p",    "1080-29.97p", "1080 30p",
        "1080 47.95i", "1080 48i",   "480 30p",     "480 29.97p", "576 25p",     "480 24p",
        "480 23.98p",  "576 24p",    "720 29.97p",  "720 30p",    "720 25p",     "720 23.98p",
        "720 24p",     "720 59.97i", "720 60i",     "720 50i",    "720 47.95i",  "720 48i",
        "480 59.94p",  "480 60p",    "2K 23.98p",   "2K 24p",     "2K 47.95i",   "2K 48i"};
    QList<WrittenChoice> choices;
    for (int code = 0; code < 36; ++code)
        choices.append({names[code], code, code <= 29});
    return choices;
}

inline QList<WrittenField> WrittenFields()
{
    const QList<WrittenChoice> offOn{{"Off", 0}, {"On", 0xFF}};
    const QList<WrittenChoice> onOff{{"On", 1}, {"Off", 0}};
    QList<WrittenField> fields{
        WrittenCombo("item_0_0", 0, 0, "Control", {{"Remote", 0}, {"Local", 1}}),
        WrittenCombo("item_0_1", 0, 1, "Loop Mode Activated", offOn),
        WrittenCombo("item_0_2", 0, 2, "Sync. Source",
                     {{"Auto", 0}, {"Sync. In", 1}, {"Video In", 2}, {"Internal", 6}}),
        WrittenCombo("item_0_3", 0, 3, "Time Mode",
                     {{"LTC", 0}, {"A Time", 1}, {"VITC", 2}, {"A Time as LTC", 3, false}}),
        WrittenCombo("item_0_4", 0, 4, "Drop Frame", {{"Non Drop", 0}, {"Drop", 0xFF}}),
        WrittenCombo("item_0_5", 0, 5, "Burning Window Position",
                     {{"Top Left", 0},
                      {"Top Center", 1},
                      {"Top Right", 2},
                      {"Bottom Right", 3},
                      {"Bottom Center", 4},
                      {"Bottom Left", 5}}),
        WrittenCombo("item_0_6", 0, 6, "Burning Window Mode",
                     {{"White/Black", 0},
                      {"White/Background", 1},
                      {"Black/White", 2},
                      {"Black/Background", 3},
                      {"Disabled", 4}}),
        WrittenCombo("item_0_7", 0, 7, "Emulation Mode",
                     {{"XR", 0x50},
                      {"BVW75", 0x25},
                      {"DVW500", 0x00},
                      {"Odetics", 0x55},
                      {"Odetics Limited", 0x60},
                      {"VDCP", 0x70}}),
        WrittenCombo("item_0_8", 0, 8, "Auto Sync.", offOn),
        WrittenCombo("item_0_9", 0, 9, "Port 1", {{"P2", 0}, {"LD", 1}, {"Debug", 2, false}}),
        WrittenCombo("item_0_10", 0, 10, "Port2", {{"P2", 0}, {"LD", 1}}),
        WrittenCombo("item_0_11", 0, 11, "GPIO", offOn),
        WrittenCombo("item_0_12", 0, 12, "NetPos", {{"None", 0}, {"Master", 1}, {"Slave", 2}}),
        WrittenCombo("item_0_13", 0, 13, "Mode",
                     {{"1R/P", 0x50}, {"1R-1P", 0x54}, {"1P-1P", 0x52}}),

        WrittenCombo("item_1_0", 1, 0, "Jog Speed Limitation", {{"No Limit", 0}, {"100%", 0xFF}}),
        WrittenSpin("item_1_1", 1, 1, "Play single field", 0, 100, 5),
        WrittenCombo("item_1_2", 1, 2, "Frame mode", {{"Off", 0}, {"On", 1}, {"Play Only", 2}}),
        WrittenCombo("item_1_3", 1, 3, "Fast speed", {{"Normal", 0}, {"Enhanced", 0xFF}}),
        WrittenCombo("item_1_4", 1, 4, "Stop Mode", {{"Still Mode", 0}, {"EE Mode", 1}}),
        WrittenCombo("item_1_5", 1, 5, "Scrub Audio Channels",
                     {{"Audio 1&2", 0}, {"Audio 3&4", 1}, {"Audio 5&6", 2}, {"Audio 7&8", 3}}),

        WrittenSpin("item_2_0", 2, 0, "Edit In", 4, 10, 2),
        WrittenSpin("item_2_1", 2, 1, "Edit Out", 4, 10, 2),
        WrittenCombo("item_2_2", 2, 2, "Edit Preset 1", {}),
        WrittenCombo("item_2_3", 2, 3, "Edit Preset 2", {}),
        WrittenCombo("item_2_4", 2, 4, "Step Record", {{"Off", 0}, {"All", 1}, {"Video Only", 3}}),
        WrittenCombo("item_2_5", 2, 5, "Audio Input Source",
                     {{"Analog Audio", 0}, {"AES/EBU", 1}, {"SDI Audio", 2}}),
        WrittenCombo("item_2_6", 2, 6, "Disk Access", {{"Play & Record", 0}, {"Play Only", 1}}),
        WrittenCombo("item_2_7", 2, 7, "Record",
                     {{"At current position", 0}, {"At end Of file", 1}}),

        WrittenCombo(
            "item_3_0", 3, 0, "Input Source",
            {{"Composite", 0}, {"YUV (YPbPr)", 3}, {"RGB", 4}, {"SVHS", 7}, {"SDI (HD-SDI)", 8}}),
        WrittenSpin("item_3_1", 3, 1, "Luma Bright", 0, 255),
        WrittenSpin("item_3_2", 3, 2, "Luma Contrast", 0, 255),
        WrittenSpin("item_3_3", 3, 3, "Chroma Sat.", 0, 255),
        WrittenSpin("item_3_4", 3, 4, "Chroma Hue", 0, 255),
        WrittenSpin("item_3_5", 3, 5, "Component Bright", 0, 255),
        WrittenSpin("item_3_6", 3, 6, "Component Contrast", 0, 255),
        WrittenSpin("item_3_7", 3, 7, "Component Saturation", 0, 255),
        WrittenCombo("item_3_8", 3, 8, "Segmented Frame", {{"Segmented", 0}, {"Progressive", 1}}),
        WrittenCombo("item_3_9", 3, 9, "Comb Filter", {{"Enabled", 0}, {"Disabled", 1}}),

        WrittenCombo("item_4_0", 4, 0, "Output Mode", {{"YUV", 0}, {"RGB", 1}, {"S-VIDEO", 2}}),
        WrittenCombo("item_4_1", 4, 1, "Color Bars", offOn),
        WrittenCombo("item_4_2", 4, 2, "Black IRE Level", {{"IRE0", 0}, {"IRE7.5", 1}}),
        WrittenCombo("item_4_3", 4, 3, "PAL Switch", offOn),
        WrittenSpin("item_4_4", 4, 4, "Chroma Phase", 0, 255),
        WrittenCombo("item_4_5", 4, 5, "HTRIG Mode", onOff),
        WrittenSpin("item_4_6", 4, 6, "HTRIG Value", -999, 999, 1, true),
        WrittenSpin("item_4_7", 4, 8, "Screen Saver Delay", 0, 16383, 1, true),
        WrittenCombo("item_4_8", 4, 10, "Segmented Frame Out", onOff),
        WrittenSpin("item_4_9", 4, 11, "VTRIG Value", 0, 126, 2),

        WrittenCombo("item_5_0", 5, 0, "Chase Mode",
                     {{"Chase Off", 0},
                      {"LTC", 1},
                      {"Serial TC", 2, false},
                      {"MIDI", 3, false},
                      {"Biphase", 4, false}}),
        WrittenSpin("item_5_1", 5, 1, "Stop Chase Period", 0, 20),
        WrittenSpin("item_5_2", 5, 2, "Biphase Ticks", 0, 10),

        WrittenSpin("item_6_0", 6, 0, "SCSI ID", 0, 7),
        WrittenCombo("item_6_1", 6, 1, "Bus Frequency",
                     {{"10 Mhz", 25}, {"20 Mhz", 12}, {"40 Mhz", 10}}),
        WrittenCombo("item_6_2", 6, 2, "Bus Width", {{"8 bits", 8}, {"16 bits", 16}}),
        WrittenCombo("item_6_3", 6, 3, "XR Type", {{"Recorder / Player", 1}, {"Player Only", 0}}),
        WrittenCombo("item_6_4", 6, 4, "SCSI Termination", {{"On", 0}, {"Off", 1}}),

        WrittenCombo("item_8_1", 8, 1, "Video Standard", WrittenVideoStandards()),
        WrittenCombo("item_8_2", 8, 2, "Limited Window",
                     {{"Full Window", 0}, {"Limited Window", 1}}),
        WrittenCombo("item_8_3", 8, 3, "Decimation", {{"On", 1}, {"Off", 0}}),
        WrittenCombo("item_8_4", 8, 4, "Single Field", {{"Frame Record", 0}, {"Field Record", 1}}),
        WrittenCombo("item_8_5", 8, 5, "Number Audio Track",
                     {{"No Audio Track", 0},
                      {"2 Audio Tracks", 2},
                      {"4 Audio Tracks", 4},
                      {"8 Audio Tracks", 8}}),
        WrittenCombo("item_8_6", 8, 6, "File System",
                     {{"Single File System", 1}, {"Multi File System", 0}}),
        WrittenCombo("item_8_7", 8, 7, "Drop", {{"Non drop", 0}, {"Drop frame", 1}}),

        WrittenCombo("item_10_0", 10, 0, "VITC Out", onOff),
        WrittenSpin("item_10_1", 10, 1, "VITC Out Line", 0, 255),
        WrittenCombo("item_10_2", 10, 2, "VITC In", onOff),
        WrittenSpin("item_10_3", 10, 3, "VITC IN Line", 0, 255),
        WrittenCombo("item_10_4", 10, 4, "Close Caption", {{"Enabled", 1}, {"Disabled", 0}}),
    };
    static const char *const levels[] = {"item_9_0", "item_9_1", "item_9_2", "item_9_3",
                                         "item_9_4", "item_9_5", "item_9_6", "item_9_7"};
    static const char *const inputs[] = {"Audio Input 1", "Audio Input 2", "Audio Input 3",
                                         "Audio Input 4", "Audio Input 5", "Audio Input 6",
                                         "Audio Input 7", "Audio Input 8"};
    for (int byte = 0; byte < 8; ++byte)
        fields.append(WrittenSpin(levels[byte], 9, byte, inputs[byte], -128, 164));
    return fields;
}

// "Compression Ratio" (item_8_0, page 8 byte 0): its choices follow the
// recorder kind and sub-kind, each writing its place in the list.
struct WrittenCompression
{
    int kind;
    int subKind;
    QList<const char *> choices;
};

inline QList<WrittenCompression> WrittenCompressions()
{
    const QList<const char *> hdSd{"Uncompressed 8 bits", "Uncompressed 10 bits", "Undefined",
                                   "15 MBits/s",          "30 MBits/s",           "50 MBits/s",
                                   "100 MBits/s"};
    const QList<const char *> hdHd{
        "Uncompressed 8 bits", "Uncompressed 10 bits", "Uncompressed 12 bits", "100 MBits/s",
        "160 MBits/s",         "220 MBits/s",          "300 MBits/s",          "250 MBits/s",
        "125 MBits/s",         "40 MBits/s",           "50 MBits/s",           "75 MBits/s",
        "320 MBits/s"};
    return {
        {1,
         0,
         {"4:1", "5:1", "6:1", "7:1", "8:1", "9:1", "10:1", "12:1", "14:1", "16:1", "20:1", "24:1",
          "34:1", "2:1", "2.5:1", "3:1", "3.5:1"}},
        {2,
         0,
         {"5 MBits/s", "8 MBits/s", "10 MBits/s", "12 MBits/s", "15 MBits/s", "20 MBits/s",
          "25 MBits/s", "30 MBits/s", "35 MBits/s", "40 MBits/s", "45 MBits/s", "50 MBits/s"}},
        {3, 1, hdSd},
        {4, 1, hdSd},
        {6, 1, hdSd},
        {3, 2, hdHd},
        {4, 2, hdHd},
        {6, 2, hdHd},
        {3, 0, {}},
        {5, 2, {}},
    };
}
