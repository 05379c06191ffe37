#include "ui/main/frmMain.h"

#include "env/DateTime.h"
#include "env/FSOHelper.h"
#include "env/Folders.h"
#include "env/MessageService.h"
#include "env/System.h"
#include "store/LogList.h"
#include "ui/controls/FormManager.h"
#include "ui/controls/LoadErrors.h"
#include "ui/controls/ProgramVersion.h"
#include "ui/controls/SettingKeys.h"
#include "ui/controls/WaitCursor.h"
#include "ui/main/CategoryBox.h"
#include "ui/main/InputAreaHandler.h"
#include "ui/main/InputAreaText.h"
#include "ui/main/LinkMenu.h"
#include "ui/main/LinkRules.h"
#include "ui/main/MainMessages.h"
#include "ui/main/ManualWindow.h"
#include "ui/main/ProgramHost.h"
#include "ui/main/frmFont.h"
#include "ui/main/frmPath.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

// The category and link that a clear of the input took away, as a step of the
// input area's own undo.
class FieldsUndo : public QAbstractUndoItem {
public:
    FieldsUndo(std::function<void()> undo, std::function<void()> redo)
        : undo_(std::move(undo)), redo_(std::move(redo))
    {
    }
    void undo() override { undo_(); }
    void redo() override { redo_(); }

private:
    std::function<void()> undo_;
    std::function<void()> redo_;
};

const QString& kFontSettingName = SettingKeys::InputAreaFontName;
const QString kClockFormat = QStringLiteral("yyyy/MM/dd hh:mm");

} // namespace

frmMain::frmMain(LogList& logList, ProgramHost* host, QWidget* parent)
    : QMainWindow(parent), logList_(logList), host_(host)
{
    ui_.Setup(this);
    tmrInputArea_ = new QTimer(this);
    tmrInputArea_->setObjectName(QStringLiteral("tmrInputArea"));
    tmrInputArea_->setSingleShot(true);
    tmrInputArea_->setInterval(InputAreaSaveDelay);
    categoryBox_ = new CategoryBox(ui_.lstCategory);
    // Any press on the link icon pops up its menu.
    ui_.imgLink->installEventFilter(this);
    ConnectHandlers();
    InstallInputAreaHandlers();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::ConnectHandlers()
{
    connect(ui_.txtLog, &QPlainTextEdit::textChanged, this, [this] {
        UpdateCommandStates();
        ScheduleInputAreaSave();
    });
    connect(ui_.lstCategory, &QComboBox::editTextChanged, this,
            [this] { ScheduleInputAreaSave(); });
    connect(tmrInputArea_, &QTimer::timeout, this, [this] {
        if (mode_ == MainWindowMode::Writing)
            SaveInputArea(true);
    });
    connect(ui_.tmrDate, &QTimer::timeout, this, [this] { ShowClock(); });

    connect(ui_.btnLog, &QToolButton::clicked, this, [this] { CommitInput(); });
    connect(ui_.mnuEditLog, &QAction::triggered, this, [this] { CommitInput(); });
    connect(ui_.btnView, &QToolButton::clicked, this, [this] { host_->ShowRecordListWindow(); });
    connect(ui_.btnIconize, &QToolButton::clicked, this, [this] { host_->ShowIconizedWindow(); });
    connect(ui_.mnuProgramIconize, &QAction::triggered, this,
            [this] { host_->ShowIconizedWindow(); });
    connect(ui_.mnuProgramToBrowsingMode, &QAction::triggered, this, [this] {
        // The mode decides, not the tick Qt has just flipped.
        if (mode_ == MainWindowMode::Writing)
            host_->ShowRecordListWindow();
        else
            host_->ReturnToWritingMode();
    });
    connect(ui_.mnuProgramExit, &QAction::triggered, this, [this] { Exit(); });

    connect(ui_.mnuEditCopyAll, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(ui_.txtLog->toPlainText()); });
    connect(ui_.mnuEditClear, &QAction::triggered, this, [this] { ClearInputUndoably(); });
    connect(ui_.mnuEditDelete, &QAction::triggered, this, [this] { DeleteShownRecord(); });
    connect(ui_.mnuEditSetLink, &QAction::triggered, this, [this] { EditLink(currentLink_); });
    connect(ui_.mnuEditToRewritingMode, &QAction::triggered, this, [this] {
        if (mode_ == MainWindowMode::Rewriting)
            CancelRewriting();
        else
            SetToRewritingMode();
    });
    connect(ui_.mnuSetupFont, &QAction::triggered, this, [this] { ShowFontDialog(); });
    connect(ui_.mnuHelpShowManualIndex, &QAction::triggered, this, [this] { ShowManual(); });
    connect(ui_.mnuHelpGotoWebsite, &QAction::triggered, this, [this] { GotoWebsite(); });
}

