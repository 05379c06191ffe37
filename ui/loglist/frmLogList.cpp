#include "ui/loglist/frmLogList.h"

#include "env/Folders.h"
#include "env/INIFileManager.h"
#include "env/MessageService.h"
#include "env/Timer.h"
#include "store/DataFormat.h"
#include "store/Log.h"
#include "store/LogList.h"
#include "ui/controls/FileSelectDialog.h"
#include "ui/controls/FormManager.h"
#include "ui/controls/LoadErrors.h"
#include "ui/controls/ModelListControl.h"
#include "ui/controls/SettingKeys.h"
#include "ui/controls/WaitCursor.h"
#include "ui/loglist/LogListHost.h"
#include "ui/loglist/LogListMessages.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QHelpEvent>
#include <QIcon>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScreen>
#include <QStringListModel>
#include <QToolButton>
#include <QToolTip>

#include <cmath>

namespace {

const QString& kSection = SettingKeys::LogListSection;
const QString& kBeginKey = SettingKeys::LogDateBegin;
const QString& kCategoryKey = SettingKeys::Category;

// Disabling the window takes the focus from its control; it comes back when
// the window is enabled again.
class FocusKeeper {
public:
    explicit FocusKeeper(QWidget* window) : focused_(window->focusWidget()) {}
    ~FocusKeeper()
    {
        if (focused_ && focused_->isVisible())
            focused_->setFocus();
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    QPointer<QWidget> focused_;
};

} // namespace

frmLogList::frmLogList(LogList& logList, LogListHost* host, QWidget* owner)
    : QMainWindow(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      logList_(logList), host_(host), owner_(owner), clock_([] { return DateTime::Now(); })
{
    ui_.Setup(this);
    ConnectHandlers();
    Form_Load();
}

frmLogList::~frmLogList() = default;

void frmLogList::SetClock(std::function<DateTime()> clock)
{
    clock_ = clock ? std::move(clock) : [] { return DateTime::Now(); };
}

void frmLogList::ConnectHandlers()
{
    connect(ui_.lstLogDateBegin, &QComboBox::currentIndexChanged, this,
            [this] { lstLogDateBegin_Click(); });
    connect(ui_.lstLogDateEnd, &QComboBox::currentIndexChanged, this,
            [this] { lstLogDateEnd_Click(); });

    connect(ui_.lstCategory, &QComboBox::editTextChanged, this,
            [this](const QString& text) { lstCategory_Change(text); });
    connect(ui_.lstCategory, &QComboBox::activated, this, [this] { SearchLogs(); });
    // The box holds the focus and passes keys on to its edit without an event
    // the edit's filters would see; a key sent to the edit itself skips the box.
    ui_.lstCategory->installEventFilter(this);
    ui_.lstCategory->lineEdit()->installEventFilter(this);
    connect(ui_.lstString, &QComboBox::editTextChanged, this,
            [this](const QString& text) { lstString_Change(text); });
    connect(ui_.lstString, &QComboBox::activated, this, [this] { SearchLogs(); });
    ui_.lstString->installEventFilter(this);
    ui_.lstString->lineEdit()->installEventFilter(this);

    // The list box's Click: a new selection by mouse or arrow keys, or a click on
    // the line that was already selected.
    connect(ui_.lstLogs->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { lstLogs_Click(); });
    connect(ui_.lstLogs, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (index.row() == selectedBeforePress_)
            lstLogs_Click();
    });
    ui_.lstLogs->viewport()->installEventFilter(this);

    connect(ui_.imgLogDateBeginUpMonth, &QToolButton::clicked, this,
            [this] { StepDateBack(ui_.lstLogDateBegin, DateRange::Unit::Month); });
    connect(ui_.imgLogDateBeginDownMonth, &QToolButton::clicked, this,
            [this] { StepDateForward(ui_.lstLogDateBegin, DateRange::Unit::Month); });
    connect(ui_.imgLogDateBeginUpDay, &QToolButton::clicked, this,
            [this] { StepDateBack(ui_.lstLogDateBegin, DateRange::Unit::Day); });
    connect(ui_.imgLogDateBeginDownDay, &QToolButton::clicked, this,
            [this] { StepDateForward(ui_.lstLogDateBegin, DateRange::Unit::Day); });
    connect(ui_.imgLogDateEndUpMonth, &QToolButton::clicked, this,
            [this] { StepDateBack(ui_.lstLogDateEnd, DateRange::Unit::Month); });
    connect(ui_.imgLogDateEndDownMonth, &QToolButton::clicked, this,
            [this] { StepDateForward(ui_.lstLogDateEnd, DateRange::Unit::Month); });
    connect(ui_.imgLogDateEndUpDay, &QToolButton::clicked, this,
            [this] { StepDateBack(ui_.lstLogDateEnd, DateRange::Unit::Day); });
    connect(ui_.imgLogDateEndDownDay, &QToolButton::clicked, this,
            [this] { StepDateForward(ui_.lstLogDateEnd, DateRange::Unit::Day); });
    connect(ui_.imgDateShortCut, &QToolButton::clicked, this, [this] { imgDateShortCut_Click(); });

    connect(ui_.mnuDateSpanAll, &QAction::triggered, this, [this] { mnuDateSpanAll_Click(); });
    connect(ui_.mnuDateSpanThisMonth, &QAction::triggered, this,
            [this] { mnuDateSpanThisMonth_Click(); });
    connect(ui_.mnuDateSpanThisWeek, &QAction::triggered, this,
            [this] { mnuDateSpanThisWeek_Click(); });
    connect(ui_.mnuDateSpanToday, &QAction::triggered, this, [this] { mnuDateSpanToday_Click(); });
    connect(ui_.mnuToolExport, &QAction::triggered, this, [this] { mnuToolExport_Click(); });
    connect(ui_.mnuToolCollectLogList, &QAction::triggered, this,
            [this] { mnuToolCollectLogList_Click(); });
    connect(ui_.btnClose, &QToolButton::clicked, this, [this] { btnClose_Click(); });
}

void frmLogList::Form_Load()
{
    if (owner_ && !owner_->windowIcon().isNull())
        setWindowIcon(owner_->windowIcon());
    else
        setWindowIcon(QIcon(QStringLiteral(":/quillmere.png")));
    setWindowTitle(ApplicationTitle() + QStringLiteral(" - 過去の記録 -"));

    ui_.LoadPictures();

    searchHistory_.SetSplit(false);
    searchHistory_.LoadFromFile(DataFolderPath() + DataFormat::SearchHistoryFile);
    FillSortedBox(searchHistory_, *ui_.stringControl, ui_.lstString);

    LoadConditions();

    // A damaged placement leaves the rest of it as applied; the window opens anyway.
    RestoreWindowPlacement(SettingsFilePath(), this);
}

void frmLogList::FillSortedBox(const StringList& entries, ModelListControl& control, QComboBox* box)
{
    entries.FillListBox(control);
    control.SortIgnoringCase();
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

void frmLogList::LoadConditions()
{
    searchReady_ = false;

    FillSortedBox(logList_.Categories(), *ui_.categoryControl, ui_.lstCategory);
    ui_.lstCategory->setEditText(
        ReadSetting(SettingsFilePath(), kSection, kCategoryKey, QString()));

    FillDateLists();
    const std::optional<double> begin = SettingToNumber(
        ReadSetting(SettingsFilePath(), kSection, kBeginKey, SettingKeys::LogDateBeginDefault));
    if (begin && std::isfinite(*begin)) {
        const double index = std::nearbyint(*begin);
        // An index that names no entry leaves the list without a selection.
        const bool valid = index >= 0 && index < ui_.lstLogDateBegin->count();
        ui_.lstLogDateBegin->setCurrentIndex(valid ? static_cast<int>(index) : -1);
    }
    ui_.lstLogDateEnd->setCurrentIndex(ui_.lstLogDateEnd->count() - 1);

    searchReady_ = true;
    SearchLogs();
}

void frmLogList::FillDateLists()
{
    listedDates_ = logList_.LogDates();
    listedDates_.FillListBox(*ui_.beginControl);
    listedDates_.FillListBox(*ui_.endControl);
}

std::optional<DateTime> frmLogList::ListedDate(int index) const
{
    if (index < 0 || index >= listedDates_.Count())
        return std::nullopt;
    return listedDates_.Item(index);
}

void frmLogList::SearchLogs()
{
    if (!searchReady_)
        return;
    searchReady_ = false;
    Timer stopwatch;
    bool searched = false;
    {
        WaitCursor hourglass;
        stopwatch.BeginCount();
        const std::optional<DateTime> begin = ListedDate(ui_.lstLogDateBegin->currentIndex());
        const std::optional<DateTime> end = ListedDate(ui_.lstLogDateEnd->currentIndex());
        if (begin && end) {
            foundDates_ = logList_.GetFoundLogDates(*begin, *end, ui_.lstCategory->currentText(),
                                                    ui_.lstString->currentText());
            foundText_ = ui_.lstString->currentText();
            searched = true;
        }
        stopwatch.EndCount();
    }
    ShowLoadErrors(logList_.TakeLoadErrors());
    searchReady_ = true;
    ++searchCount_;
    // Without a date range (no records, or no begin selected) nothing was
    // searched and the last result stays on show.
    if (!searched)
        return;

    foundDates_->FillListBox(*ui_.logsControl);
    ui_.lblLogListCount->setText(
        QStringLiteral("%1 件 (%2ms)").arg(foundDates_->Count()).arg(stopwatch.Time()));
    ui_.lblLogListCount->adjustSize();
    ui_.mnuToolExport->setEnabled(foundDates_->Count() > 0);
}

void frmLogList::SelectEntry(QComboBox* list, std::optional<qsizetype> index)
{
    if (!index || *index < 0 || *index >= list->count())
        return;
    if (list->currentIndex() != *index) {
        list->setCurrentIndex(static_cast<int>(*index)); // raises the handler through the signal
        return;
    }
    if (list == ui_.lstLogDateBegin)
        lstLogDateBegin_Click();
    else if (list == ui_.lstLogDateEnd)
        lstLogDateEnd_Click();
}

void frmLogList::lstLogDateBegin_Click()
{
    if (!searchReady_)
        return;
    const int begin = ui_.lstLogDateBegin->currentIndex();
    if (ui_.lstLogDateEnd->currentIndex() < begin)
        SelectEntry(ui_.lstLogDateEnd, begin); // its handler searches
    else
        SearchLogs();
}

void frmLogList::lstLogDateEnd_Click()
{
    if (!searchReady_)
        return;
    const int end = ui_.lstLogDateEnd->currentIndex();
    if (end < ui_.lstLogDateBegin->currentIndex())
        SelectEntry(ui_.lstLogDateBegin, end); // its handler searches
    else
        SearchLogs();
}

void frmLogList::lstCategory_Change(const QString& text)
{
    if (searchReady_ && text.isEmpty())
        SearchLogs();
}

void frmLogList::lstString_Change(const QString& text)
{
    if (searchReady_ && text.isEmpty())
        SearchLogs();
}

void frmLogList::lstString_Enter()
{
    if (!searchReady_)
        return;
    SearchLogs();
    const QString text = ui_.lstString->currentText();
    searchHistory_.Add(text);
    // Refilling empties the box for a moment; that must not search without
    // the text, or the result list would no longer match the box.
    searchReady_ = false;
    FillSortedBox(searchHistory_, *ui_.stringControl, ui_.lstString);
    ui_.lstString->setEditText(text);
    searchReady_ = true;
}

void frmLogList::lstLogs_Click()
{
    const QModelIndexList rows = ui_.lstLogs->selectionModel()->selectedRows();
    if (rows.isEmpty() || !host_)
        return;
    host_->ShowLog(rows.first().data().toString());
    host_->HighlightWords(foundText_.isEmpty() ? QStringList() : StringList::Terms(foundText_));
}

QString frmLogList::ResultToolTip(int row)
{
    const QModelIndex index = ui_.lstLogs->model()->index(row, 0);
    const ::Log* log = index.isValid() ? logList_.Item(index.data().toString()) : nullptr;
    if (!log)
        return QString();
    return LogListMessages::RecordToolTip(log->Text(), log->Category());
}

void frmLogList::SearchAgain()
{
    searchReady_ = false;
    const std::optional<DateTime> begin = ListedDate(ui_.lstLogDateBegin->currentIndex());
    const std::optional<DateTime> end = ListedDate(ui_.lstLogDateEnd->currentIndex());
    FillDateLists();
    const auto range = DateRange::NearestRange(listedDates_, begin, end);
    ui_.lstLogDateBegin->setCurrentIndex(range ? static_cast<int>(range->begin) : -1);
    ui_.lstLogDateEnd->setCurrentIndex(range ? static_cast<int>(range->end) : -1);
    searchReady_ = true;
    if (!range) {
        // No record left: nothing to search, and nothing may stay listed.
        foundDates_ = DateList();
        foundDates_->FillListBox(*ui_.logsControl);
        ui_.lblLogListCount->setText(QStringLiteral("0 件"));
        ui_.mnuToolExport->setEnabled(false);
        return;
    }
    SearchLogs();
}

bool frmLogList::eventFilter(QObject* watched, QEvent* event)
{
    // Enter is taken here: an ignored key goes on to the combo box, which hands
    // it to its edit a second time.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == ui_.lstCategory || watched == ui_.lstCategory->lineEdit()) {
                SearchLogs();
                return true;
            }
            if (watched == ui_.lstString || watched == ui_.lstString->lineEdit()) {
                lstString_Enter();
                return true;
            }
        }
    }
    if (watched == ui_.lstLogs->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = ui_.lstLogs->indexAt(help->pos());
        const QString tip = index.isValid() ? ResultToolTip(index.row()) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, ui_.lstLogs->viewport(),
                               ui_.lstLogs->visualRect(index));
        return true;
    }
    if (watched == ui_.lstLogs->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QModelIndexList rows = ui_.lstLogs->selectionModel()->selectedRows();
        selectedBeforePress_ = rows.isEmpty() ? -1 : rows.first().row();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmLogList::SelectLastEntry(QComboBox* list)
{
    SelectEntry(list, list->count() - 1);
}

void frmLogList::StepDateBack(QComboBox* list, DateRange::Unit unit)
{
    SelectEntry(list, DateRange::StepBack(listedDates_, list->currentIndex(), unit));
}

void frmLogList::StepDateForward(QComboBox* list, DateRange::Unit unit)
{
    SelectEntry(list, DateRange::StepForward(listedDates_, list->currentIndex(), unit));
}

void frmLogList::imgDateShortCut_Click()
{
    ui_.mnuDateSpan->popup(QCursor::pos());
}

void frmLogList::mnuDateSpanAll_Click()
{
    SelectEntry(ui_.lstLogDateBegin, 0);
    SelectLastEntry(ui_.lstLogDateEnd);
}

void frmLogList::mnuDateSpanThisMonth_Click()
{
    SelectEntry(ui_.lstLogDateBegin,
                DateRange::PeriodStart(listedDates_, clock_(), DateRange::Unit::Month));
    SelectLastEntry(ui_.lstLogDateEnd);
}

void frmLogList::mnuDateSpanThisWeek_Click()
{
    SelectEntry(ui_.lstLogDateBegin, DateRange::WeekStart(listedDates_, clock_()));
    SelectLastEntry(ui_.lstLogDateEnd);
}

void frmLogList::mnuDateSpanToday_Click()
{
    SelectEntry(ui_.lstLogDateBegin,
                DateRange::PeriodStart(listedDates_, clock_(), DateRange::Unit::Day));
    SelectLastEntry(ui_.lstLogDateEnd);
}

bool frmLogList::ExportFoundDates(const QString& filePath)
{
    StoreResult saved;
    qsizetype found = 0;
    qsizetype exported = 0;
    {
        // A result of every record takes seconds to write.
        WaitCursor hourglass;
        const DateList none;
        const DateList& dates = foundDates_ ? *foundDates_ : none;
        found = dates.Count();
        saved = logList_.Export(dates, filePath, &exported);
    }
    ShowLoadErrors(logList_.TakeLoadErrors());
    if (saved && exported < found)
        ShowMessage(LogListMessages::ExportShortfall(found, exported, filePath), ApplicationTitle(),
                    MessageIcon::Warning);
    if (saved)
        return true;
    ShowMessage(LogListMessages::ExportFailed(filePath), ApplicationTitle(), MessageIcon::Warning);
    return false;
}

void frmLogList::mnuToolExport_Click()
{
    FileSelectDialog dialog;
    dialog.SetTitle(QStringLiteral("エクスポート先ファイル名を設定"));
    dialog.SetFilter(QStringLiteral("XML (*.xml)|*.xml|すべてのファイル形式|*.*"));
    dialog.SetDefaultExtension(QStringLiteral("xml"));
    dialog.ShowSaveDialog(this);
    if (dialog.Canceled())
        return;
    ExportFoundDates(dialog.FilePath());
}

void frmLogList::mnuToolCollectLogList_Click()
{
    const MessageAnswer answer =
        ShowMessage(LogListMessages::RepairQuestion(), LogListMessages::RepairTitle(),
                    MessageIcon::None, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    // The user carries on where they were once the window is enabled again.
    const FocusKeeper focus(this);
    {
        WaitCursor hourglass;
        setEnabled(false);
        const StoreResult result = logList_.CollectDataList();
        ShowLoadErrors(logList_.TakeLoadErrors());
        ShowMessage(LogListMessages::RepairOutcome(result), LogListMessages::RepairTitle(),
                    result ? MessageIcon::None : MessageIcon::Warning, MessageButtons::Ok);
        setEnabled(true);
    }
    LoadConditions();
    if (host_)
        host_->RefillCategories();
}

void frmLogList::btnClose_Click()
{
    if (host_)
        host_->ReturnToWritingMode();
    else
        close();
}

void frmLogList::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmLogList::Form_Activate()
{
    if (!owner_)
        return;
    const QRect main = owner_->frameGeometry();
    const QRect own = frameGeometry();
    // Lying over the main window it would hide the record on show: put it on
    // the main window's left, top-aligned.
    if (main.left() <= own.left() && own.left() + own.width() <= main.left() + main.width()) {
        int left = main.left() - own.width();
        // Beside a main window near the screen's left edge that would put it
        // partly or wholly off the screen, out of the user's reach. It goes to
        // the main window's right where it fits there, or else stops at the
        // edge, over the main window's left part.
        if (const QScreen* screen = owner_->screen()) {
            const QRect area = screen->availableGeometry();
            if (left < area.left()) {
                const int right = main.left() + main.width();
                left = right + own.width() <= area.left() + area.width() ? right : area.left();
            }
        }
        move(left, main.top());
    }
}

void frmLogList::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmLogList::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    const QString historyPath = DataFolderPath() + DataFormat::SearchHistoryFile;
    // Told once: the window closes at every return to writing mode.
    if (!searchHistory_.SaveToFile(historyPath) && !historyFailureShown_) {
        historyFailureShown_ = true;
        ShowMessage(LogListMessages::HistoryNotSaved(historyPath), ApplicationTitle(),
                    MessageIcon::Warning);
    }
    if (ui_.lstLogDateBegin->currentIndex() >= 0)
        WriteSetting(SettingsFilePath(), kSection, kBeginKey, ui_.lstLogDateBegin->currentIndex());
    WriteSetting(SettingsFilePath(), kSection, kCategoryKey, ui_.lstCategory->currentText());
    SaveWindowPlacement(SettingsFilePath(), this);
    searchReady_ = false;
    foundDates_.reset();
    if (host_)
        host_->ReturnToWritingMode();
}
