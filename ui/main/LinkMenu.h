#pragma once
// The pop-up menu of the related-link icon: open the link, edit it, delete
// it. The window keeps the link; the menu asks for it through callbacks.
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;

class LinkMenu : public QObject {
    Q_OBJECT
public:
    // The menu with its items, a child of the window.
    static QMenu* BuildMenu(QWidget* window);
    // Works the items of a menu BuildMenu made; a child of the menu.
    explicit LinkMenu(QMenu* menu);

    void SetCurrentLink(std::function<QString()> currentLink);
    void SetEditLink(std::function<void(const QString&)> editLink);
    void SetLink(std::function<void(const QString&)> setLink);

    // Shows the menu at a screen position with the link as the first item.
    void Show(const QPoint& globalPos);

    QMenu* Menu() const { return mnuLink_; }

    // The menu item shows the link as it is: no mnemonic, no shortcut column.
    static QString CaptionFor(const QString& link);

private:
    QMenu* mnuLink_ = nullptr;
    QAction* mnuLinkOpen_ = nullptr;
    QAction* mnuLinkEdit_ = nullptr;
    QAction* mnuLinkDelete_ = nullptr;
    std::function<QString()> currentLink_;
    std::function<void(const QString&)> editLink_;
    std::function<void(const QString&)> setLink_;
};
