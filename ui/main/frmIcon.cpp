#include "ui/main/frmIcon.h"

#include "app/Defines.h"
#include "app/MainModule.h"
#include "env/Folders.h"
#include "ui/controls/DesignFonts.h"
#include "ui/controls/FormManager.h"
#include "ui/main/PopupMenu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <exception>

frmIcon::frmIcon(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmIcon"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(ApplicationTitle());
    setWindowIcon(ProgramWindowIcon());
    setFont(DesignFonts::DesignFont(9.75));
    setFixedSize(SizePixels, SizePixels);
    CreateMenu();

    picture_ = LoadProgramIcon();
    try {
        RestoreWindowPlacement(SettingsFilePath(), this);
    } catch (const std::exception&) {
        // A placement that does not read keeps what was applied before it, the rest as designed.
    }
    mnuCommandTopmost_->setChecked(IsTopmost(this));
}

frmIcon::~frmIcon() = default;

void frmIcon::CreateMenu()
{
    mnuCommand_ = new QMenu(QStringLiteral("Command"), this);
    mnuCommand_->setObjectName(QStringLiteral("mnuCommand"));
    auto add = [this](const char* name, const QString& caption) {
        QAction* action = mnuCommand_->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    mnuCommandTopmost_ = add("mnuCommandTopmost", QStringLiteral("常に手前に表示(&T)"));
    mnuCommandTopmost_->setCheckable(true);
    mnuCommand_->addSeparator()->setObjectName(QStringLiteral("mnuCommandReturn_bar"));
    mnuCommandReturnToMain_ = add("mnuCommandReturnToMain", QStringLiteral("入力モードに移行(&I)"));
    mnuCommandReturnToBrowse_ =
        add("mnuCommandReturnToBrowse", QStringLiteral("閲覧モードに移行(&B)"));
    mnuCommand_->addSeparator()->setObjectName(QStringLiteral("mnuCommandExit_bar"));
    mnuCommandExit_ = add("mnuCommandExit", QStringLiteral("終了(&X)"));

    // The tick has already flipped when triggered arrives.
    connect(mnuCommandTopmost_, &QAction::triggered, this,
            [this](bool checked) { SetTopmost(this, checked); });
    connect(mnuCommandReturnToMain_, &QAction::triggered, this, [] { ShowMainWindow(); });
    connect(mnuCommandReturnToBrowse_, &QAction::triggered, this, [] {
        ShowMainWindow();
        ShowRecordListWindow();
    });
    connect(mnuCommandExit_, &QAction::triggered, this, [] { ShutDown(); });
}

void frmIcon::ToggleTopmost()
{
    mnuCommandTopmost_->trigger();
}

void frmIcon::ShowCommandMenu(const QPoint& globalPos)
{
    PopUpMenu(*mnuCommand_, globalPos);
}

void frmIcon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void frmIcon::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        grabOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
        pressedAt_ = event->globalPosition().toPoint();
        pressed_ = true;
    } else if (event->button() == Qt::RightButton) {
        ShowCommandMenu(event->globalPosition().toPoint());
    }
}

void frmIcon::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint at = event->globalPosition().toPoint();
    if (following_) {
        move(at - grabOffset_);
        return;
    }
    // The move starts once the mouse has really moved, so a double click stays a double click.
    if (!pressed_ || (at - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressed_ = false;
    QWindow* handle = windowHandle();
    if (handle && handle->startSystemMove())
        return;
    // No window manager to move it: follow the mouse until the button is released.
    following_ = true;
    move(at - grabOffset_);
}

void frmIcon::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        following_ = false;
        pressed_ = false;
    }
}

void frmIcon::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        following_ = false;
        pressed_ = false;
        ShowMainWindow();
    }
}

void frmIcon::Unload()
{
    close();
}

void frmIcon::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (unloaded_)
        return;
    Form_Unload();
}

void frmIcon::Form_Unload()
{
    unloaded_ = true;
    try {
        SaveWindowPlacement(SettingsFilePath(), this);
    } catch (const std::exception&) {
    }
    emit Unloaded();
}
