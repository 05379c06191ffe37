#include "ui/controls/Expander.h"

#include "env/MessageService.h"
#include "ui/controls/Twips.h"

Expander::Expander(QWidget* parent) : MarginedControl(parent)
{
    FixOwnSize();
}

Expander::~Expander()
{
    target_ = nullptr;
}

void Expander::FixOwnSize()
{
    setFixedSize(Twips::ToPixelsX(SizeTwips, this), Twips::ToPixelsY(SizeTwips, this));
}

void Expander::SetTargetName(const QString& name)
{
    if (name.isEmpty())
        return;
    targetName_ = name;
    BindTarget();
    emit PropertyChanged(QStringLiteral("TargetName"));
}

void Expander::SetExpands(qint32 value)
{
    expands_ = value;
    emit PropertyChanged(QStringLiteral("Expands"));
}

void Expander::ReadProperties(const QVariantMap& bag)
{
    targetName_ = bag.value(QStringLiteral("TargetName")).toString();
    expands_ = bag.value(QStringLiteral("Expands"), Horizontal).toInt();
    ReadMargins(bag);
}

QVariantMap Expander::WriteProperties() const
{
    QVariantMap bag;
    if (!targetName_.isEmpty())
        bag.insert(QStringLiteral("TargetName"), targetName_);
    if (expands_ != Horizontal)
        bag.insert(QStringLiteral("Expands"), expands_);
    WriteMargins(bag);
    return bag;
}

void Expander::Loaded()
{
    // The expander only lays out; nothing of it shows.
    hide();
    AttachParent(Enabled());
    BindTarget();
}

void Expander::BindTarget()
{
    if (!IsLoaded() || !Enabled() || targetName_.isEmpty())
        return;
    QWidget* window = this->window();
    // A failed lookup keeps the binding there was.
    QWidget* found = window->findChild<QWidget*>(targetName_);
    if (found && found != this)
        target_ = found;
    if (!target_) {
        const QString windowName = window->objectName();
        ShowMessage(targetName_ + QStringLiteral(" が ") + windowName +
                        QStringLiteral(" にありません。"),
                    windowName + u'.' + objectName(), MessageIcon::Critical, MessageButtons::Ok);
    }
}

std::optional<QRectF> Expander::Layout(qint32 expands, const QRectF& target, double width,
                                       double height, qint32 marginLeft, qint32 marginRight,
                                       qint32 marginTop, qint32 marginBottom)
{
    QRectF placed = target;
    switch (expands) {
    case Horizontal:
        placed.moveLeft(marginLeft);
        placed.setWidth(width - (placed.left() + marginRight));
        return placed;
    case Vertical:
        placed.moveTop(marginTop);
        placed.setHeight(height - (placed.top() + marginBottom));
        return placed;
    case Both:
        // Both sizes come from where the target was before this step; it is
        // moved and sized in one go afterwards.
        return QRectF(marginLeft, marginTop, width - (target.left() + marginRight),
                      height - (target.top() + marginBottom));
    default:
        return std::nullopt;
    }
}

void Expander::WindowResized(QWidget* /*window*/)
{
    if (!target_)
        return;
    QWidget* interior = WindowInterior(target_);
    const QWidget* t = target_;
    const QRectF current(Twips::FromPixelsX(t->x(), t), Twips::FromPixelsY(t->y(), t),
                         Twips::FromPixelsX(t->width(), t), Twips::FromPixelsY(t->height(), t));
    const auto placed = Layout(expands_, current, Twips::FromPixelsX(interior->width(), t),
                               Twips::FromPixelsY(interior->height(), t), MarginLeft(),
                               MarginRight(), MarginTop(), MarginBottom());
    if (!placed)
        return;
    const int left = Twips::ToPixelsX(placed->left(), t);
    const int top = Twips::ToPixelsY(placed->top(), t);
    const int width = Twips::ToPixelsX(placed->width(), t);
    const int height = Twips::ToPixelsY(placed->height(), t);
    switch (expands_) {
    case Horizontal:
        // The move stands even when the new width is refused.
        target_->move(left, target_->y());
        if (placed->width() >= 0)
            target_->resize(width, target_->height());
        break;
    case Vertical:
        target_->move(target_->x(), top);
        if (placed->height() >= 0)
            target_->resize(target_->width(), height);
        break;
    default:
        // One operation: a negative size refuses all of it.
        if (placed->width() >= 0 && placed->height() >= 0)
            target_->setGeometry(left, top, width, height);
        break;
    }
}
