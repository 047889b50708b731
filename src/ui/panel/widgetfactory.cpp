#include "widgetfactory.h"

#include <QLineEdit>

QLineEdit *NewDisplayLine(QWidget *parent, const char *name)
{
    auto *line = NewNamed<QLineEdit>(parent, name);
    line->setProperty("displayLine", true);
    line->setReadOnly(true);
    line->setAlignment(Qt::AlignCenter);
    line->setFocusPolicy(Qt::NoFocus);
    return line;
}
