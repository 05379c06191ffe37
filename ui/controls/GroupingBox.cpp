#include "ui/controls/GroupingBox.h"

#include "ui/controls/Twips.h"

#include <cmath>

GroupingBox::GroupingBox(QWidget* parent) : MarginedControl(parent) {}

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

void GroupingBox::ReadProperties(const QVariantMap& bag)
{
    horizontalLayout_ = bag.value(QStringLiteral("HorizontalLayout"), Pin).toInt();
    verticalLayout_ = bag.value(QStringLiteral("VerticalLayout"), Pin).toInt();
    ReadMargins(bag);
    if (IsLoaded())
        AttachParent(Enabled());
}

QVariantMap GroupingBox::WriteProperties() const
{
    QVariantMap bag;
    if (horizontalLayout_ != Pin)
        bag.insert(QStringLiteral("HorizontalLayout"), horizontalLayout_);
    if (verticalLayout_ != Pin)
        bag.insert(QStringLiteral("VerticalLayout"), verticalLayout_);
    WriteMargins(bag);
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
    AttachParent(Enabled());
}

void GroupingBox::WindowResized(QWidget* window)
{
    // The layout waits for the next resize after a property changes, so the
    // values are read here, not kept from the last assignment.
    const double width = Twips::FromPixelsX(window->width(), this);
    const double height = Twips::FromPixelsY(window->height(), this);
    QPoint place = pos();
    if (auto left = Position(horizontalLayout_, width, Twips::FromPixelsX(this->width(), this),
                             MarginLeft(), MarginRight()))
        place.setX(Twips::ToPixelsX(*left, this));
    if (auto top = Position(verticalLayout_, height, Twips::FromPixelsY(this->height(), this),
                            MarginTop(), MarginBottom()))
        place.setY(Twips::ToPixelsY(*top, this));
    move(place);
}
