#pragma once
// Puts the store's lists into a list view or combo box through a string model.
// While the control is hidden (SetVisible(false)), items are only collected;
// SetVisible(true) hands them all to the model in one step, so a list of a
// hundred thousand dates costs one model reset instead of one widget call each.
// Hiding a control hands its focus on to the next one in the tab order (after
// a result list, a close button, where the next space bar would close the
// window); SetVisible(true) gives it back.
#include "store/ListControl.h"

#include <QPointer>
#include <QStringList>
#include <QStringListModel>

class QAbstractItemView;
class QComboBox;
class QWidget;

class ModelListControl : public ListControl {
public:
    // The view gets a string model of its own (owned by the view).
    explicit ModelListControl(QAbstractItemView* view);
    explicit ModelListControl(QComboBox* combo);
    ModelListControl(const ModelListControl&) = delete;
    ModelListControl& operator=(const ModelListControl&) = delete;

    void SetVisible(bool visible) override;
    void Clear() override;
    void AddItem(const QString& text) override;

    // Orders the entries without regard to letter case, as drop-down lists
    // show them; the stored lists keep the order the entries were added in.
    void SortIgnoringCase();

    QStringListModel* model() const { return model_; }
    QWidget* view() const { return view_; }

private:
    void Flush();

    QPointer<QWidget> view_;
    QPointer<QStringListModel> model_;
    QPointer<QWidget> focused_;
    QStringList pending_;
    bool collecting_ = false;
};
