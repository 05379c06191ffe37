#include "ui/controls/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace {

MenuChooser& Chooser()
{
    static MenuChooser chooser;
    return chooser;
}

} // namespace

QMenu* NamedMenu(QWidget* parent, const char* name, const QString& caption)
{
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* NamedAction(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void NamedSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

QAction* MenuItem(const QMenu& menu, const char* name)
{
    const QString objectName = QString::fromLatin1(name);
    for (QAction* action : menu.actions()) {
        if (action->objectName() == objectName)
            return action;
    }
    return nullptr;
}

QAction* PopUpMenu(QMenu& menu, const QPoint& globalPos)
{
    if (!Chooser())
        return menu.exec(globalPos);
    emit menu.aboutToShow();
    QAction* chosen = Chooser()(menu, globalPos);
    emit menu.aboutToHide();
    if (!chosen || !menu.actions().contains(chosen) || !chosen->isEnabled() ||
        chosen->isSeparator() || !chosen->isVisible())
        return nullptr;
    chosen->trigger();
    return chosen;
}

void SetMenuChooserForTesting(MenuChooser chooser)
{
    Chooser() = std::move(chooser);
}
