#pragma once
// The part the Expander and the GroupingBox have in common: four margins
// against the window's edges, in twips, and Enabled, whether the control
// follows the window's resizes at all (not QWidget's enabled state, which
// would disable the controls it moves).
#include "ui/controls/LayoutControl.h"

class MarginedControl : public LayoutControl {
    Q_OBJECT
    Q_PROPERTY(qint32 MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(qint32 MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(qint32 MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(qint32 MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

public:
    explicit MarginedControl(QWidget* parent = nullptr);

    qint32 MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(qint32 value);
    qint32 MarginRight() const { return marginRight_; }
    void SetMarginRight(qint32 value);
    qint32 MarginTop() const { return marginTop_; }
    void SetMarginTop(qint32 value);
    qint32 MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(qint32 value);
    bool Enabled() const { return enabled_; }
    // A loaded control attaches to or detaches from the window at once.
    void SetEnabled(bool value);

protected:
    // The margins and Enabled from a design's property bag (missing ones take
    // their defaults), and back into one (only values that differ from them).
    void ReadMargins(const QVariantMap& bag);
    void WriteMargins(QVariantMap& bag) const;

private:
    qint32 marginLeft_ = 0;
    qint32 marginRight_ = 0;
    qint32 marginTop_ = 0;
    qint32 marginBottom_ = 0;
    bool enabled_ = true;
};
