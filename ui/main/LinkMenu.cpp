#include "ui/main/LinkMenu.h"

#include "env/System.h"
#include "ui/controls/PopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

QMenu* LinkMenu::BuildMenu(QWidget* window)
{
    QMenu* menu = NamedMenu(window, "mnuLink", QStringLiteral("関連リンク"));
    NamedAction(menu, "mnuLinkOpen", QString());
    NamedSeparator(menu, "mnuLink_");
    NamedAction(menu, "mnuLinkEdit", QStringLiteral("編集 ..."));
    NamedAction(menu, "mnuLinkDelete", QStringLiteral("削除"));
    return menu;
}

LinkMenu::LinkMenu(QMenu* menu)
    : QObject(menu), mnuLink_(menu), mnuLinkOpen_(MenuItem(*menu, "mnuLinkOpen")),
      mnuLinkEdit_(MenuItem(*menu, "mnuLinkEdit")), mnuLinkDelete_(MenuItem(*menu, "mnuLinkDelete"))
{
    connect(mnuLinkOpen_, &QAction::triggered, this, [this] {
        if (currentLink_)
            OpenWithShell(currentLink_());
    });
    connect(mnuLinkEdit_, &QAction::triggered, this, [this] {
        if (editLink_ && currentLink_)
            editLink_(currentLink_());
    });
    connect(mnuLinkDelete_, &QAction::triggered, this, [this] {
        if (setLink_)
            setLink_(QString());
    });
}

void LinkMenu::SetCurrentLink(std::function<QString()> currentLink)
{
    currentLink_ = std::move(currentLink);
}

void LinkMenu::SetEditLink(std::function<void(const QString&)> editLink)
{
    editLink_ = std::move(editLink);
}

void LinkMenu::SetLink(std::function<void(const QString&)> setLink)
{
    setLink_ = std::move(setLink);
}

QString LinkMenu::CaptionFor(const QString& link)
{
    QString caption = link;
    caption.replace(u'&', QStringLiteral("&&"));
    // A tab would start the shortcut column, a line break a second line.
    caption.replace(u'\t', u' ');
    caption.replace(u'\r', u' ');
    caption.replace(u'\n', u' ');
    return caption;
}

void LinkMenu::Show(const QPoint& globalPos)
{
    mnuLinkOpen_->setText(CaptionFor(currentLink_ ? currentLink_() : QString()));
    PopUpMenu(*mnuLink_, globalPos);
}
