#pragma once
// The modal dialog that asks for one path and accepts it only while it names
// something of the requested kind (an existing file, an existing folder, a
// URL, or any of these). A file or a URL dropped onto the text box replaces
// its text. The caller reads Canceled and Path after ShowDialog returns.
#include <QDialog>
#include <QString>

class Expander;
class GroupingBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ResizingGrip;

class frmPath : public QDialog {
    Q_OBJECT
public:
    explicit frmPath(QWidget* owner = nullptr);

    // pathType: LinkRules::PathType (0 file, 1 folder, 2 URL, 3 any).
    void ShowDialog(const QString& title, const QString& caption, int pathType,
                    const QString& path);

    // True unless the dialog was left with "設定".
    bool Canceled() const { return canceled_; }
    // The accepted text exactly as typed, blanks included; empty when cancelled.
    const QString& Path() const { return path_; }
    int PathType() const { return pathType_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadPictures();
    void ValidatePath();
    // False, after telling the user, for a path whose blanks at either end
    // make it name nothing that exists.
    static bool ExistsAsTyped(const QString& text);
    bool HandleDrag(QEvent* event);

    QLabel* lblPath_;
    QLineEdit* txtPath_;
    Expander* expText_;
    GroupingBox* gbConsole_;
    QPushButton* btnSetup_;
    QPushButton* btnCancel_;
    ResizingGrip* rg_;

    bool canceled_ = true;
    QString path_;
    int pathType_ = 0;
};
