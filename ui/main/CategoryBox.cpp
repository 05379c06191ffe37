#include "ui/main/CategoryBox.h"

#include "store/StringList.h"
#include "ui/controls/ModelListControl.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

CategoryBox::CategoryBox(QComboBox* box)
    : QObject(box), box_(box), list_(std::make_unique<ModelListControl>(box))
{
    box->installEventFilter(this);
}

CategoryBox::~CategoryBox() = default;

void CategoryBox::Refill(const StringList& categories)
{
    const QString text = box_->currentText();
    categories.FillListBox(*list_);
    list_->SortIgnoringCase();
    box_->setCurrentIndex(-1);
    box_->setEditText(text);
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
