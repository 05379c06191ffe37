#pragma once
// The migration tool's only window.
#include "env/FolderLock.h"
#include "tools/update/Migrator.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

namespace update {

class frmMain : public QWidget {
    Q_OBJECT
public:
    // folder is the program folder (the executable's); tests pass a temporary one.
    explicit frmMain(const QString& folder, QWidget* parent = nullptr);
    ~frmMain() override;

    // Runs the start-up steps. False when the window is to close at once.
    bool Form_Load();
    void btnRun_Click();
    // Lets go of the data files and the file-system service; closing the window runs it.
    void Form_Unload();

    const QList<FileEntry>& DataFiles() const { return dataFiles_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QString folder_;
    QLabel* lblDescription_;
    QPushButton* btnRun_;
    FolderLock lock_; // the one copy's hold, gone with the process
    QList<FileEntry> dataFiles_;
    QStringList unreadableFolders_;
    bool ran_ = false;
    bool fileSystemCreated_ = false;
};

} // namespace update
