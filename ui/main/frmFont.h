#pragma once
// The modal dialog in which the user picks the face and whole-point size of
// the main window's input area. The font handed to ShowDialog changes only
// when the user accepts; until then only the sample follows the lists.
#include <QDialog>
#include <QFont>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmFont : public QDialog {
    Q_OBJECT
public:
    explicit frmFont(QWidget* owner = nullptr);

    // Preselects the target's face and size, shows the dialog modally and,
    // when "設定" was pressed, gives the target the chosen face and size.
    void ShowDialog(QFont& target);

    bool FontAccepted() const { return fontAccepted_; }
    bool FontDialogReady() const { return fontDialogReady_; }

    // Rounds a point size to the whole size the size list offers: to the
    // nearest integer, an exact half to the even neighbour.
    static int WholePoints(qreal pointSize);

private:
    void SelectListItem(QComboBox* list, const QString& text);
    void ApplyFontSelection(QFont& font) const;
    void PreviewSelection();
    void LoadPictures();
    void FillLists();

    QLabel* lblFont_;
    QComboBox* lstFont_;
    QLabel* lblSize_;
    QComboBox* lstSize_;
    QPlainTextEdit* txtPreview_;
    QPushButton* btnSetup_;
    QPushButton* btnCancel_;
    bool fontAccepted_ = false;
    bool fontDialogReady_ = false;
};
