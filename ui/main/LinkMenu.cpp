#include "ui/main/LinkMenu.h"

#include "env/System.h"
#include "ui/main/PopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <algorithm>

LinkMenu::LinkMenu(QWidget* window) : QObject(window)
{
    mnuLink_ = window->findChild<QMenu*>(QStringLiteral("mnuLink"));
    if (!mnuLink_) {
        mnuLink_ = new QMenu(QStringLiteral("関連リンク"), window);
        mnuLink_->setObjectName(QStringLiteral("mnuLink"));
    }
    mnuLinkOpen_ = FindOrAddAction("mnuLinkOpen", QString());
    const auto items = mnuLink_->actions();
    // A window that built the menu itself may have left its separator unnamed.
    if (std::none_of(items.begin(), items.end(), [](QAction* a) { return a->isSeparator(); })) {
        QAction* bar = mnuLink_->addSeparator();
        bar->setObjectName(QStringLiteral("mnuLink_"));
    }
    mnuLinkEdit_ = FindOrAddAction("mnuLinkEdit", QStringLiteral("編集 ..."));
    mnuLinkDelete_ = FindOrAddAction("mnuLinkDelete", QStringLiteral("削除"));

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

QAction* LinkMenu::FindOrAddAction(const char* name, const QString& caption)
{
    const QString objectName = QString::fromLatin1(name);
    for (QAction* action : mnuLink_->actions()) {
        if (action->objectName() == objectName)
            return action;
    }
    QAction* action = mnuLink_->addAction(caption);
    action->setObjectName(objectName);
    return action;
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

void LinkMenu::SetEditable(bool editable)
{
    mnuLinkEdit_->setEnabled(editable);
    mnuLinkDelete_->setEnabled(editable);
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
