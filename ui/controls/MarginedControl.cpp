#include "ui/controls/MarginedControl.h"

MarginedControl::MarginedControl(QWidget* parent) : LayoutControl(parent) {}

void MarginedControl::SetMarginLeft(qint32 value)
{
    marginLeft_ = value;
    emit PropertyChanged(QStringLiteral("MarginLeft"));
}

void MarginedControl::SetMarginRight(qint32 value)
{
    marginRight_ = value;
    emit PropertyChanged(QStringLiteral("MarginRight"));
}

void MarginedControl::SetMarginTop(qint32 value)
{
    marginTop_ = value;
    emit PropertyChanged(QStringLiteral("MarginTop"));
}

void MarginedControl::SetMarginBottom(qint32 value)
{
    marginBottom_ = value;
    emit PropertyChanged(QStringLiteral("MarginBottom"));
}

void MarginedControl::SetEnabled(bool value)
{
    enabled_ = value;
    if (IsLoaded())
        AttachParent(enabled_);
    emit PropertyChanged(QStringLiteral("Enabled"));
}

void MarginedControl::ReadMargins(const QVariantMap& bag)
{
    marginLeft_ = bag.value(QStringLiteral("MarginLeft"), 0).toInt();
    marginRight_ = bag.value(QStringLiteral("MarginRight"), 0).toInt();
    marginTop_ = bag.value(QStringLiteral("MarginTop"), 0).toInt();
    marginBottom_ = bag.value(QStringLiteral("MarginBottom"), 0).toInt();
    enabled_ = bag.value(QStringLiteral("Enabled"), true).toBool();
}

void MarginedControl::WriteMargins(QVariantMap& bag) const
{
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
}
