#pragma once
// Pop-up menus of the main window go through here, so tests can choose an
// item (or none) instead of a person, and never block on a menu.
#include <QPoint>

#include <functional>

class QAction;
class QMenu;

// Shows the menu at a screen position and returns the chosen action, which
// has then been triggered; nullptr when the menu was dismissed.
QAction* PopUpMenu(QMenu& menu, const QPoint& globalPos);

// Replaces the showing of the menu: the function returns the action to
// choose. A disabled or foreign action counts as a dismissed menu, as a
// person cannot choose it either. An empty function restores the real menu.
using MenuChooser = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;
void SetMenuChooserForTesting(MenuChooser chooser);
