#pragma once
// Menus of the windows, built with their design names as object names. Pop-up
// menus are shown through here, so tests can choose an item (or none) instead
// of a person, and never block on a menu.
#include <QKeySequence>
#include <QPoint>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;

QMenu* NamedMenu(QWidget* parent, const char* name, const QString& caption);
QAction* NamedAction(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
void NamedSeparator(QMenu* menu, const char* name);
// The item of that name in the menu; nullptr without one.
QAction* MenuItem(const QMenu& menu, const char* name);

// Shows the menu at a screen position and returns the chosen action, which
// has then been triggered; nullptr when the menu was dismissed.
QAction* PopUpMenu(QMenu& menu, const QPoint& globalPos);

// Replaces the showing of the menu: the function returns the action to
// choose. A disabled or foreign action counts as a dismissed menu, as a
// person cannot choose it either. An empty function restores the real menu.
using MenuChooser = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;
void SetMenuChooserForTesting(MenuChooser chooser);
