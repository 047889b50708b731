// SPDX-License-Identifier: GPL-3.0-or-later
#include "keytable.h"

#include "faces.h"
#include "widgetfactory.h"

#include "app/images/imagefactory.h"

#include <QtGlobal>

void MarkSharedKeys(std::vector<KeyInfo> &keys)
{
    for (auto later = keys.begin(); later != keys.end(); ++later) {
        if (!*later->key)
            continue;
        for (auto earlier = keys.begin(); earlier != later; ++earlier) {
            if (!earlier->sharedWith && qstrcmp(earlier->key, later->key) == 0) {
                later->sharedWith = earlier->accessibleName;
                break;
            }
        }
    }
}

QPushButton *NewKey(QWidget *parent, const KeyInfo &info)
{
    auto *button = NewNamed<QPushButton>(parent, info.name);
    button->setProperty("panelKey", true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFlat(true);
    const QSize faceSize = ImageFactory::Instance().Image(QLatin1String(info.face)).size();
    button->setIconSize(faceSize);
    button->setFixedSize(faceSize + QSize(2, 2));
    ShowFace(button, info.face);
    button->setShortcut(QKeySequence(QLatin1String(info.ActiveKey())));
    Describe(button, info.accessibleName, info.ActiveKey());
    return button;
}

std::vector<KeyInfo> JoinKeys(std::initializer_list<std::vector<KeyInfo>> lists)
{
    std::vector<KeyInfo> keys;
    for (const std::vector<KeyInfo> &list : lists)
        keys.insert(keys.end(), list.begin(), list.end());
    return keys;
}
