#include "ui/controls/GroupingBox.h"

#include "ui/controls/Twips.h"

#include <cmath>

GroupingBox::GroupingBox(QWidget* parent) : LayoutControl(parent) {}

void GroupingBox::SetHorizontalLayout(qint32 value)
{
    horizontalLayout_ = value;
    emit PropertyChanged(QStringLiteral("HorizontalLayout"));
}

void GroupingBox::SetVerticalLayout(qint32 value)
{
    verticalLayout_ = value;
    emit PropertyChanged(QStringLiteral("VerticalLayout"));
}

void GroupingBox::SetMarginLeft(qint32 value)
{
    marginLeft_ = value;
    emit PropertyChanged(QStringLiteral("MarginLeft"));
}

void GroupingBox::SetMarginRight(qint32 value)
{
    marginRight_ = value;
    emit PropertyChanged(QStringLiteral("MarginRight"));
}

void GroupingBox::SetMarginTop(qint32 value)
{
    marginTop_ = value;
    emit PropertyChanged(QStringLiteral("MarginTop"));
}

void GroupingBox::SetMarginBottom(qint32 value)
{
    marginBottom_ = value;
    emit PropertyChanged(QStringLiteral("MarginBottom"));
}

void GroupingBox::SetEnabled(bool value)
{
    enabled_ = value;
    if (IsLoaded())
        AttachParent(enabled_);
    emit PropertyChanged(QStringLiteral("Enabled"));
}

void GroupingBox::ReadProperties(const QVariantMap& bag)
{
    horizontalLayout_ = bag.value(QStringLiteral("HorizontalLayout"), Pin).toInt();
    verticalLayout_ = bag.value(QStringLiteral("VerticalLayout"), Pin).toInt();
    marginLeft_ = bag.value(QStringLiteral("MarginLeft"), 0).toInt();
    marginRight_ = bag.value(QStringLiteral("MarginRight"), 0).toInt();
    marginTop_ = bag.value(QStringLiteral("MarginTop"), 0).toInt();
    marginBottom_ = bag.value(QStringLiteral("MarginBottom"), 0).toInt();
    enabled_ = bag.value(QStringLiteral("Enabled"), true).toBool();
    if (IsLoaded())
        AttachParent(enabled_);
}

QVariantMap GroupingBox::WriteProperties() const
{
    QVariantMap bag;
    if (horizontalLayout_ != Pin)
        bag.insert(QStringLiteral("HorizontalLayout"), horizontalLayout_);
    if (verticalLayout_ != Pin)
        bag.insert(QStringLiteral("VerticalLayout"), verticalLayout_);
    if (marginLeft_ != 0)
        bag.insert(QStringLiteral("MarginLeft"), marginLeft_);
    if (marginRight_ != 0)
        bag.insert(QStringLiteral("MarginRight"), marginRight_);
    if (marginTop_ != 0)
        bag.insert(QStringLiteral("MarginTop"), marginTop_);
    if (marginBottom_ != 0)
        bag.insert(QStringLiteral("MarginBottom"), marginBottom_);
    if (!enabled_)
        bag.insert(QStringLiteral("Enabled"), false);
    return bag;
}

std::optional<double> GroupingBox::Position(qint32 rule, double extent, double size,
                                            double nearMargin, double farMargin)
{
    switch (rule) {
    case Pin:
        return extent - (size + farMargin);
    case Centre:
        return std::trunc(Twips::RoundHalfEven((extent + nearMargin) - (size + farMargin)) / 2);
    default:
        return std::nullopt;
    }
}

void GroupingBox::Loaded()
{
    AttachParent(enabled_);
}

void GroupingBox::WindowResized(QWidget* window)
{
    // The layout waits for the next resize after a property changes, so the
    // values are read here, not kept from the last assignment.
    const double width = Twips::FromPixelsX(window->width(), this);
    const double height = Twips::FromPixelsY(window->height(), this);
    QPoint place = pos();
    if (auto left = Position(horizontalLayout_, width, Twips::FromPixelsX(this->width(), this),
                             marginLeft_, marginRight_))
        place.setX(Twips::ToPixelsX(*left, this));
    if (auto top = Position(verticalLayout_, height, Twips::FromPixelsY(this->height(), this),
                            marginTop_, marginBottom_))
        place.setY(Twips::ToPixelsY(*top, this));
    move(place);
}
