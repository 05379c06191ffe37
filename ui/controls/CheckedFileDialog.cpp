#include "ui/controls/CheckedFileDialog.h"

#include "env/MessageService.h"
#include "ui/controls/FileSelectDialog.h"

#include <QDir>
#include <QFileInfo>

CheckedFileDialog::CheckedFileDialog(QWidget* owner, qint32 optionBits)
    : QFileDialog(owner), optionBits_(optionBits)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontConfirmOverwrite);
    setOption(QFileDialog::HideNameFilterDetails);
}

void CheckedFileDialog::accept()
{
    const QStringList files = selectedFiles();
    // A folder is opened, not chosen; Qt's own handling does that.
    if (files.size() == 1 && QFileInfo(files.first()).isDir()) {
        QFileDialog::accept();
        return;
    }
    for (const QString& file : files) {
        const QFileInfo info(file);
        if ((optionBits_ & FileSelectDialog::OfnFileMustExist) && !info.isFile()) {
            ShowMessage(info.fileName() + QStringLiteral("\nファイルが見つかりません。\n"
                                                         "ファイル名を確認してください。"),
                        windowTitle(), MessageIcon::Warning);
            return;
        }
        if ((optionBits_ & FileSelectDialog::OfnPathMustExist) && !info.dir().exists()) {
            ShowMessage(info.absolutePath() + QStringLiteral("\nパスが存在しません。\n"
                                                             "パスを確認してください。"),
                        windowTitle(), MessageIcon::Warning);
            return;
        }
        if ((optionBits_ & FileSelectDialog::OfnOverwritePrompt) && info.exists() &&
            ShowMessage(info.fileName() + QStringLiteral(" は既に存在します。\n上書きしますか?"),
                        windowTitle(), MessageIcon::Warning,
                        MessageButtons::YesNo) != MessageAnswer::Yes)
            return;
    }
    QFileDialog::accept();
}
