// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's embedded images, once at their size and once at twice
// the pixels for screens of twice the density, and writes them as two
// compressed C++ tables. The build runs it; with --dump it also writes every
// image and a contact sheet as PNG files, for looking at the pictures.

#include "imagelist.h"
#include "tablewriter.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstdio>

namespace {

// Draws the whole collection in table order at a pixel density (1, or 2 for
// screens of twice the density). Fails when a drawing does not come out at
// its listed size times the density, which the forms rely on.
bool RenderAll(int scale, std::vector<RenderedImage> &rendered)
{
    for (const ImageEntry &entry : ImageList()) {
        const QImage drawn = entry.draw(entry.size, scale);
        if (drawn.size() != entry.size * scale) {
            std::fprintf(stderr, "imagegen: %s drawn at the wrong size\n", qPrintable(entry.name));
            return false;
        }
        // Stored straight, not premultiplied, so that a pixel's colour does
        // not depend on its alpha.
        const auto format = entry.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
        rendered.push_back({entry.name, drawn.convertToFormat(format), entry.alpha});
    }
    return true;
}

const int kSheetScale = 2;
const int kSheetWidth = 1280;
const int kSheetMargin = 12;
const int kCaptionHeight = 16;

// Where each image goes on the contact sheet: left to right, wrapping into
// rows. Returns the top-left corners and sets the height the sheet needs.
std::vector<QPoint> SheetLayout(const std::vector<RenderedImage> &rendered, int &height)
{
    std::vector<QPoint> corners;
    int x = kSheetMargin;
    int y = kSheetMargin;
    int rowHeight = 0;
    for (const RenderedImage &entry : rendered) {
        const QSize size = entry.image.size() * kSheetScale;
        const int cellWidth = std::max(size.width(), 90);
        if (x + cellWidth > kSheetWidth - kSheetMargin) {
            x = kSheetMargin;
            y += rowHeight + kSheetMargin;
            rowHeight = 0;
        }
        corners.emplace_back(x, y);
        x += cellWidth + kSheetMargin;
        rowHeight = std::max(rowHeight, size.height() + kCaptionHeight);
    }
    height = y + rowHeight + kSheetMargin;
    return corners;
}

// All images, enlarged, on the dark panel they are made for, each with its
// name underneath.
QImage ContactSheet(const std::vector<RenderedImage> &rendered)
{
    int height = 0;
    const std::vector<QPoint> corners = SheetLayout(rendered, height);
    QImage sheet(kSheetWidth, height, QImage::Format_RGB32);
    sheet.fill(QColor(0x1e, 0x20, 0x24));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(QColor(0xb0, 0xb4, 0xba));
    for (size_t i = 0; i < rendered.size(); ++i) {
        const QRect area(corners[i], rendered[i].image.size() * kSheetScale);
        painter.drawImage(area, rendered[i].image);
        const QRect caption(area.left(), area.bottom() + 1, std::max(area.width(), 90),
                            kCaptionHeight);
        painter.drawText(caption, Qt::AlignLeft, rendered[i].name);
    }
    return sheet;
}

// Every image as <name>.png, its double as <name>@2x.png, and the contact
// sheet of the plain ones.
bool Dump(const QString &directory, const std::vector<RenderedImage> &rendered,
          const std::vector<RenderedImage> &doubles)
{
    if (!QDir().mkpath(directory)) {
        return false;
    }
    const QDir dir(directory);
    for (size_t i = 0; i < rendered.size(); ++i) {
        const QString base = QFileInfo(rendered[i].name).completeBaseName();
        if (!rendered[i].image.save(dir.filePath(base + QStringLiteral(".png")), "PNG") ||
            !doubles[i].image.save(dir.filePath(base + QStringLiteral("@2x.png")), "PNG")) {
            return false;
        }
    }
    return ContactSheet(rendered).save(dir.filePath(QStringLiteral("contact-sheet.png")), "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    // The build machine need not have a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draws the embedded images and writes them as a C++ table."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("output"),
                                 QStringLiteral("The C++ file to write."));
    const QCommandLineOption dumpOption(
        QStringLiteral("dump"), QStringLiteral("Also write the images as PNG files into <dir>."),
        QStringLiteral("dir"));
    parser.addOption(dumpOption);
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        parser.showHelp(2);
    }

    std::vector<RenderedImage> rendered;
    std::vector<RenderedImage> doubles;
    if (!RenderAll(1, rendered) || !RenderAll(2, doubles)) {
        return 1;
    }
    const QString output = parser.positionalArguments().constFirst();
    if (!WriteTables(output, {{"kEmbeddedImages", rendered}, {"kEmbeddedImages2x", doubles}})) {
        std::fprintf(stderr, "imagegen: cannot write %s\n", qPrintable(output));
        return 1;
    }
    if (parser.isSet(dumpOption) && !Dump(parser.value(dumpOption), rendered, doubles)) {
        std::fprintf(stderr, "imagegen: cannot write the PNG files\n");
        return 1;
    }
    return 0;
}
