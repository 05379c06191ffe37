#pragma once
// The open and save file dialogs behind a property interface: set Title,
// Filter and DefaultExtension, show the dialog owned by a window, then read
// Canceled and FilePath.
//
// Filter holds description and pattern alternately, separated by "|"
// ("XML (*.xml)|*.xml|すべてのファイル形式|*.*"); several patterns of one pair
// are separated by ";". FilePath is the chosen file's full path or, for several
// files, the folder and then each name, joined by "|". A selection longer than
// MaxPathLength characters (with the separators the platform dialog counts)
// ends like a canceled dialog.
//
// The dialog is a CheckedFileDialog run by ExecModal, so a test drives it with
// SetModalDriver<CheckedFileDialog> (ModalDialog.h).
#include <QString>
#include <QStringList>

class QWidget;

class FileSelectDialog {
public:
    // Option bits as the platform dialogs name them.
    static constexpr qint32 OfnReadOnly = 0x1;
    static constexpr qint32 OfnOverwritePrompt = 0x2;
    static constexpr qint32 OfnHideReadOnly = 0x4;
    static constexpr qint32 OfnAllowMultiSelect = 0x200;
    static constexpr qint32 OfnPathMustExist = 0x800;
    static constexpr qint32 OfnFileMustExist = 0x1000;
    static constexpr qint32 OfnExplorer = 0x80000;
    static constexpr int MaxPathLength = 512;

    FileSelectDialog() = default;

    QString DefaultExtension() const { return defaultExtension_; }
    void SetDefaultExtension(const QString& extension) { defaultExtension_ = extension; }
    // Recomputed at every show; an assigned value never reaches the dialog.
    qint32 Flags() const { return flags_; }
    void SetFlags(qint32 flags) { flags_ = flags; }
    QString FilePath() const { return filePath_; }
    QString Filter() const { return filter_; }
    void SetFilter(const QString& filter) { filter_ = filter; }
    qint16 FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(qint16 index) { filterIndex_ = index; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool multiSelect) { multiSelect_ = multiSelect; }
    QString Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }
    bool Canceled() const { return canceled_; }

    // True when the user chose a file.
    bool ShowOpenDialog(QWidget* OwnerForm);
    bool ShowSaveDialog(QWidget* OwnerForm);
    // The whole content of the text file; empty when it is missing or unreadable.
    void LoadFilterFromFile(const QString& FilePath);

    // The filter list as Qt name filters, one per complete pair.
    static QStringList NameFilters(const QString& filter);

private:
    bool Show(bool save, QWidget* owner);

    QString defaultExtension_;
    qint32 flags_ = OfnExplorer;
    QString filePath_;
    QString filter_;
    qint16 filterIndex_ = 0;
    bool readOnly_ = false;
    bool multiSelect_ = false;
    QString title_;
    bool canceled_ = false;
};
