#include "ui/main/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace {

MenuChooser& Chooser()
{
    static MenuChooser chooser;
    return chooser;
}

} // namespace

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
