#include "ui/main/CategoryBox.h"

#include "store/StringList.h"
#include "ui/controls/ModelListControl.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

#include <algorithm>

CategoryBox::CategoryBox(QComboBox* box)
    : QObject(box), box_(box), list_(std::make_unique<ModelListControl>(box))
{
    box->installEventFilter(this);
}

CategoryBox::~CategoryBox() = default;

void CategoryBox::Refill(const StringList& categories)
{
    // Hiding the box for the fill would move the focus away; bring it back after.
    QWidget* focus = QApplication::focusWidget();
    const QString text = box_->currentText();
    categories.FillListBox(*list_);
    QStringListModel* model = list_->model();
    QStringList items = model->stringList();
    std::sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    model->setStringList(items);
    box_->setCurrentIndex(-1);
    box_->setEditText(text);
    if (focus && focus != QApplication::focusWidget() && focus->isVisible())
        focus->setFocus();
}

void CategoryBox::SetLocked(bool locked)
{
    locked_ = locked;
    box_->lineEdit()->setReadOnly(locked);
}

bool CategoryBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != box_ || !locked_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
               key == Qt::Key_PageDown || key == Qt::Key_F4 || key == Qt::Key_Home ||
               key == Qt::Key_End;
    }
    default:
        return false;
    }
}
