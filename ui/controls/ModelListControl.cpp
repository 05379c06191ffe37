#include "ui/controls/ModelListControl.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStringListModel>

#include <algorithm>

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
    if (!view_)
        return;
    if (!visible) {
        QWidget* focused = view_->window()->focusWidget();
        focused_ =
            focused && (focused == view_ || view_->isAncestorOf(focused)) ? focused : nullptr;
    }
    view_->setVisible(visible);
    if (visible && focused_ && focused_->isVisible())
        focused_->setFocus();
}

void ModelListControl::SortIgnoringCase()
{
    if (!model_)
        return;
    QStringList items = model_->stringList();
    std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    model_->setStringList(items);
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
