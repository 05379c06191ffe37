#include "ui/controls/LayoutControl.h"

#include "ui/controls/Expander.h"
#include "ui/controls/GroupingBox.h"
#include "ui/controls/ResizingGrip.h"

#include <QEvent>
#include <QMainWindow>

LayoutControl::LayoutControl(QWidget* parent) : QWidget(parent) {}

LayoutControl::~LayoutControl()
{
    AttachParent(false);
}

void LayoutControl::Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    Loaded();
}

void LayoutControl::AttachParent(bool attach)
{
    QWidget* window = attach ? WindowInterior(this) : nullptr;
    if (window == attached_)
        return;
    if (attached_)
        attached_->removeEventFilter(this);
    attached_ = window;
    if (attached_)
        attached_->installEventFilter(this);
}

bool LayoutControl::event(QEvent* event)
{
    // Every child is polished as its window is first shown, before the window's
    // first resize, so loading here lets that first resize lay the window out.
    if (event->type() == QEvent::Polish && !loaded_)
        Load();
    return QWidget::event(event);
}

bool LayoutControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == attached_ && event->type() == QEvent::Resize)
        WindowResized(attached_);
    return QWidget::eventFilter(watched, event);
}

QWidget* LayoutControl::WindowInterior(const QWidget* inside)
{
    QWidget* window = inside->window();
    if (auto* main = qobject_cast<QMainWindow*>(window); main && main->centralWidget())
        return main->centralWidget();
    return window;
}

LayoutControl* LayoutControl::Create(const QString& identifier, QWidget* parent,
                                     const QString& name, const QVariantMap& bag)
{
    LayoutControl* control = nullptr;
    if (identifier == Expander::RegisteredIdentifier)
        control = new Expander(parent);
    else if (identifier == GroupingBox::RegisteredIdentifier)
        control = new GroupingBox(parent);
    else if (identifier == ResizingGrip::RegisteredIdentifier)
        control = new ResizingGrip(parent);
    if (!control)
        return nullptr;
    control->setObjectName(name);
    control->ReadProperties(bag);
    return control;
}

void LayoutControl::LoadAll(QWidget* window)
{
    const auto controls = window->findChildren<LayoutControl*>();
    for (LayoutControl* control : controls)
        control->Load();
}