void frmMain::InstallInputAreaHandlers()
{
    auto* input = new InputAreaHandler(ui_.txtLog, ui_.mnuHyperLink);
    input->SetEditLink([this](const QString& path) { EditLink(path); });
    auto* linkMenu = new LinkMenu(ui_.mnuLink);
    linkMenu->SetCurrentLink([this] { return currentLink_; });
    linkMenu->SetEditLink([this](const QString& link) { EditLink(link); });
    linkMenu->SetLink([this](const QString& link) { SetLink(link); });
}

void frmMain::EditLink(const QString& initialPath)
{
    frmPath dialog(this);
    dialog.ShowDialog(QStringLiteral("関連リンクの設定"), QStringLiteral("関連リンク"),
                      LinkRules::AnyTarget, initialPath);
    if (!dialog.Canceled())
        SetLink(dialog.Path());
}

void frmMain::ShowLinkMenu()
{
    if (auto* menu = ui_.mnuLink->findChild<LinkMenu*>())
        menu->Show(QCursor::pos());
}

void frmMain::ShowFontDialog()
{
    QFont font = ui_.txtLog->font();
    {
        frmFont dialog(this);
        dialog.ShowDialog(font);
    }
    ui_.txtLog->setFont(font);
    // Written whenever the dialog closes, also when it was cancelled.
    SaveWindowFont(SettingsFilePath(), kFontSettingName, font);
}

void frmMain::ShowManual(const QString& anchor)
{
    ManualWindow::Open(this, anchor);
}

void frmMain::GotoWebsite()
{
    const QString address = WebsiteAddress();
    if (address.isEmpty())
        ShowManual(QStringLiteral("newversion"));
    else
        OpenWithShell(address);
}

ManualWindow* frmMain::LoadedManualWindow() const
{
    return ManualWindow::Of(this);
}

void frmMain::Form_Load()
{
    ui_.LoadPictures();
    ui_.mnuHelpVersion->setText(QStringLiteral("版情報 : ver %1.%2 (%3)")
                                    .arg(kMajorVersion)
                                    .arg(kMinorVersion)
                                    .arg(QString::fromLatin1(kReleaseDate)));
    ShowClock();
    RefillCategories();
    // A stored setting that does not convert leaves what was applied before
    // it, and the window loads on with the rest as designed.
    RestoreWindowPlacement(SettingsFilePath(), this);
    LoadFont();
    SetToWritingMode();
}

void frmMain::LoadFont()
{
    QFont font = ui_.txtLog->font();
    // The face name is applied even when the size then fails to convert.
    LoadWindowFont(SettingsFilePath(), kFontSettingName, font);
    ui_.txtLog->setFont(font);
}

void frmMain::ShowClock()
{
    ui_.txtDate->setText(QDateTime::currentDateTime().toString(kClockFormat));
}

void frmMain::RefillCategories()
{
    categoryBox_->Refill(logList_.Categories());
}

void frmMain::SetToWritingMode()
{
    mode_ = MainWindowMode::Writing;
    setWindowTitle(ApplicationTitle() + QStringLiteral(" - 記録 -"));
    ui_.btnView->setEnabled(true);
    ui_.mnuProgramToBrowsingMode->setChecked(false);
    ui_.mnuEditToRewritingMode->setVisible(false);
    ui_.tmrDate->start();
    LockInput(false);
    RestoreInputArea();
    UpdateCommandStates();
    // What was just read back is on disk already.
    tmrInputArea_->stop();
    ui_.txtLog->setExtraSelections({});
    UpdateDeleteCommand();
}

void frmMain::SetToBrowsingMode()
{
    if (mode_ == MainWindowMode::Writing)
        SaveInputArea();
    mode_ = MainWindowMode::Browsing;
    setWindowTitle(ApplicationTitle() + QStringLiteral(" - 閲覧 -"));
    ui_.mnuProgramToBrowsingMode->setChecked(true);
    ui_.mnuEditToRewritingMode->setChecked(false);
    ui_.btnView->setEnabled(false);
    ui_.tmrDate->stop();
    LockInput(true);
    DisableRecordCommands(true);
    tmrInputArea_->stop();
    UpdateDeleteCommand();
}

void frmMain::ShowLog(const QString& dateText)
{
    ShowRecord(dateText, DateTime::Parse(dateText));
}

