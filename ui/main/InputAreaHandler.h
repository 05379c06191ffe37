#pragma once
// Hyperlinks and drops in the main window's input area. Attached to the text
// box, it offers the hyperlink menu for a selected path or URL after a mouse
// or key release, and takes in what is dropped onto the box: a file or a URL
// becomes the related link (through the edit callback), other text goes in at
// the caret. While the box is read-only the box's own drop handling applies,
// and so it does for a drag that started in the box itself.
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

class QAbstractScrollArea;
class QAction;
class QDropEvent;
class QMenu;
class QTextCursor;
class QWidget;

class InputAreaHandler : public QObject {
    Q_OBJECT
public:
    // The hyperlink menu with its items, a child of the window.
    static QMenu* BuildMenu(QWidget* window);
    // input: a QTextEdit or QPlainTextEdit; the menu one BuildMenu made. Both
    // must outlive the handler.
    InputAreaHandler(QAbstractScrollArea* input, QMenu* hyperLinkMenu);
    ~InputAreaHandler() override;

    // Receives a dropped file path or URL (the main window's EditLink).
    void SetEditLink(std::function<void(const QString&)> editLink);

    // The selected text the hyperlink menu last looked at.
    const QString& SelectedLink() const { return selectedLink_; }
    QMenu* HyperLinkMenu() const { return mnuHyperLink_; }

    // Offers the hyperlink menu for the selection; position in the input
    // area's own coordinates. Returns whether the menu was shown.
    bool ShowHyperLinkMenu(const QPoint& position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleDrag(QEvent* event);
    void Drop(QDropEvent* event);
    bool HandledByProgram(const QDropEvent* event) const;
    void ShowMenuLater(const QPoint& position);
    QTextCursor Cursor() const;
    void SetCursor(const QTextCursor& cursor);
    bool ReadOnly() const;
    QPoint CaretPosition() const;

    QAbstractScrollArea* input_;
    // Kept apart from input_: events still arrive while the box is being
    // destroyed, when it can no longer be asked for its viewport.
    QWidget* viewport_;
    QMenu* mnuHyperLink_ = nullptr;
    QString selectedLink_;
    std::function<void(const QString&)> editLink_;
};
