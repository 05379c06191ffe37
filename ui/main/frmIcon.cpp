#include "ui/main/frmIcon.h"

#include "env/Folders.h"
#include "ui/controls/DesignFonts.h"
#include "ui/controls/FormManager.h"
#include "ui/controls/Pictures.h"
#include "ui/controls/PopupMenu.h"
#include "ui/main/ProgramHost.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

frmIcon::frmIcon(ProgramHost* host, QWidget* parent) : QWidget(parent), host_(host)
{
    setObjectName(QStringLiteral("frmIcon"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(ApplicationTitle());
    setWindowIcon(ProgramWindowIcon());
    setFont(DesignFonts::WindowFont());
    setFixedSize(SizePixels, SizePixels);
    CreateMenu();

    picture_ = LoadProgramIcon();
    // A placement that does not read keeps what was applied before it, the rest as designed.
    RestoreWindowPlacement(SettingsFilePath(), this);
    mnuCommandTopmost_->setChecked(IsTopmost(this));
}

frmIcon::~frmIcon() = default;

void frmIcon::CreateMenu()
{
    mnuCommand_ = NamedMenu(this, "mnuCommand", QStringLiteral("Command"));
    mnuCommandTopmost_ =
        NamedAction(mnuCommand_, "mnuCommandTopmost", QStringLiteral("常に手前に表示(&T)"));
    mnuCommandTopmost_->setCheckable(true);
    NamedSeparator(mnuCommand_, "mnuCommandReturn_bar");
    mnuCommandReturnToMain_ =
        NamedAction(mnuCommand_, "mnuCommandReturnToMain", QStringLiteral("入力モードに移行(&I)"));
    mnuCommandReturnToBrowse_ = NamedAction(mnuCommand_, "mnuCommandReturnToBrowse",
                                            QStringLiteral("閲覧モードに移行(&B)"));
    NamedSeparator(mnuCommand_, "mnuCommandExit_bar");
    mnuCommandExit_ = NamedAction(mnuCommand_, "mnuCommandExit", QStringLiteral("終了(&X)"));

    // The tick has already flipped when triggered arrives.
    connect(mnuCommandTopmost_, &QAction::triggered, this,
            [this](bool checked) { SetTopmost(this, checked); });
    connect(mnuCommandReturnToMain_, &QAction::triggered, this,
            [this] { host_->ShowMainWindow(); });
    connect(mnuCommandReturnToBrowse_, &QAction::triggered, this, [this] {
        host_->ShowMainWindow();
        host_->ShowRecordListWindow();
    });
    connect(mnuCommandExit_, &QAction::triggered, this, [this] { host_->ShutDown(); });
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
        host_->ShowMainWindow();
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
    SaveWindowPlacement(SettingsFilePath(), this);
    emit Unloaded();
}
