#include "ui/main/frmMain.h"

#include "env/DateTime.h"
#include "env/FSOHelper.h"
#include "env/Folders.h"
#include "env/MessageService.h"
#include "env/System.h"
#include "store/LogList.h"
#include "ui/controls/DesignFonts.h"
#include "ui/controls/Expander.h"
#include "ui/controls/FormManager.h"
#include "ui/controls/GroupingBox.h"
#include "ui/controls/LayoutControl.h"
#include "ui/controls/LoadErrors.h"
#include "ui/controls/ModelListControl.h"
#include "ui/controls/Pictures.h"
#include "ui/controls/PopupMenu.h"
#include "ui/controls/ProgramVersion.h"
#include "ui/controls/ResizingGrip.h"
#include "ui/controls/SettingConversionError.h"
#include "ui/controls/SettingKeys.h"
#include "ui/controls/Twips.h"
#include "ui/controls/WaitCursor.h"
#include "ui/main/InputAreaHandler.h"
#include "ui/main/LinkMenu.h"
#include "ui/main/LinkRules.h"
#include "ui/main/ManualWindow.h"
#include "ui/main/ProgramHost.h"
#include "ui/main/frmFont.h"
#include "ui/main/frmPath.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStringListModel>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
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
const QString kInputAreaFileName = QStringLiteral("inputarea.txt");
const QString kClockFormat = QStringLiteral("yyyy/MM/dd hh:mm");

// Applies stored settings; one that does not convert leaves what was applied
// before it, and the window loads on with the rest as designed.
template <typename Step> void ApplySettings(Step step)
{
    try {
        step();
    } catch (const SettingConversionError&) {
    }
}

QToolButton* PictureButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

// The picture takes what the caption leaves of the button's height, so both
// stay inside the frame at any font size and screen resolution.
void FitPicture(QToolButton* button)
{
    const int margins = 6;
    const int side = std::max(8, button->height() - button->fontMetrics().height() - margins);
    button->setIconSize(QSize(side, side));
}

} // namespace

