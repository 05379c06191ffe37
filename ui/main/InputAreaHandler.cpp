#include "ui/main/InputAreaHandler.h"

#include "env/FileStringManager.h"
#include "env/System.h"
#include "ui/controls/PopupMenu.h"
#include "ui/main/LinkRules.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextEdit>

namespace {

// A text cursor's selection separates lines with paragraph separators.
QString PlainSelection(const QTextCursor& cursor)
{
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

QString LineBreaksAsLF(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

QMenu* InputAreaHandler::BuildMenu(QWidget* window)
{
    QMenu* menu = NamedMenu(window, "mnuHyperLink", QStringLiteral("リンク"));
    NamedAction(menu, "mnuHyperLinkOpen", QStringLiteral("開く(&O)"));
    NamedAction(menu, "mnuHyperLinkCopy", QStringLiteral("クリップボードにコピー(&C)"));
    NamedSeparator(menu, "mnuHyperLink_Cancel");
    NamedAction(menu, "mnuHyperLinkCancel", QStringLiteral("キャンセル"));
    return menu;
}

InputAreaHandler::InputAreaHandler(QAbstractScrollArea* input, QMenu* hyperLinkMenu)
    : QObject(input), input_(input), viewport_(input->viewport()), mnuHyperLink_(hyperLinkMenu)
{
    Q_ASSERT(qobject_cast<QTextEdit*>(input) || qobject_cast<QPlainTextEdit*>(input));
    QAction* open = MenuItem(*mnuHyperLink_, "mnuHyperLinkOpen");
    QAction* copy = MenuItem(*mnuHyperLink_, "mnuHyperLinkCopy");

    connect(open, &QAction::triggered, this, [this] { OpenWithShell(selectedLink_); });
    connect(copy, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(selectedLink_); });

    input_->installEventFilter(this);
    viewport_->installEventFilter(this);
}

InputAreaHandler::~InputAreaHandler() = default;

void InputAreaHandler::SetEditLink(std::function<void(const QString&)> editLink)
{
    editLink_ = std::move(editLink);
}

QTextCursor InputAreaHandler::Cursor() const
{
    if (auto* edit = qobject_cast<QTextEdit*>(input_))
        return edit->textCursor();
    return static_cast<QPlainTextEdit*>(input_)->textCursor();
}

void InputAreaHandler::SetCursor(const QTextCursor& cursor)
{
    if (auto* edit = qobject_cast<QTextEdit*>(input_))
        edit->setTextCursor(cursor);
    else
        static_cast<QPlainTextEdit*>(input_)->setTextCursor(cursor);
}

bool InputAreaHandler::ReadOnly() const
{
    if (auto* edit = qobject_cast<QTextEdit*>(input_))
        return edit->isReadOnly();
    return static_cast<QPlainTextEdit*>(input_)->isReadOnly();
}

QPoint InputAreaHandler::CaretPosition() const
{
    QRect caret;
    if (auto* edit = qobject_cast<QTextEdit*>(input_))
        caret = edit->cursorRect();
    else
        caret = static_cast<QPlainTextEdit*>(input_)->cursorRect();
    return input_->viewport()->mapTo(input_, caret.topLeft());
}

bool InputAreaHandler::ShowHyperLinkMenu(const QPoint& position)
{
    QTextCursor cursor = Cursor();
    selectedLink_ = PlainSelection(cursor);
    if (!LinkRules::IsLinkTarget(selectedLink_))
        return false;
    PopUpMenu(*mnuHyperLink_, input_->mapToGlobal(position));
    // Whatever was chosen, the selection goes so that the next release does
    // not offer the menu again; the caret stays where the selection began.
    cursor = Cursor();
    cursor.setPosition(cursor.selectionStart());
    SetCursor(cursor);
    return true;
}

void InputAreaHandler::ShowMenuLater(const QPoint& position)
{
    // The box finishes its own handling of the release (ending a selection
    // by mouse) before a menu runs its own event loop.
    QMetaObject::invokeMethod(
        this, [this, position] { ShowHyperLinkMenu(position); }, Qt::QueuedConnection);
}

bool InputAreaHandler::HandledByProgram(const QDropEvent* event) const
{
    if (ReadOnly())
        return false;
    // A drag that began in the box moves or copies its text as in any box.
    return !LinkRules::StartedInside(event->source(), input_);
}

bool InputAreaHandler::HandleDrag(QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    if (!HandledByProgram(drop))
        return false;
    const LinkRules::DroppedData data = LinkRules::ReadDrop(drop->mimeData());
    if (data.kind == LinkRules::DroppedData::Nothing) {
        drop->ignore();
        return true;
    }
    if (event->type() == QEvent::Drop)
        Drop(drop);
    else
        drop->acceptProposedAction();
    return true;
}

void InputAreaHandler::Drop(QDropEvent* event)
{
    const LinkRules::DroppedData data = LinkRules::ReadDrop(event->mimeData());
    event->acceptProposedAction();
    if (data.kind == LinkRules::DroppedData::File || IsURL(data.value)) {
        // The link path dialog is modal; it must not run inside the
        // drag-and-drop exchange with the other program.
        const QString path = data.value;
        QMetaObject::invokeMethod(
            this,
            [this, path] {
                if (editLink_)
                    editLink_(path);
            },
            Qt::QueuedConnection);
        return;
    }
    // At the caret, replacing the selection, not where the mouse let go.
    QTextCursor cursor = Cursor();
    cursor.insertText(LineBreaksAsLF(data.value));
    SetCursor(cursor);
}

bool InputAreaHandler::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == viewport_) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return HandleDrag(event);
        case QEvent::MouseButtonRelease:
            ShowMenuLater(static_cast<QMouseEvent*>(event)->position().toPoint() +
                          viewport_->pos());
            break;
        default:
            break;
        }
    } else if (watched == input_ && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A held key repeats presses, not releases, where this program
        // comes from; one menu per key stroke.
        if (key->key() != Qt::Key_Escape && !key->isAutoRepeat())
            ShowMenuLater(CaretPosition());
    }
    return QObject::eventFilter(watched, event);
}
