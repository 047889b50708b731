// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <memory>

class DataFile;
class QWidget;

// Every local file the program reads or writes is chosen in one of these two
// dialogs. A file kind, a four-character code, chooses the dialog's title,
// its filter and the extension a saved name gets.
constexpr quint32 kFileKindClip = 0x434C4950;  // "CLIP": a playlist file to open
constexpr quint32 kFileKindKmf = 0x4B4D4620;   // "KMF ": a movie file
constexpr quint32 kFileKindJpeg = 0x4A504547;  // "JPEG": a still image
constexpr quint32 kFileKindMovie = 0x4D6F6F56; // "MooV": a QuickTime movie
constexpr quint32 kFileKindCsv = 0x00435356;   // a zero byte, then "CSV"
constexpr quint32 kFileKindText = 0x54455854;  // "TEXT": a playlist file to save
constexpr quint32 kFileKindEdl = 0x45444C20;   // "EDL ": an edit decision list

// How the dialogs present a kind in one direction.
struct FileDialogTexts
{
    const char *title;
    const char *filter;
    const char *extension; // added on save, with its dot; null on open
};

// The texts of the Open or Save dialog for a kind. A kind without a dialog
// of its own in that direction gets the last row: the Open dialog of a
// firmware image, the Save dialog of a playlist file.
FileDialogTexts OpenDialogTexts(quint32 kind);
FileDialogTexts SaveDialogTexts(quint32 kind);

// The Open dialog, starting in the working directory. Null when cancelled;
// otherwise a file object of that kind for the chosen path, not yet opened.
std::unique_ptr<DataFile> openFileDialog(quint32 kind, QWidget *parent);

// The Save dialog. Null when cancelled or for a path shorter than 5
// characters. A name that does not end in the kind's extension (compared
// upper-cased) gets it appended. A file that did not exist is created empty,
// so that it is there when the dialog returns; an existing file is left as it
// was, for its writer to replace once the new contents are complete.
std::unique_ptr<DataFile> saveFileDialog(quint32 kind, QWidget *parent);

// The name a saved file gets: the path as chosen, with the extension appended
// unless its last three characters already are the extension's.
QString SavedFilePath(const QString &chosen, const char *extension);
