#include "app/NamedControls.h"

#include <QMenu>
#include <QPushButton>

namespace tiv {

QPushButton *NamedButton(QWidget *parent, const char *name, const char *caption, bool visible)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::TabFocus);
    if (!visible)
        b->hide();
    return b;
}

QMenu *NamedMenu(QWidget *parent, const char *name)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction *NamedMenuItem(QMenu *menu, const char *name, const char *caption, bool checkable)
{
    QAction *a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    return a;
}

}  // namespace tiv