frmMain::frmMain(LogList& logList, ProgramHost* host, QWidget* parent)
    : QMainWindow(parent), logList_(logList), host_(host)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(DesignFonts::WindowFont());
    setWindowIcon(ProgramWindowIcon());
    CreateControls();
    CreateMenus();
    // The design measures the interior; the menu bar comes on top of it.
    resize(DesignWidth, DesignHeight + menuBar()->sizeHint().height());
    ConnectHandlers();
    InstallInputAreaHandlers();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::CreateControls()
{
    auto* interior = new QWidget(this);
    interior->setObjectName(QStringLiteral("frmMainInterior"));
    setCentralWidget(interior);

    txtLog_ = new QPlainTextEdit(interior);
    txtLog_->setObjectName(QStringLiteral("txtLog"));
    txtLog_->setFont(DesignFonts::DesignFont(12));
    txtLog_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab and Shift+Tab leave the box as in the Windows text box; a record never holds a tab
    // typed by accident.
    txtLog_->setTabChangesFocus(true);
    Twips::Place(txtLog_, 150, 150, 4365, 1965);

    gbData_ = new GroupingBox(interior);
    gbData_->setObjectName(QStringLiteral("gbData"));
    gbData_->SetHorizontalLayout(0);
    gbData_->SetMarginLeft(150);
    gbData_->SetMarginRight(2865);
    gbData_->SetMarginTop(150);
    gbData_->SetMarginBottom(150);
    Twips::Place(gbData_, 150, 2250, 2715, 1290);

    txtDate_ = new QLineEdit(gbData_);
    txtDate_->setObjectName(QStringLiteral("txtDate"));
    txtDate_->setReadOnly(true);
    txtDate_->setFocusPolicy(Qt::ClickFocus);
    txtDate_->setText(QStringLiteral("yyyy/mm/dd"));
    QPalette datePalette = txtDate_->palette();
    datePalette.setColor(QPalette::Base, datePalette.color(QPalette::Button));
    txtDate_->setPalette(datePalette);
    Twips::Place(txtDate_, 0, 0, 2640, 315);

    tmrDate_ = new QTimer(gbData_);
    tmrDate_->setObjectName(QStringLiteral("tmrDate"));
    tmrDate_->setInterval(1000);
    tmrInputArea_ = new QTimer(this);
    tmrInputArea_->setObjectName(QStringLiteral("tmrInputArea"));
    tmrInputArea_->setSingleShot(true);
    tmrInputArea_->setInterval(InputAreaSaveDelay);

    lblCategory_ = new QLabel(QStringLiteral("分類"), gbData_);
    lblCategory_->setObjectName(QStringLiteral("lblCategory"));
    lblCategory_->setTextFormat(Qt::PlainText);
    lblCategory_->move(0, Twips::ToPixelsY(450));
    lblCategory_->adjustSize();

    lstCategory_ = new QComboBox(gbData_);
    lstCategory_->setObjectName(QStringLiteral("lstCategory"));
    lstCategory_->setEditable(true);
    // Typing never completes from the list nor adds to it: the list is the record book's.
    lstCategory_->setCompleter(nullptr);
    lstCategory_->setInsertPolicy(QComboBox::NoInsert);
    // Tens of thousands of keywords: never measure them all for the box's width.
    lstCategory_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lstCategory_->setMaxVisibleItems(20);
    if (auto* list = qobject_cast<QListView*>(lstCategory_->view()))
        list->setUniformItemSizes(true);
    lstCategory_->installEventFilter(this);
    lblCategory_->setBuddy(lstCategory_);
    Twips::Place(lstCategory_, 0, 675, 2715, 315);
    categoryControl_ = std::make_unique<ModelListControl>(lstCategory_);

    imgLink_ = new QLabel(gbData_);
    imgLink_->setObjectName(QStringLiteral("imgLink"));
    imgLink_->setScaledContents(true);
    imgLink_->setCursor(Qt::PointingHandCursor);
    imgLink_->installEventFilter(this);
    Twips::Place(imgLink_, 0, 1050, 240, 240);
    imgLink_->hide();

    expCategory_ = new Expander(gbData_);
    expCategory_->setObjectName(QStringLiteral("expCategory"));
    expCategory_->SetMarginRight(3015);

    gbButtons_ = new GroupingBox(interior);
    gbButtons_->setObjectName(QStringLiteral("gbButtons"));
    gbButtons_->SetMarginLeft(150);
    gbButtons_->SetMarginRight(150);
    gbButtons_->SetMarginTop(150);
    gbButtons_->SetMarginBottom(180);
    Twips::Place(gbButtons_, 3000, 2775, 2565, 615);

    btnLog_ = PictureButton(gbButtons_, "btnLog", QStringLiteral("記録"));
    btnLog_->setEnabled(false);
    Twips::Place(btnLog_, 0, 0, 750, 615);
    btnView_ = PictureButton(gbButtons_, "btnView", QStringLiteral("閲覧"));
    Twips::Place(btnView_, 900, 0, 750, 615);
    btnIconize_ = PictureButton(gbButtons_, "btnIconize", QStringLiteral("最小化"));
    Twips::Place(btnIconize_, 1800, 0, 750, 615);
    for (QToolButton* button : {btnLog_, btnView_, btnIconize_})
        FitPicture(button);

    expData_ = new Expander(interior);
    expData_->setObjectName(QStringLiteral("expData"));
    expData_->SetMarginLeft(150);
    expData_->SetMarginRight(150);
    expData_->SetMarginTop(150);
    expData_->SetMarginBottom(150);

    expLog_ = new Expander(interior);
    expLog_->setObjectName(QStringLiteral("expLog"));
    expLog_->SetExpands(Expander::Both);
    expLog_->SetMarginLeft(150);
    expLog_->SetMarginRight(150);
    expLog_->SetMarginTop(150);
    expLog_->SetMarginBottom(1515);

    rg_ = new ResizingGrip(interior);
    rg_->setObjectName(QStringLiteral("rg"));
    Twips::Place(rg_, 5505, 4815, 180, 180);

    // The design order of the table: input, category, then the three buttons.
    setTabOrder(txtLog_, lstCategory_);
    setTabOrder(lstCategory_, btnLog_);
    setTabOrder(btnLog_, btnView_);
    setTabOrder(btnView_, btnIconize_);

    // The targets exist now, so the expanders can bind them by name.
    expCategory_->SetTargetName(QStringLiteral("lstCategory"));
    expData_->SetTargetName(QStringLiteral("gbData"));
    expLog_->SetTargetName(QStringLiteral("txtLog"));
    LayoutControl::LoadAll(this);

    // Keeps the input area and the category box usable: the layout would shrink them to nothing.
    setMinimumSize(Twips::ToPixelsX(4500), Twips::ToPixelsY(3000));
}

