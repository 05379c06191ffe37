#include "ui/controls/ModelListControl.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStringListModel>

ModelListControl::ModelListControl(QAbstractItemView* view)
    : view_(view), model_(new QStringListModel(view))
{
    view->setModel(model_);
}

ModelListControl::ModelListControl(QComboBox* combo)
    : view_(combo), model_(new QStringListModel(combo))
{
    combo->setModel(model_);
}

void ModelListControl::SetVisible(bool visible)
{
    collecting_ = !visible;
    if (visible)
        Flush();
    if (view_)
        view_->setVisible(visible);
}

void ModelListControl::Clear()
{
    pending_.clear();
    if (model_)
        model_->setStringList({});
    // A hidden view keeps its scroll position through the model reset, which
    // would hide the first entries of the next fill.
    if (auto* view = qobject_cast<QAbstractItemView*>(view_.data()))
        view->scrollToTop();
}

void ModelListControl::AddItem(const QString& text)
{
    // A visible control shows an item as soon as it is added; only a hidden one
    // waits, which is what makes a long fill cheap.
    if (collecting_ || !model_) {
        pending_.append(text);
        return;
    }
    const int row = model_->rowCount();
    if (model_->insertRows(row, 1))
        model_->setData(model_->index(row), text);
}

void ModelListControl::Flush()
{
    if (pending_.isEmpty() || !model_)
        return;
    if (model_->rowCount() == 0) {
        model_->setStringList(pending_);
    } else {
        QStringList all = model_->stringList();
        all.append(pending_);
        model_->setStringList(all);
    }
    pending_.clear();
}
