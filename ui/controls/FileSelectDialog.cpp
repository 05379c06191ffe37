#include "ui/controls/FileSelectDialog.h"

#include "env/FSOHelper.h"
#include "ui/controls/CheckedFileDialog.h"
#include "ui/controls/ModalDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>

namespace {

QString QtPatterns(const QString& patterns)
{
    QStringList out;
    const auto parts = patterns.split(u';', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty())
            continue;
        // The platform's "*.*" also matches names without a dot.
        out.append(pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
    }
    return out.join(u' ');
}

} // namespace

QStringList FileSelectDialog::NameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    // A description without its pattern at the end is left out.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QtPatterns(parts[i + 1]);
        if (patterns.isEmpty())
            continue;
        QString description = parts[i].trimmed();
        if (description.isEmpty())
            description = patterns;
        // Qt reads the patterns from the last parentheses and shows what is before them.
        result.append(description + QStringLiteral(" (") + patterns + u')');
    }
    return result;
}

void FileSelectDialog::LoadFilterFromFile(const QString& FilePath)
{
    filter_ = ReadTextFile(FilePath, false);
}

bool FileSelectDialog::ShowOpenDialog(QWidget* OwnerForm)
{
    return Show(false, OwnerForm);
}

bool FileSelectDialog::ShowSaveDialog(QWidget* OwnerForm)
{
    return Show(true, OwnerForm);
}

bool FileSelectDialog::Show(bool save, QWidget* owner)
{
    flags_ = OfnExplorer | (readOnly_ ? OfnReadOnly : OfnHideReadOnly) |
             (multiSelect_ ? OfnAllowMultiSelect : 0);
    const qint32 optionBits =
        flags_ | (save ? OfnOverwritePrompt | OfnPathMustExist : OfnFileMustExist);

    CheckedFileDialog dialog(owner, optionBits);
    dialog.setObjectName(QStringLiteral("FileSelectDialog"));
    dialog.setWindowTitle(!title_.isEmpty() ? title_
                          : save            ? QStringLiteral("名前を付けて保存")
                                            : QStringLiteral("開く"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else
        dialog.setFileMode(multiSelect_ ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);

    const QStringList filters = NameFilters(filter_);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
        const qsizetype index =
            filterIndex_ >= 1 && filterIndex_ <= filters.size() ? filterIndex_ - 1 : 0;
        dialog.selectNameFilter(filters[index]);
    }
    dialog.setDefaultSuffix(defaultExtension_);

    // The last selection is where the next show starts (its folder, for several files).
    const QString initial = filePath_.section(u'|', 0, 0);
    if (!initial.isEmpty()) {
        if (filePath_.contains(u'|') || QFileInfo(initial).isDir())
            dialog.setDirectory(initial);
        else
            dialog.selectFile(initial);
    }

    if (readOnly_) {
        auto* box = new QCheckBox(QStringLiteral("読み取り専用ファイルとして開く(&R)"), &dialog);
        box->setObjectName(QStringLiteral("chkReadOnly"));
        box->setChecked(true);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
    }

    bool result = ExecModal(dialog) == QDialog::Accepted;
    if (result) {
        const QStringList files = dialog.selectedFiles();
        QString buffer;
        qsizetype needed = 0;
        if (files.size() == 1) {
            buffer = files.first();
            needed = buffer.size() + 1;
        } else if (files.size() > 1) {
            QStringList parts{QDir::cleanPath(QFileInfo(files.first()).absolutePath())};
            for (const QString& file : files)
                parts.append(QFileInfo(file).fileName());
            buffer = parts.join(u'|');
            needed = buffer.size() + 2;
        }
        // What the platform's fixed buffer cannot hold fails as a whole.
        if (files.isEmpty() || needed > MaxPathLength)
            result = false;
        else
            filePath_ = buffer;
    }
    canceled_ = !result;
    return result;
}
