// SPDX-License-Identifier: GPL-3.0-or-later
#include "filedialogs.h"

#include "protocol/datafile.h"

#include <QFile>
#include <QFileDialog>
#include <QString>

namespace {

struct FileKindEntry
{
    quint32 kind;
    FileDialogTexts open; // null title: no Open dialog of its own
    FileDialogTexts save; // null title: no Save dialog of its own
};

const FileKindEntry kFileKinds[] = {
    {kFileKindClip, {"Open Playlist File", "XR Play List Files (*.KPL)", nullptr}, {}},
    {kFileKindKmf,
     {"Open KMF File", "XR Movie Files (*.KMF)", nullptr},
     {"New KMF File", "XR Movie Files (*.KMF)", ".KMF"}},
    {kFileKindJpeg,
     {"Open JPEG File", "JPEG Files (*.JPG)", nullptr},
     {"New JPEG File", "JPEG Files (*.JPG)", ".JPG"}},
    {kFileKindMovie,
     {"Open Movie File", "Movie Files (*.QTM)", nullptr},
     {"New QuickTime File", "QuickTime Files (*.MOV)", ".MOV"}},
    {kFileKindCsv, {}, {"New Excel File", "CSV (comma delimited) (*.CSV)", ".CSV"}},
    {kFileKindEdl, {}, {"New EDL File", "Edit decision list (CMX 3600) (*.EDL)", ".EDL"}},
};

// Any other kind.
const FileKindEntry kOtherKind{0,
                               {"Open Firmware File", "XR Firmware Files (*.BIN)", nullptr},
                               {"New Playlist File", "XR Play List Files (*.KPL)", ".KPL"}};

constexpr int kShortestPath = 5;
constexpr int kExtensionLetters = 3;

template <typename Pick>
FileDialogTexts TextsFor(quint32 kind, Pick pick)
{
    for (const FileKindEntry &entry : kFileKinds) {
        if (entry.kind == kind && pick(entry).title)
            return pick(entry);
    }
    return pick(kOtherKind);
}

// The title goes on the caption and also names the dialog, so that a test
// or an automation tool tells the dialogs apart.
QString RunDialog(const FileDialogTexts &texts, QFileDialog::AcceptMode mode, QWidget *parent)
{
    QFileDialog dialog(parent, QLatin1String(texts.title), QString(), QLatin1String(texts.filter));
    dialog.setObjectName(QLatin1String(texts.title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

FileDialogTexts OpenDialogTexts(quint32 kind)
{
    return TextsFor(kind, [](const FileKindEntry &entry) { return entry.open; });
}

FileDialogTexts SaveDialogTexts(quint32 kind)
{
    return TextsFor(kind, [](const FileKindEntry &entry) { return entry.save; });
}

std::unique_ptr<DataFile> openFileDialog(quint32 kind, QWidget *parent)
{
    const QString path = RunDialog(OpenDialogTexts(kind), QFileDialog::AcceptOpen, parent);
    if (path.isEmpty())
        return nullptr;
    return std::make_unique<DataFile>(kind, path);
}

std::unique_ptr<DataFile> saveFileDialog(quint32 kind, QWidget *parent)
{
    const FileDialogTexts texts = SaveDialogTexts(kind);
    const QString chosen = RunDialog(texts, QFileDialog::AcceptSave, parent);
    if (chosen.size() < kShortestPath)
        return nullptr;
    const QString path = SavedFilePath(chosen, texts.extension);
    if (!QFile::exists(path)) {
        QFile created(path);
        created.open(QIODevice::WriteOnly);
    }
    return std::make_unique<DataFile>(kind, path);
}

QString SavedFilePath(const QString &chosen, const char *extension)
{
    const QString withDot = QLatin1String(extension);
    const QString letters = withDot.mid(1);
    if (chosen.right(kExtensionLetters).toUpper() == letters)
        return chosen;
    return chosen + withDot;
}
