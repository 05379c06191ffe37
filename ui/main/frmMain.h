#pragma once
// The window in which the user writes records, and in which the record list
// window shows and rewrites stored ones. Controls carry their design names as
// object names (txtLog, lstCategory, btnLog, mnuEditLog, ...); frmMainLayout
// creates and places them, this class gives them their behaviour.
#include "env/DateTime.h"
#include "store/StoreResult.h"
#include "ui/main/frmMainLayout.h"

#include <QMainWindow>
#include <QString>

#include <optional>

class CategoryBox;
class LogList;
class ManualWindow;
class ProgramHost;
class QTimer;

enum class MainWindowMode : qint32 { Browsing = 0, Writing = 1, Rewriting = 2 };

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // Loads the window (pictures, version, clock, categories, placement, font,
    // writing mode) without showing it.
    // The record book and the host outlive the window.
    frmMain(LogList& logList, ProgramHost* host, QWidget* parent = nullptr);
    ~frmMain() override;

    void SetToWritingMode();
    void SetToBrowsingMode();
    // Shows the record of the date-time text ("yyyy/mm/dd hh:mm:ss") read-only.
    // Without such a record the date display still changes, the input stays.
    void ShowLog(const QString& dateText);
    // The category box afresh from the record book (after a record or a repair).
    void RefillCategories();

    // Records the input (writing mode) or stores the rewrite (rewriting mode).
    void CommitInput();
    void ClearInput();
    // Ctrl+N: like ClearInput, but the input area's undo (Ctrl+Z) brings the
    // text back and, with it, the category and the link.
    void ClearInputUndoably();
    // Asks, then removes the shown record (browsing mode only).
    void DeleteShownRecord();
    // Marks every place of the words in the shown text (the words of the search
    // it was found by); the text itself is unchanged. Empty: no marks.
    void HighlightWords(const QStringList& words);
    void SetLink(const QString& link);

    // The link path dialog for the related link, starting at the given path.
    void EditLink(const QString& initialPath);
    // The pop-up menu of the link icon.
    void ShowLinkMenu();
    // The font dialog for the input area; the font is saved afterwards.
    void ShowFontDialog();
    // The manual, at the anchor when one is given: by the desktop, else in a
    // window of the program's own.
    void ShowManual(const QString& anchor = {});
    // The page where new versions are handed out; the manual's section on
    // getting them when the build names no such page.
    void GotoWebsite();
    // The manual's own window while it is open.
    ManualWindow* LoadedManualWindow() const;

    // A close started by the program (switching to the iconized window, shut
    // down): it never ends the program by itself.
    void Unload();
    // Ends the program (the exit menu item).
    void Exit();

    MainWindowMode Mode() const { return mode_; }
    const QString& CurrentLogDate() const { return currentLogDate_; }
    const QString& CurrentLink() const { return currentLink_; }
    bool ExitRequested() const { return exitRequested_; }
    // The record text of the input area, with CR LF line breaks.
    QString RecordText() const;

    // How long typing must pause before the unsent input is saved.
    static constexpr int InputAreaSaveDelay = 2000;

signals:
    // The window has run its unload steps; it is deleted soon after.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectHandlers();
    // Hyperlinks in the text and drops on the input area.
    void InstallInputAreaHandlers();
    void Form_Load();
    void Form_Unload();
    void LoadFont();
    // ShowLog with the date-time the text was read as (none when it is no date-time).
    void ShowRecord(const QString& dateText, const std::optional<DateTime>& logDate);
    void SetToRewritingMode();
    void CancelRewriting();
    void LockInput(bool locked);
    void DisableRecordCommands(bool disabled);
    void UpdateCommandStates();
    void RestoreInputArea();
    // autosave: a failure already told is not told again at every pause.
    void SaveInputArea(bool autosave = false);
    void ScheduleInputAreaSave();
    void UpdateDeleteCommand();
    void ShowClock();
    void ReportFailure(const StoreResult& result);

    LogList& logList_;
    ProgramHost* host_;
    MainWindowMode mode_ = MainWindowMode::Browsing;
    QString currentLogDate_;
    QString currentLink_;
    bool exitRequested_ = false;
    bool unloadingByProgram_ = false;
    bool unloaded_ = false;
    // currentLogDate_ as a date-time, the one a rewrite or a delete acts on.
    std::optional<DateTime> shownLogDate_;
    // Whether the record of currentLogDate_ is on show (it may be deleted).
    bool shownRecord_ = false;
    bool inputAreaFailureTold_ = false;

    frmMainLayout ui_;
    QTimer* tmrInputArea_ = nullptr;
    CategoryBox* categoryBox_ = nullptr;
};
