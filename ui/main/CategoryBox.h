#pragma once
// The behaviour of the main window's category box: its list is the record
// book's category keywords, sorted without regard to letter case, and while
// the box is locked its text can neither be typed over nor chosen from the
// list by mouse, wheel or keys.
#include <QObject>

#include <memory>

class ModelListControl;
class QComboBox;
class StringList;

class CategoryBox : public QObject {
    Q_OBJECT
public:
    // A child of the box, which must be editable.
    explicit CategoryBox(QComboBox* box);
    ~CategoryBox() override;

    // The list afresh from the keywords; the box keeps its text and the
    // window its focus.
    void Refill(const StringList& categories);
    void SetLocked(bool locked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* box_;
    std::unique_ptr<ModelListControl> list_;
    bool locked_ = false;
};