void frmMain::ShowRecord(const QString& dateText, const std::optional<DateTime>& logDate)
{
    // Out of writing mode first: the typed input is saved before a record replaces it.
    if (mode_ == MainWindowMode::Writing)
        SetToBrowsingMode();
    const ::Log* log = logDate ? logList_.Item(*logDate) : nullptr;
    ShowLoadErrors(logList_.TakeLoadErrors());
    ui_.txtLog->setExtraSelections({});
    if (log) {
        ui_.txtLog->setPlainText(InputAreaText::ToInputText(log->Text()));
    }
    ui_.txtDate->setText(dateText);
    if (log) {
        ui_.lstCategory->setEditText(log->Category());
        SetLink(log->Link());
    }
    currentLogDate_ = dateText;
    shownLogDate_ = logDate;
    shownRecord_ = log != nullptr;
    SetToBrowsingMode();
}

void frmMain::SetToRewritingMode()
{
    mode_ = MainWindowMode::Rewriting;
    setWindowTitle(ApplicationTitle() + QStringLiteral(" - 閲覧 書き直し中 -"));
    ui_.mnuEditToRewritingMode->setChecked(true);
    LockInput(false);
    UpdateCommandStates();
    UpdateDeleteCommand();
}

void frmMain::CancelRewriting()
{
    SetToBrowsingMode();
    ShowRecord(currentLogDate_, shownLogDate_);
}

void frmMain::LockInput(bool locked)
{
    ui_.txtLog->setReadOnly(locked);
    // Read-only alone drops the caret and keyboard selection, which reading a
    // record and the hyperlink menu both need.
    if (locked)
        ui_.txtLog->setTextInteractionFlags(Qt::TextSelectableByKeyboard |
                                            Qt::TextSelectableByMouse);
    categoryBox_->SetLocked(locked);
    ui_.mnuLinkEdit->setEnabled(!locked);
    ui_.mnuLinkDelete->setEnabled(!locked);
    ui_.mnuEditSetLink->setEnabled(!locked);
}

void frmMain::DisableRecordCommands(bool disabled)
{
    ui_.btnLog->setEnabled(!disabled);
    ui_.mnuEditLog->setEnabled(!disabled);
    ui_.mnuEditClear->setEnabled(!disabled);
}

void frmMain::UpdateCommandStates()
{
    if (ui_.txtLog->document()->isEmpty()) {
        DisableRecordCommands(true);
        ui_.mnuEditCopyAll->setEnabled(false);
        return;
    }
    if (mode_ != MainWindowMode::Browsing)
        DisableRecordCommands(false);
    ui_.mnuEditCopyAll->setEnabled(true);
    if (mode_ == MainWindowMode::Browsing) {
        ui_.mnuEditToRewritingMode->setVisible(true);
        UpdateDeleteCommand();
    }
}

void frmMain::UpdateDeleteCommand()
{
    // Offered where rewriting is, but only for a stored record that is not being edited.
    ui_.mnuEditDelete->setVisible(ui_.mnuEditToRewritingMode->isVisible());
    ui_.mnuEditDelete->setEnabled(mode_ == MainWindowMode::Browsing && shownRecord_);
}

void frmMain::CommitInput()
{
    DisableRecordCommands(true);
    WaitCursor wait;
    StoreResult result;
    if (mode_ == MainWindowMode::Writing) {
        result = logList_.Log(DateTime::Now(), ui_.lstCategory->currentText(), currentLink_,
                              RecordText());
        ShowLoadErrors(logList_.TakeLoadErrors());
        if (result.Stored()) {
            RefillCategories();
            ClearInput();
            // Else a crash now would bring the recorded text back for a second record.
            SaveInputArea();
        }
    } else if (mode_ == MainWindowMode::Rewriting) {
        if (!shownLogDate_) {
            result = StoreResult::Fail(StoreResult::Error::NotFound, currentLogDate_);
        } else {
            result = logList_.ReLog(*shownLogDate_, ui_.lstCategory->currentText(), currentLink_,
                                    RecordText());
            ShowLoadErrors(logList_.TakeLoadErrors());
        }
        if (result.Stored()) {
            RefillCategories();
            ShowRecord(currentLogDate_, shownLogDate_);
        }
    }
    wait.Restore();
    if (!result)
        ReportFailure(result);
}

void frmMain::ReportFailure(const StoreResult& result)
{
    // Unless the record was stored, the input stays as typed, so the user can
    // try again or copy the text out.
    ShowMessage(MainMessages::FailureMessage(result), ApplicationTitle(), MessageIcon::Warning);
    UpdateCommandStates();
}

void frmMain::ClearInput()
{
    ui_.txtLog->clear();
    ui_.lstCategory->setEditText(QString());
    SetLink(QString());
}

void frmMain::ClearInputUndoably()
{
    const auto setFields = [this](const QString& category, const QString& link) {
        ui_.lstCategory->setEditText(category);
        SetLink(link);
    };
    const QString category = ui_.lstCategory->currentText();
    const QString link = currentLink_;
    QTextCursor cursor(ui_.txtLog->document());
    // One step of the text box's undo: the text comes back with the category
    // and link it had.
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    ui_.txtLog->document()->appendUndoItem(
        new FieldsUndo([setFields, category, link] { setFields(category, link); },
                       [setFields] { setFields({}, {}); }));
    cursor.endEditBlock();
    setFields({}, {});
}

