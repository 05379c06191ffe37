#pragma once
// The Qt file dialog behind FileSelectDialog. It makes the checks the option
// bits ask for (file must exist, folder must exist, confirm an overwrite)
// itself, through the message service, so that no box of Qt's own can block a
// test; a refused choice leaves the dialog open, as the platform dialogs do.
#include <QFileDialog>

class CheckedFileDialog : public QFileDialog {
    Q_OBJECT

public:
    CheckedFileDialog(QWidget* owner, qint32 optionBits);

public slots:
    void accept() override;

private:
    qint32 optionBits_;
};
