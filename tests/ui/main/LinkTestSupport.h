#pragma once
// Stand-ins for a person at a pop-up menu and for the desktop that opens
// links, shared by the link, hyperlink and drop tests.
#include "env/System.h"
#include "ui/controls/PopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <vector>

// Chooses the item of the given object name in every pop-up menu (none when
// the name is empty) and remembers each menu shown.
class MenuPerson {
public:
    struct Shown {
        QString menu;
        QPoint at;
        QStringList captions; // of the items, separators as "-"
        QList<bool> enabled;
    };

    explicit MenuPerson(QString choice = {}) : choice_(std::move(choice))
    {
        SetMenuChooserForTesting([this](QMenu& menu, const QPoint& at) -> QAction* {
            Shown shown{menu.objectName(), at, {}, {}};
            QAction* chosen = nullptr;
            for (QAction* action : menu.actions()) {
                shown.captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
                shown.enabled << action->isEnabled();
                if (!choice_.isEmpty() && action->objectName() == choice_)
                    chosen = action;
            }
            menus.push_back(shown);
            return chosen;
        });
    }
    ~MenuPerson() { SetMenuChooserForTesting({}); }
    MenuPerson(const MenuPerson&) = delete;
    MenuPerson& operator=(const MenuPerson&) = delete;

    void Choose(QString choice) { choice_ = std::move(choice); }

    std::vector<Shown> menus;

private:
    QString choice_;
};

// Records what would have been handed to the desktop.
class DesktopRecorder {
public:
    DesktopRecorder()
    {
        SetShellOpenerForTesting([this](const QString& target) {
            opened << target;
            return true;
        });
    }
    ~DesktopRecorder() { SetShellOpenerForTesting({}); }
    DesktopRecorder(const DesktopRecorder&) = delete;
    DesktopRecorder& operator=(const DesktopRecorder&) = delete;

    QStringList opened;
};
