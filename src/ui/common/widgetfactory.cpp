// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetfactory.h"

#include <QLineEdit>
#include <QVBoxLayout>

void Describe(QWidget *widget, const char *name, const char *key)
{
    const QString text = QLatin1String(name);
    widget->setAccessibleName(text);
    widget->setToolTip(*key ? QStringLiteral("%1 (%2)").arg(text, QLatin1String(key)) : text);
}

QLineEdit *NewDisplayLine(QWidget *parent, const char *name)
{
    auto *line = NewNamed<QLineEdit>(parent, name);
    line->setProperty("displayLine", true);
    line->setReadOnly(true);
    line->setAlignment(Qt::AlignCenter);
    line->setFocusPolicy(Qt::NoFocus);
    return line;
}

QVBoxLayout *NewDisplayLines(QWidget *parent, const char *upperName, const char *lowerName,
                             QLineEdit *&upper, QLineEdit *&lower)
{
    upper = NewDisplayLine(parent, upperName);
    lower = NewDisplayLine(parent, lowerName);
    upper->setText(QStringLiteral("   00:00:00.00 F1"));
    lower->setText(QStringLiteral("NOT CONNECTED"));
    upper->setProperty("upperLine", true);
    auto *lines = new QVBoxLayout;
    lines->addWidget(upper);
    lines->addWidget(lower);
    return lines;
}
