// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the application icon, drawn as SVG, into the PNG sizes of the
// desktop's icon theme: <output>/<n>x<n>/apps/<name>.png for each size n.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool Render(QSvgRenderer &icon, int size, const QString &path)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    icon.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path, "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    // The build machine need not have a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: tavrel_icongen <icon.svg> <output folder> <size>...\n");
        return 2;
    }
    QSvgRenderer icon(arguments.at(1));
    if (!icon.isValid()) {
        std::fprintf(stderr, "icongen: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    const QString name = QFileInfo(arguments.at(1)).completeBaseName();
    const QDir output(arguments.at(2));
    for (const QString &text : arguments.mid(3)) {
        bool ok = false;
        const int size = text.toInt(&ok);
        const QString path =
            output.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(name));
        if (!ok || size <= 0 || !Render(icon, size, path)) {
            std::fprintf(stderr, "icongen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
