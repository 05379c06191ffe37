#pragma once
#include <QString>

// The three things the lists need of a list box or combo box. A window adapts its
// widget to this (and may collect the items while hidden, so that a long list
// reaches the widget in one step when it is shown again).
class ListControl {
public:
    virtual ~ListControl() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual void Clear() = 0;
    virtual void AddItem(const QString& text) = 0;
};
