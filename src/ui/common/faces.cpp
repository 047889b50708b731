// SPDX-License-Identifier: GPL-3.0-or-later
#include "faces.h"

#include "app/images/imagefactory.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QHash>
#include <QIcon>
#include <QPushButton>

namespace {

const char *const kFaceProperty = "panelFace";

// The icons go with the application object: a pixmap must not outlive it.
QHash<QString, QIcon> &Icons()
{
    static QHash<QString, QIcon> icons;
    static const bool released = [] {
        qAddPostRoutine([] { Icons().clear(); });
        return true;
    }();
    Q_UNUSED(released);
    return icons;
}

} // namespace

const QIcon &FaceIcon(const QString &face)
{
    QHash<QString, QIcon> &icons = Icons();
    auto found = icons.find(face);
    if (found == icons.end())
        found = icons.insert(face, ImageFactory::Instance().Icon(face));
    return *found;
}

void ShowFace(QAbstractButton *button, const char *face)
{
    const QString name = QString::fromLatin1(face);
    if (ShownFace(button) == name)
        return;
    button->setProperty(kFaceProperty, name);
    button->setIcon(FaceIcon(name));
}

QString ShownFace(const QAbstractButton *button)
{
    return button->property(kFaceProperty).toString();
}

QPushButton *NewPictureButton(QWidget *parent, const char *name, const char *face)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    const QString picture = QLatin1String(face);
    button->setIcon(FaceIcon(picture));
    button->setIconSize(ImageFactory::Instance().Image(picture).size());
    button->setProperty("panelKey", true);
    return button;
}