void frmMain::DeleteShownRecord()
{
    if (mode_ != MainWindowMode::Browsing || !shownRecord_ || !shownLogDate_)
        return;
    if (ShowMessage(QStringLiteral("この記録を削除しますか？"), ApplicationTitle(),
                    MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    StoreResult result;
    {
        WaitCursor wait;
        result = logList_.Delete(*shownLogDate_);
    }
    ShowLoadErrors(logList_.TakeLoadErrors());
    const bool removed = result || result.error == StoreResult::Error::ListNotSaved;
    if (removed) {
        shownRecord_ = false;
        ClearInput();
        UpdateDeleteCommand();
        host_->RecordDeleted();
    }
    if (!result)
        ShowMessage(MainMessages::DeleteFailureMessage(result), ApplicationTitle(),
                    MessageIcon::Warning);
}

void frmMain::HighlightWords(const QStringList& words)
{
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat format;
    format.setBackground(QColor(255, 230, 100));
    format.setForeground(QColor(Qt::black));
    QTextDocument* document = ui_.txtLog->document();
    for (const QString& word : words) {
        if (word.isEmpty())
            continue;
        // Letter case counts, as it does in the search that found the record.
        for (QTextCursor found = document->find(word, 0, QTextDocument::FindCaseSensitively);
             !found.isNull();
             found = document->find(word, found, QTextDocument::FindCaseSensitively))
            marks.append({found, format});
    }
    ui_.txtLog->setExtraSelections(marks);
}

void frmMain::SetLink(const QString& link)
{
    ScheduleInputAreaSave();
    currentLink_ = link;
    // A tooltip that looks like markup would be rendered; a link is shown as written.
    ui_.imgLink->setToolTip(
        Qt::mightBeRichText(link)
            ? QStringLiteral("<p style='white-space:pre'>%1</p>").arg(link.toHtmlEscaped())
            : link);
    ui_.imgLink->setVisible(!link.isEmpty());
}

QString frmMain::RecordText() const
{
    return InputAreaText::ToRecordText(ui_.txtLog->document()->toRawText());
}

void frmMain::RestoreInputArea()
{
    const QString content = ReadTextFile(InputAreaText::FilePath(), true);
    if (content.isEmpty())
        return;
    const QStringList parts = content.split(QChar(0));
    if (parts.size() > 0)
        ui_.txtLog->setPlainText(InputAreaText::ToInputText(parts[0]));
    if (parts.size() > 1)
        ui_.lstCategory->setEditText(parts[1]);
    if (parts.size() > 2)
        SetLink(parts[2]);
}

void frmMain::ScheduleInputAreaSave()
{
    // Only unsent input is saved; a record on show in the other modes is not.
    if (mode_ == MainWindowMode::Writing && !unloaded_)
        tmrInputArea_->start();
}

void frmMain::SaveInputArea(bool autosave)
{
    tmrInputArea_->stop();
    const QString path = InputAreaText::FilePath();
    const QString text = RecordText();
    const QString category = ui_.lstCategory->currentText();
    if (WriteTextFile(path, InputAreaText::FileContent(text, category, currentLink_), true)) {
        inputAreaFailureTold_ = false;
        return;
    }
    if (autosave && inputAreaFailureTold_)
        return;
    // The file keeps older input, which would come back in place of this one: the
    // user must hear of it while the text is still on the screen to be copied.
    if (!text.isEmpty() || !category.isEmpty() || !currentLink_.isEmpty()) {
        inputAreaFailureTold_ = true;
        ShowMessage(MainMessages::InputAreaFailureMessage(path), ApplicationTitle(),
                    MessageIcon::Warning);
    }
}

void frmMain::Unload()
{
    unloadingByProgram_ = true;
    close();
    unloadingByProgram_ = false;
}

void frmMain::Exit()
{
    exitRequested_ = true;
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (unloaded_)
        return;
    // A close the program did not start (the system's close button, the session
    // ending) ends the program; a shutdown already under way is not started again.
    if (!unloadingByProgram_ && !host_->IsShuttingDown())
        exitRequested_ = true;
    Form_Unload();
}

void frmMain::Form_Unload()
{
    unloaded_ = true;
    ui_.tmrDate->stop();
    tmrInputArea_->stop();
    SaveWindowPlacement(SettingsFilePath(), this);
    if (mode_ == MainWindowMode::Writing)
        SaveInputArea();
    emit Unloaded();
    if (exitRequested_)
        host_->ShutDown();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_.imgLink && event->type() == QEvent::MouseButtonPress) {
        ShowLinkMenu();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