void frmMain::CreateMenus()
{
    QMenuBar* bar = menuBar();

    mnuProgram_ = NamedMenu(this, "mnuProgram", QStringLiteral("プログラム(&P)"));
    mnuProgramIconize_ = NamedAction(mnuProgram_, "mnuProgramIconize", QStringLiteral("最小化(&I)"),
                                     QKeySequence(Qt::CTRL | Qt::Key_I));
    mnuProgramToBrowsingMode_ =
        NamedAction(mnuProgram_, "mnuProgramToBrowsingMode", QStringLiteral("閲覧モード(&B)"),
                    QKeySequence(Qt::CTRL | Qt::Key_B));
    mnuProgramToBrowsingMode_->setCheckable(true);
    NamedSeparator(mnuProgram_, "mnuProgramExit_bar");
    mnuProgramExit_ = NamedAction(mnuProgram_, "mnuProgramExit", QStringLiteral("終了(&X)"));
    bar->addMenu(mnuProgram_);

    mnuEdit_ = NamedMenu(this, "mnuEdit", QStringLiteral("編集(&E)"));
    mnuEditCopyAll_ = NamedAction(mnuEdit_, "mnuEditCopyAll", QStringLiteral("すべてコピー(&C)"));
    mnuEditCopyAll_->setEnabled(false);
    mnuEditClear_ = NamedAction(mnuEdit_, "mnuEditClear", QStringLiteral("クリア"),
                                QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuEditClear_->setEnabled(false);
    NamedSeparator(mnuEdit_, "mnuEditLog_bar");
    mnuEditSetLink_ = NamedAction(mnuEdit_, "mnuEditSetLink", QStringLiteral("関連リンク(&H) ..."));
    mnuEditToRewritingMode_ =
        NamedAction(mnuEdit_, "mnuEditToRewritingMode", QStringLiteral("書き直す(&R)"));
    mnuEditToRewritingMode_->setCheckable(true);
    mnuEditToRewritingMode_->setVisible(false);
    mnuEditDelete_ = NamedAction(mnuEdit_, "mnuEditDelete", QStringLiteral("削除(&D)"));
    mnuEditDelete_->setVisible(false);
    mnuEditLog_ = NamedAction(mnuEdit_, "mnuEditLog", QStringLiteral("記録(&L)"),
                              QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuEditLog_->setEnabled(false);
    bar->addMenu(mnuEdit_);

    mnuSetup_ = NamedMenu(this, "mnuSetup", QStringLiteral("設定(&S)"));
    mnuSetupFont_ = NamedAction(mnuSetup_, "mnuSetupFont", QStringLiteral("フォント(&F) ..."));
    bar->addMenu(mnuSetup_);

    mnuHelp_ = NamedMenu(this, "mnuHelp", QStringLiteral("ヘルプ(&H)"));
    mnuHelpShowManualIndex_ =
        NamedAction(mnuHelp_, "mnuHelpShowManualIndex", QStringLiteral("取扱説明書(&C)"),
                    QKeySequence(Qt::Key_F1));
    mnuHelpGotoWebsite_ =
        NamedAction(mnuHelp_, "mnuHelpGotoWebsite", QStringLiteral("最新版の配布場所へ(&J)"));
    NamedSeparator(mnuHelp_, "mnuHelpAbout_bar");
    mnuHelpVersion_ = NamedAction(mnuHelp_, "mnuHelpVersion", QString());
    bar->addMenu(mnuHelp_);

    // Pop-up menus only; never on the menu bar.
    mnuLink_ = LinkMenu::BuildMenu(this);
    mnuLinkOpen_ = MenuItem(*mnuLink_, "mnuLinkOpen");
    mnuLinkEdit_ = MenuItem(*mnuLink_, "mnuLinkEdit");
    mnuLinkDelete_ = MenuItem(*mnuLink_, "mnuLinkDelete");
    mnuHyperLink_ = InputAreaHandler::BuildMenu(this);
}

void frmMain::ConnectHandlers()
{
    connect(txtLog_, &QPlainTextEdit::textChanged, this, [this] {
        UpdateCommandStates();
        ScheduleInputAreaSave();
    });
    connect(lstCategory_, &QComboBox::editTextChanged, this, [this] { ScheduleInputAreaSave(); });
    connect(tmrInputArea_, &QTimer::timeout, this, [this] {
        if (mode_ == MainWindowMode::Writing)
            SaveInputArea(true);
    });
    connect(tmrDate_, &QTimer::timeout, this, [this] { ShowClock(); });

    connect(btnLog_, &QToolButton::clicked, this, [this] { CommitInput(); });
    connect(mnuEditLog_, &QAction::triggered, this, [this] { CommitInput(); });
    connect(btnView_, &QToolButton::clicked, this, [this] { host_->ShowRecordListWindow(); });
    connect(btnIconize_, &QToolButton::clicked, this, [this] { host_->ShowIconizedWindow(); });
    connect(mnuProgramIconize_, &QAction::triggered, this, [this] { host_->ShowIconizedWindow(); });
    connect(mnuProgramToBrowsingMode_, &QAction::triggered, this, [this] {
        // The mode decides, not the tick Qt has just flipped.
        if (mode_ == MainWindowMode::Writing)
            host_->ShowRecordListWindow();
        else
            host_->ReturnToWritingMode();
    });
    connect(mnuProgramExit_, &QAction::triggered, this, [this] { Exit(); });

    connect(mnuEditCopyAll_, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(txtLog_->toPlainText()); });
    connect(mnuEditClear_, &QAction::triggered, this, [this] { ClearInputUndoably(); });
    connect(mnuEditDelete_, &QAction::triggered, this, [this] { DeleteShownRecord(); });
    connect(mnuEditSetLink_, &QAction::triggered, this, [this] { EditLink(currentLink_); });
    connect(mnuEditToRewritingMode_, &QAction::triggered, this, [this] {
        if (mode_ == MainWindowMode::Rewriting)
            CancelRewriting();
        else
            SetToRewritingMode();
    });
    connect(mnuSetupFont_, &QAction::triggered, this, [this] { ShowFontDialog(); });
    connect(mnuHelpShowManualIndex_, &QAction::triggered, this, [this] { ShowManual(); });
    connect(mnuHelpGotoWebsite_, &QAction::triggered, this, [this] { GotoWebsite(); });
}

void frmMain::InstallInputAreaHandlers()
{
    auto* input = new InputAreaHandler(txtLog_, mnuHyperLink_);
    input->SetEditLink([this](const QString& path) { EditLink(path); });
    auto* linkMenu = new LinkMenu(mnuLink_);
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
    if (auto* menu = mnuLink_->findChild<LinkMenu*>())
        menu->Show(QCursor::pos());
}

void frmMain::ShowFontDialog()
{
    QFont font = txtLog_->font();
    {
        frmFont dialog(this);
        dialog.ShowDialog(font);
    }
    txtLog_->setFont(font);
    // Written whenever the dialog closes, also when it was cancelled.
    SaveWindowFont(SettingsFilePath(), kFontSettingName, font);
}

void frmMain::ShowManual(const QString& anchor)
{
    const QString path = ProgramFolderPath() + QStringLiteral("/readme.html");
    QString target = path;
    if (!anchor.isEmpty()) {
        QUrl url = QUrl::fromLocalFile(path);
        url.setFragment(anchor);
        target = url.toString();
    }
    QPointer<frmMain> self(this);
    OpenWithShellOrElse(target, [self, path, anchor] {
        if (!self)
            return;
        if (!self->manualWindow_) {
            self->manualWindow_ = new ManualWindow(self);
            self->manualWindow_->setAttribute(Qt::WA_DeleteOnClose);
        }
        self->manualWindow_->ShowManual(path, anchor);
    });
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
    return manualWindow_;
}

void frmMain::Form_Load()
{
    LoadPictures();
    mnuHelpVersion_->setText(QStringLiteral("版情報 : ver %1.%2 (%3)")
                                 .arg(kMajorVersion)
                                 .arg(kMinorVersion)
                                 .arg(QString::fromLatin1(kReleaseDate)));
    ShowClock();
    RefillCategories();
    ApplySettings([this] { RestoreWindowPlacement(SettingsFilePath(), this); });
    ApplySettings([this] { LoadFont(); });
    SetToWritingMode();
}

void frmMain::LoadPictures()
{
    const struct {
        QToolButton* button;
        const char* file;
    } buttons[] = {{btnView_, "eye.bmp"}, {btnLog_, "pencil.bmp"}, {btnIconize_, "iconize.bmp"}};
    for (const auto& entry : buttons) {
        const QPixmap picture = LoadIconFolderPicture(QString::fromLatin1(entry.file));
        if (!picture.isNull())
            entry.button->setIcon(QIcon(picture));
    }
    const QPixmap link = LoadIconFolderPicture(QStringLiteral("link.ico"));
    if (!link.isNull())
        imgLink_->setPixmap(link);
}

void frmMain::LoadFont()
{
    QFont font = txtLog_->font();
    // The face name is applied even when the size then fails to convert.
    try {
        LoadWindowFont(SettingsFilePath(), kFontSettingName, font);
    } catch (const SettingConversionError&) {
        txtLog_->setFont(font);
        throw;
    }
    txtLog_->setFont(font);
}

void frmMain::ShowClock()
{
    txtDate_->setText(QDateTime::currentDateTime().toString(kClockFormat));
}

void frmMain::RefillCategories()
{
    // Hiding the box for the fill would move the focus away; bring it back after.
    QWidget* focus = QApplication::focusWidget();
    const QString text = lstCategory_->currentText();
    logList_.Categories().FillListBox(*categoryControl_);
    QStringListModel* model = categoryControl_->model();
    QStringList items = model->stringList();
    std::sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    model->setStringList(items);
    lstCategory_->setCurrentIndex(-1);
    lstCategory_->setEditText(text);
    if (focus && focus != QApplication::focusWidget() && focus->isVisible())
        focus->setFocus();
}

void frmMain::SetToWritingMode()
{
    mode_ = MainWindowMode::Writing;
    setWindowTitle(ApplicationTitle() + QStringLiteral(" - 記録 -"));
    btnView_->setEnabled(true);
    mnuProgramToBrowsingMode_->setChecked(false);
    mnuEditToRewritingMode_->setVisible(false);
    tmrDate_->start();
    LockInput(false);
    RestoreInputArea();
    UpdateCommandStates();
    // What was just read back is on disk already.
    tmrInputArea_->stop();
    txtLog_->setExtraSelections({});
    UpdateDeleteCommand();
}

void frmMain::SetToBrowsingMode()
{
    if (mode_ == MainWindowMode::Writing)
        SaveInputArea();
    mode_ = MainWindowMode::Browsing;
    setWindowTitle(ApplicationTitle() + QStringLiteral(" - 閲覧 -"));
    mnuProgramToBrowsingMode_->setChecked(true);
    mnuEditToRewritingMode_->setChecked(false);
    btnView_->setEnabled(false);
    tmrDate_->stop();
    LockInput(true);
    DisableRecordCommands(true);
    tmrInputArea_->stop();
    UpdateDeleteCommand();
}

void frmMain::ShowLog(const QString& dateText)
{
    // Out of writing mode first: the typed input is saved before a record replaces it.
    if (mode_ == MainWindowMode::Writing)
        SetToBrowsingMode();
    const ::Log* log = logList_.Item(dateText);
    ShowLoadErrors(logList_.TakeLoadErrors());
    txtLog_->setExtraSelections({});
    if (log) {
        txtLog_->setPlainText(ToInputText(log->Text()));
    }
    txtDate_->setText(dateText);
    if (log) {
        lstCategory_->setEditText(log->Category());
        SetLink(log->Link());
    }
    currentLogDate_ = dateText;
    shownRecord_ = log != nullptr;
    SetToBrowsingMode();
}

void frmMain::SetToRewritingMode()
{
    mode_ = MainWindowMode::Rewriting;
    setWindowTitle(ApplicationTitle() + QStringLiteral(" - 閲覧 書き直し中 -"));
    mnuEditToRewritingMode_->setChecked(true);
    LockInput(false);
    UpdateCommandStates();
    UpdateDeleteCommand();
}

void frmMain::CancelRewriting()
{
    SetToBrowsingMode();
    ShowLog(currentLogDate_);
}

void frmMain::LockInput(bool locked)
{
    txtLog_->setReadOnly(locked);
    // Read-only alone drops the caret and keyboard selection, which reading a
    // record and the hyperlink menu both need.
    if (locked)
        txtLog_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    lstCategory_->lineEdit()->setReadOnly(locked);
    lstCategory_->setProperty("locked", locked);
    mnuLinkEdit_->setEnabled(!locked);
    mnuLinkDelete_->setEnabled(!locked);
    mnuEditSetLink_->setEnabled(!locked);
}

void frmMain::DisableRecordCommands(bool disabled)
{
    btnLog_->setEnabled(!disabled);
    mnuEditLog_->setEnabled(!disabled);
    mnuEditClear_->setEnabled(!disabled);
}

void frmMain::UpdateCommandStates()
{
    if (txtLog_->document()->isEmpty()) {
        DisableRecordCommands(true);
        mnuEditCopyAll_->setEnabled(false);
        return;
    }
    if (mode_ != MainWindowMode::Browsing)
        DisableRecordCommands(false);
    mnuEditCopyAll_->setEnabled(true);
    if (mode_ == MainWindowMode::Browsing) {
        mnuEditToRewritingMode_->setVisible(true);
        UpdateDeleteCommand();
    }
}

void frmMain::UpdateDeleteCommand()
{
    // Offered where rewriting is, but only for a stored record that is not being edited.
    mnuEditDelete_->setVisible(mnuEditToRewritingMode_->isVisible());
    mnuEditDelete_->setEnabled(mode_ == MainWindowMode::Browsing && shownRecord_);
}

void frmMain::CommitInput()
{
    DisableRecordCommands(true);
    WaitCursor wait;
    StoreResult result;
    if (mode_ == MainWindowMode::Writing) {
        result =
            logList_.Log(DateTime::Now(), lstCategory_->currentText(), currentLink_, RecordText());
        ShowLoadErrors(logList_.TakeLoadErrors());
        if (result.Stored()) {
            RefillCategories();
            ClearInput();
            // Else a crash now would bring the recorded text back for a second record.
            SaveInputArea();
        }
    } else if (mode_ == MainWindowMode::Rewriting) {
        const QString dateText = txtDate_->text();
        const std::optional<DateTime> logDate = DateTime::Parse(dateText);
        if (!logDate) {
            result = StoreResult::Fail(StoreResult::Error::NotFound, dateText);
        } else {
            result =
                logList_.ReLog(*logDate, lstCategory_->currentText(), currentLink_, RecordText());
            ShowLoadErrors(logList_.TakeLoadErrors());
        }
        if (result.Stored()) {
            RefillCategories();
            ShowLog(dateText);
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
    ShowMessage(FailureMessage(result), ApplicationTitle(), MessageIcon::Warning);
    UpdateCommandStates();
}

namespace {

// Why a data file was not written, as the record's and the delete's messages say it.
QString CannotWriteReason(const QString& file)
{
    return QStringLiteral("データファイル「%1」に書き込めません。"
                          "ディスクの空き容量と書き込みの権限を確かめてください。\n")
        .arg(file);
}

} // namespace

QString frmMain::FailureMessage(const StoreResult& result)
{
    const QString kept = QStringLiteral("入力した内容はそのまま残っています。");
    switch (result.error) {
    case StoreResult::Error::FileUnreadable:
        return QStringLiteral("記録を保存できませんでした。\n"
                              "データファイル「%1」が壊れていて読み込めないため、"
                              "このファイルには書き込んでいません。\n")
                   .arg(result.detail) +
               kept;
    case StoreResult::Error::SaveFailed:
        return QStringLiteral("記録を保存できませんでした。\n") + CannotWriteReason(result.detail) +
               kept;
    case StoreResult::Error::DuplicateDate:
        return QStringLiteral("記録を保存できませんでした。\n"
                              "同じ日時（秒まで同じ）の記録がすでにあります。"
                              "少し待ってから、もう一度記録してください。\n") +
               kept;
    case StoreResult::Error::NotFound:
        return QStringLiteral("書き直した記録を保存できませんでした。\n"
                              "日時「%1」の記録が見つかりません。\n")
                   .arg(result.detail) +
               kept;
    case StoreResult::Error::NotInFile:
        return QStringLiteral("書き直した記録を保存できませんでした。\n"
                              "この記録はデータファイル「%1」の中にありません"
                              "（ほかの場所のデータファイルから読み込んだ記録です）。\n")
                   .arg(result.detail) +
               kept;
    case StoreResult::Error::ListNotSaved:
        return QStringLiteral(
                   "記録は保存しました。\n"
                   "ただし、リストファイル「%1」に書き込めなかったため、"
                   "次に起動したときには検索で見つからないことがあります。\n"
                   "ディスクの空き容量と書き込みの権限を確かめてファイルに書き込めるように"
                   "してから、「過去の記録」ウィンドウのツール → ログリストの修復を実行すると"
                   "元に戻ります。")
            .arg(result.detail);
    case StoreResult::Error::FoldersUnreadable:
    case StoreResult::Error::None:
        break;
    }
    return QStringLiteral("記録を保存できませんでした。\n") + kept;
}

void frmMain::ClearInput()
{
    txtLog_->clear();
    lstCategory_->setEditText(QString());
    SetLink(QString());
}

void frmMain::ClearInputUndoably()
{
    const QString category = lstCategory_->currentText();
    const QString link = currentLink_;
    QTextCursor cursor(txtLog_->document());
    // One step of the text box's undo: the text comes back with the category
    // and link it had.
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    txtLog_->document()->appendUndoItem(new FieldsUndo(
        [this, category, link] {
            lstCategory_->setEditText(category);
            SetLink(link);
        },
        [this] {
            lstCategory_->setEditText(QString());
            SetLink(QString());
        }));
    cursor.endEditBlock();
    lstCategory_->setEditText(QString());
    SetLink(QString());
}

void frmMain::DeleteShownRecord()
{
    const std::optional<DateTime> logDate = DateTime::Parse(currentLogDate_);
    if (mode_ != MainWindowMode::Browsing || !shownRecord_ || !logDate)
        return;
    if (ShowMessage(QStringLiteral("この記録を削除しますか？"), ApplicationTitle(),
                    MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    StoreResult result;
    {
        WaitCursor wait;
        result = logList_.Delete(*logDate);
    }
    ShowLoadErrors(logList_.TakeLoadErrors());
    const bool removed = result || result.error == StoreResult::Error::ListNotSaved;
    if (removed) {
        shownRecord_ = false;
        txtLog_->clear();
        lstCategory_->setEditText(QString());
        SetLink(QString());
        UpdateDeleteCommand();
        host_->RecordDeleted();
    }
    if (!result)
        ShowMessage(DeleteFailureMessage(result), ApplicationTitle(), MessageIcon::Warning);
}

QString frmMain::DeleteFailureMessage(const StoreResult& result)
{
    const QString kept = QStringLiteral("記録はそのまま残っています。");
    switch (result.error) {
    case StoreResult::Error::SaveFailed:
        return QStringLiteral("記録を削除できませんでした。\n") + CannotWriteReason(result.detail) +
               kept;
    case StoreResult::Error::NotInFile:
        return QStringLiteral("記録を削除できませんでした。\n"
                              "この記録はデータファイル「%1」の中にありません"
                              "（ほかの場所のデータファイルから読み込んだ記録です）。\n")
                   .arg(result.detail) +
               kept;
    case StoreResult::Error::ListNotSaved:
        return QStringLiteral(
                   "記録は削除しました。\n"
                   "ただし、リストファイル「%1」に書き込めなかったため、"
                   "次に起動したときには検索結果に日時だけが残ることがあります。\n"
                   "ディスクの空き容量と書き込みの権限を確かめてファイルに書き込めるように"
                   "してから、「過去の記録」ウィンドウのツール → ログリストの修復を実行すると"
                   "元に戻ります。")
            .arg(result.detail);
    default:
        break;
    }
    return QStringLiteral("記録を削除できませんでした。\n") + kept;
}

void frmMain::HighlightWords(const QStringList& words)
{
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat format;
    format.setBackground(QColor(255, 230, 100));
    format.setForeground(QColor(Qt::black));
    QTextDocument* document = txtLog_->document();
    for (const QString& word : words) {
        if (word.isEmpty())
            continue;
        // Letter case counts, as it does in the search that found the record.
        for (QTextCursor found = document->find(word, 0, QTextDocument::FindCaseSensitively);
             !found.isNull();
             found = document->find(word, found, QTextDocument::FindCaseSensitively))
            marks.append({found, format});
    }
    txtLog_->setExtraSelections(marks);
}

void frmMain::SetLink(const QString& link)
{
    ScheduleInputAreaSave();
    currentLink_ = link;
    // A tooltip that looks like markup would be rendered; a link is shown as written.
    imgLink_->setToolTip(
        Qt::mightBeRichText(link)
            ? QStringLiteral("<p style='white-space:pre'>%1</p>").arg(link.toHtmlEscaped())
            : link);
    imgLink_->setVisible(!link.isEmpty());
}

QString frmMain::RecordText() const
{
    return ToRecordText(txtLog_->document()->toRawText());
}

QString frmMain::ToRecordText(const QString& inputText)
{
    QString text = inputText;
    // Paragraph and line separators of the text box, and plain LF, all become CR LF.
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

QString frmMain::ToInputText(const QString& recordText)
{
    QString text = recordText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString frmMain::InputAreaContent(const QString& text, const QString& category, const QString& link)
{
    return text + QChar(0) + category + QChar(0) + link;
}

QString frmMain::InputAreaPath() const
{
    return DataFolderPath() + kInputAreaFileName;
}

void frmMain::RestoreInputArea()
{
    const QString content = ReadTextFile(InputAreaPath(), true);
    if (content.isEmpty())
        return;
    const QStringList parts = content.split(QChar(0));
    if (parts.size() > 0)
        txtLog_->setPlainText(ToInputText(parts[0]));
    if (parts.size() > 1)
        lstCategory_->setEditText(parts[1]);
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
    const QString text = RecordText();
    const QString category = lstCategory_->currentText();
    if (WriteTextFile(InputAreaPath(), InputAreaContent(text, category, currentLink_), true)) {
        inputAreaFailureTold_ = false;
        return;
    }
    if (autosave && inputAreaFailureTold_)
        return;
    // The file keeps older input, which would come back in place of this one: the
    // user must hear of it while the text is still on the screen to be copied.
    if (!text.isEmpty() || !category.isEmpty() || !currentLink_.isEmpty()) {
        inputAreaFailureTold_ = true;
        ShowMessage(InputAreaFailureMessage(InputAreaPath()), ApplicationTitle(),
                    MessageIcon::Warning);
    }
}

QString frmMain::InputAreaFailureMessage(const QString& path)
{
    return QStringLiteral("入力中の内容を保存できませんでした。\n"
                          "ファイル「%1」に書き込めません。"
                          "ディスクの空き容量と書き込みの権限を確かめてください。\n"
                          "入力した内容は、次に記録モードへ戻ったときや次の起動では戻りません。"
                          "必要なら「すべてコピー」で控えてください。")
        .arg(path);
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
    tmrDate_->stop();
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
    if (watched == imgLink_ && event->type() == QEvent::MouseButtonPress) {
        ShowLinkMenu();
        return true;
    }
    if (watched == lstCategory_ && lstCategory_->property("locked").toBool()) {
        // A locked box keeps its text: no choosing from the list by mouse, wheel or keys.
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                key == Qt::Key_PageDown || key == Qt::Key_F4 || key == Qt::Key_Home ||
                key == Qt::Key_End)
                return true;
            break;
        }
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
