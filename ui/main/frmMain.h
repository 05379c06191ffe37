#pragma once
// The window in which the user writes records, and in which the record list
// window shows and rewrites stored ones. Controls carry their design names as
// object names (txtLog, lstCategory, btnLog, mnuEditLog, ...).
#include "store/StoreResult.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>

class Expander;
class GroupingBox;
class LogList;
class ManualWindow;
class ModelListControl;
class ProgramHost;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QToolButton;
class ResizingGrip;

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

    // The content of the input-area file for a text, category and link.
    static QString InputAreaContent(const QString& text, const QString& category,
                                    const QString& link);
    // Line breaks of the input area (LF) as a record keeps them (CR LF), and back.
    static QString ToRecordText(const QString& inputText);
    static QString ToInputText(const QString& recordText);
    // What the user reads when the record book could not store the input.
    static QString FailureMessage(const StoreResult& result);
    // What the user reads when the unsent input could not be written to its file.
    static QString InputAreaFailureMessage(const QString& path);
    // What the user reads when a record could not be deleted, or only in part.
    static QString DeleteFailureMessage(const StoreResult& result);
    // How long typing must pause before the unsent input is saved.
    static constexpr int InputAreaSaveDelay = 2000;

    // The design size of the window's interior below the menu bar, in pixels.
    static constexpr int DesignWidth = 5685 / 15;
    static constexpr int DesignHeight = 4995 / 15;

signals:
    // The window has run its unload steps; it is deleted soon after.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateMenus();
    void ConnectHandlers();
    // Hyperlinks in the text and drops on the input area.
    void InstallInputAreaHandlers();
    void Form_Load();
    void Form_Unload();
    void LoadPictures();
    void LoadFont();
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
    bool StoreInput();
    void ReportFailure(const StoreResult& result);
    QString InputAreaPath() const;

    LogList& logList_;
    ProgramHost* host_;
    MainWindowMode mode_ = MainWindowMode::Browsing;
    QString currentLogDate_;
    QString currentLink_;
    QPointer<ManualWindow> manualWindow_;
    bool exitRequested_ = false;
    bool unloadingByProgram_ = false;
    bool unloaded_ = false;
    // Whether the record of currentLogDate_ is on show (it may be deleted).
    bool shownRecord_ = false;
    bool inputAreaFailureTold_ = false;

    QPlainTextEdit* txtLog_ = nullptr;
    GroupingBox* gbData_ = nullptr;
    QLineEdit* txtDate_ = nullptr;
    QTimer* tmrDate_ = nullptr;
    QTimer* tmrInputArea_ = nullptr;
    QLabel* lblCategory_ = nullptr;
    QComboBox* lstCategory_ = nullptr;
    QLabel* imgLink_ = nullptr;
    Expander* expCategory_ = nullptr;
    GroupingBox* gbButtons_ = nullptr;
    QToolButton* btnLog_ = nullptr;
    QToolButton* btnView_ = nullptr;
    QToolButton* btnIconize_ = nullptr;
    Expander* expData_ = nullptr;
    Expander* expLog_ = nullptr;
    ResizingGrip* rg_ = nullptr;
    std::unique_ptr<ModelListControl> categoryControl_;

    QMenu* mnuProgram_ = nullptr;
    QAction* mnuProgramIconize_ = nullptr;
    QAction* mnuProgramToBrowsingMode_ = nullptr;
    QAction* mnuProgramExit_ = nullptr;
    QMenu* mnuEdit_ = nullptr;
    QAction* mnuEditCopyAll_ = nullptr;
    QAction* mnuEditClear_ = nullptr;
    QAction* mnuEditSetLink_ = nullptr;
    QAction* mnuEditToRewritingMode_ = nullptr;
    QAction* mnuEditDelete_ = nullptr;
    QAction* mnuEditLog_ = nullptr;
    QMenu* mnuSetup_ = nullptr;
    QAction* mnuSetupFont_ = nullptr;
    QMenu* mnuHelp_ = nullptr;
    QAction* mnuHelpShowManualIndex_ = nullptr;
    QAction* mnuHelpGotoWebsite_ = nullptr;
    QAction* mnuHelpVersion_ = nullptr;
    QMenu* mnuLink_ = nullptr;
    QAction* mnuLinkOpen_ = nullptr;
    QAction* mnuLinkEdit_ = nullptr;
    QAction* mnuLinkDelete_ = nullptr;
    QMenu* mnuHyperLink_ = nullptr;
};
