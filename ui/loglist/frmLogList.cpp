#include "ui/loglist/frmLogList.h"

#include "env/Folders.h"
#include "env/INIFileManager.h"
#include "env/MessageService.h"
#include "env/Timer.h"
#include "store/DataFormat.h"
#include "store/Log.h"
#include "store/LogList.h"
#include "store/XMLFile.h"
#include "ui/controls/DesignFonts.h"
#include "ui/controls/FileSelectDialog.h"
#include "ui/controls/FormManager.h"
#include "ui/controls/LoadErrors.h"
#include "ui/controls/ModelListControl.h"
#include "ui/controls/Pictures.h"
#include "ui/controls/SettingKeys.h"
#include "ui/controls/Twips.h"
#include "ui/controls/WaitCursor.h"
#include "ui/loglist/LogListHost.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QHelpEvent>
#include <QIcon>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QProxyStyle>
#include <QScreen>
#include <QStringListModel>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

const QString& kSection = SettingKeys::LogListSection;
const QString& kBeginKey = SettingKeys::LogDateBegin;
const QString& kCategoryKey = SettingKeys::Category;
const QString kMonthFormat = QStringLiteral("yyyy/mm");
const QString kDayFormat = QStringLiteral("yyyy/mm/dd");
const QString kRepairTitle = QStringLiteral("Quillmere データ修復ツール");

// Hiding a control for a refill hands its focus on to the next one in the tab
// order (after the result list, the close button, where the next space bar
// would close the window); it comes back when the refill is done.
class FocusKeeper {
public:
    FocusKeeper(QWidget* window, QWidget* control)
    {
        QWidget* focused = window->focusWidget();
        if (focused && (focused == control || control->isAncestorOf(focused)))
            focused_ = focused;
    }
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

// Both comparison formats are leading parts of the fixed-width list text
// "yyyy/mm/dd hh:mm:ss", so an entry written with one is its first characters.
QString EntryIn(const QString& listText, const QString& format)
{
    return listText.left(format.size());
}

QString DateIn(const QDate& date, const QString& format)
{
    const QChar zero(u'0');
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, zero)
        .arg(date.month(), 2, 10, zero)
        .arg(date.day(), 2, 10, zero)
        .left(format.size());
}

// Lists drop down below their box, a few rows at a time. The styles that lay
// the list over the box instead measure the height and width of every entry
// each time it opens: with an entry per record, a pause the user feels.
class DropDownBelowStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// A drop-down list with a long list: its pop-up measures one row for all.
void PrepareDropDown(QComboBox* box, QStyle* style)
{
    box->setStyle(style);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto* view = qobject_cast<QListView*>(box->view()))
        view->setUniformItemSizes(true);
}

void PrepareEditableBox(QComboBox* box, QStyle* style)
{
    PrepareDropDown(box, style);
    box->setEditable(true);
    // The box keeps what is typed as a condition; only Enter in the search box
    // adds to the history, and nothing completes the text behind the user's back.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    // Left alone, the box picks the entry equal to the typed text whenever its
    // edit loses focus or takes Enter, and reports that as a pick: searches the
    // user did not ask for.
    QObject::disconnect(box->lineEdit(), SIGNAL(editingFinished()), box, nullptr);
}

QToolButton* ImageButton(QWidget* parent, const char* name, int left, int top)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    Twips::Place(button, left, top, 240, 240);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(button->size());
    return button;
}

QLabel* Label(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->move(Twips::ToPixelsX(left, label), Twips::ToPixelsY(top, label));
    label->adjustSize();
    return label;
}

QComboBox* Box(QWidget* parent, const char* name, int left, int top)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    Twips::Place(box, left, top, 2415, 315);
    return box;
}

} // namespace

frmLogList::frmLogList(LogList& logList, LogListHost* host, QWidget* owner)
    : QMainWindow(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      logList_(logList), host_(host), owner_(owner), clock_([] { return DateTime::Now(); })
{
    setObjectName(QStringLiteral("frmLogList"));
    CreateControls();
    CreateMenus();
    ConnectHandlers();
    Form_Load();
}

frmLogList::~frmLogList() = default;

void frmLogList::SetClock(std::function<DateTime()> clock)
{
    clock_ = clock ? std::move(clock) : [] { return DateTime::Now(); };
}

void frmLogList::CreateControls()
{
    setFont(DesignFonts::WindowFont());

    auto* dropDownStyle = new DropDownBelowStyle;

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    lblLogDate = Label(client, "lblLogDate", QStringLiteral("日付"), 150, 150);
    lstLogDateBegin = Box(client, "lstLogDateBegin", 150, 375);
    PrepareDropDown(lstLogDateBegin, dropDownStyle);
    imgLogDateBeginUpMonth = ImageButton(client, "imgLogDateBeginUpMonth", 150, 750);
    imgLogDateBeginDownMonth = ImageButton(client, "imgLogDateBeginDownMonth", 525, 750);
    imgLogDateBeginUpDay = ImageButton(client, "imgLogDateBeginUpDay", 900, 750);
    imgLogDateBeginDownDay = ImageButton(client, "imgLogDateBeginDownDay", 1275, 750);
    lblLogDateBegin = Label(client, "lblLogDateBegin", QStringLiteral("から"), 1950, 750);

    lstLogDateEnd = Box(client, "lstLogDateEnd", 150, 1050);
    PrepareDropDown(lstLogDateEnd, dropDownStyle);
    imgLogDateEndUpMonth = ImageButton(client, "imgLogDateEndUpMonth", 150, 1425);
    imgLogDateEndDownMonth = ImageButton(client, "imgLogDateEndDownMonth", 525, 1425);
    imgLogDateEndUpDay = ImageButton(client, "imgLogDateEndUpDay", 900, 1425);
    imgLogDateEndDownDay = ImageButton(client, "imgLogDateEndDownDay", 1275, 1425);
    lblLogDateEnd = Label(client, "lblLogDateEnd", QStringLiteral("まで"), 1950, 1425);
    imgDateShortCut = ImageButton(client, "imgDateShortCut", 2325, 1425);

    lblCategory = Label(client, "lblCategory", QStringLiteral("分類"), 150, 1800);
    lstCategory = Box(client, "lstCategory", 150, 2025);
    PrepareEditableBox(lstCategory, dropDownStyle);
    lblString = Label(client, "lblString", QStringLiteral("文字"), 150, 2475);
    lstString = Box(client, "lstString", 150, 2700);
    PrepareEditableBox(lstString, dropDownStyle);

    lblLogList = Label(client, "lblLogList", QStringLiteral("条件に一致するログ"), 2700, 150);
    lstLogs = new QListView(client);
    lstLogs->setObjectName(QStringLiteral("lstLogs"));
    Twips::Place(lstLogs, 2700, 375, 2415, 2595);
    lstLogs->setUniformItemSizes(true);
    lstLogs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstLogs->setSelectionMode(QAbstractItemView::SingleSelection);
    lblLogListCount = Label(client, "lblLogListCount", QStringLiteral("0 件"), 2700, 3075);

    btnClose = new QToolButton(client);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setText(QStringLiteral("閉じる"));
    btnClose->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Twips::Place(btnClose, 4350, 3300, 750, 615);
    btnClose->setFocusPolicy(Qt::StrongFocus);

    setTabOrder(lstLogDateBegin, lstLogDateEnd);
    setTabOrder(lstLogDateEnd, lstCategory);
    setTabOrder(lstCategory, lstString);
    setTabOrder(lstString, lstLogs);
    setTabOrder(lstLogs, btnClose);

    beginControl_ = std::make_unique<ModelListControl>(lstLogDateBegin);
    endControl_ = std::make_unique<ModelListControl>(lstLogDateEnd);
    categoryControl_ = std::make_unique<ModelListControl>(lstCategory);
    stringControl_ = std::make_unique<ModelListControl>(lstString);
    logsControl_ = std::make_unique<ModelListControl>(lstLogs);
    // Owned by the window, and a child after the boxes that use it, so that it
    // goes after them.
    dropDownStyle->setParent(this);
}

void frmLogList::CreateMenus()
{
    mnuTool = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    mnuTool->setObjectName(QStringLiteral("mnuTool"));
    mnuTool->menuAction()->setObjectName(QStringLiteral("mnuTool"));
    mnuToolExport = mnuTool->addAction(QStringLiteral("検索結果をエクスポート(&E) ..."));
    mnuToolExport->setObjectName(QStringLiteral("mnuToolExport"));
    mnuToolExport->setEnabled(false);
    mnuToolCollectLogList_bar = mnuTool->addSeparator();
    mnuToolCollectLogList_bar->setObjectName(QStringLiteral("mnuToolCollectLogList_bar"));
    mnuToolCollectLogList = mnuTool->addAction(QStringLiteral("ログリストの修復(&R) ..."));
    mnuToolCollectLogList->setObjectName(QStringLiteral("mnuToolCollectLogList"));

    // Not on the menu bar: it only ever opens as the shortcut picture's pop-up.
    mnuDateSpan = new QMenu(QStringLiteral("日時範囲の設定"), this);
    mnuDateSpan->setObjectName(QStringLiteral("mnuDateSpan"));
    mnuDateSpanAll = mnuDateSpan->addAction(QStringLiteral("すべて"));
    mnuDateSpanAll->setObjectName(QStringLiteral("mnuDateSpanAll"));
    mnuDateSpanThisMonth = mnuDateSpan->addAction(QStringLiteral("今月"));
    mnuDateSpanThisMonth->setObjectName(QStringLiteral("mnuDateSpanThisMonth"));
    mnuDateSpanThisWeek = mnuDateSpan->addAction(QStringLiteral("今週"));
    mnuDateSpanThisWeek->setObjectName(QStringLiteral("mnuDateSpanThisWeek"));
    mnuDateSpanToday = mnuDateSpan->addAction(QStringLiteral("今日"));
    mnuDateSpanToday->setObjectName(QStringLiteral("mnuDateSpanToday"));

    setFixedSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
}

void frmLogList::ConnectHandlers()
{
    connect(lstLogDateBegin, &QComboBox::currentIndexChanged, this,
            [this] { lstLogDateBegin_Click(); });
    connect(lstLogDateEnd, &QComboBox::currentIndexChanged, this,
            [this] { lstLogDateEnd_Click(); });

    connect(lstCategory, &QComboBox::editTextChanged, this,
            [this](const QString& text) { lstCategory_Change(text); });
    connect(lstCategory, &QComboBox::activated, this, [this] { SearchLogs(); });
    // The box holds the focus and passes keys on to its edit without an event
    // the edit's filters would see; a key sent to the edit itself skips the box.
    lstCategory->installEventFilter(this);
    lstCategory->lineEdit()->installEventFilter(this);
    connect(lstString, &QComboBox::editTextChanged, this,
            [this](const QString& text) { lstString_Change(text); });
    connect(lstString, &QComboBox::activated, this, [this] { SearchLogs(); });
    lstString->installEventFilter(this);
    lstString->lineEdit()->installEventFilter(this);

    // The list box's Click: a new selection by mouse or arrow keys, or a click on
    // the line that was already selected.
    connect(lstLogs->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { lstLogs_Click(); });
    connect(lstLogs, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (index.row() == selectedBeforePress_)
            lstLogs_Click();
    });
    lstLogs->viewport()->installEventFilter(this);

    connect(imgLogDateBeginUpMonth, &QToolButton::clicked, this,
            [this] { StepDateBack(lstLogDateBegin, DateUnit::Month, kMonthFormat); });
    connect(imgLogDateBeginDownMonth, &QToolButton::clicked, this,
            [this] { StepDateForward(lstLogDateBegin, DateUnit::Month, kMonthFormat); });
    connect(imgLogDateBeginUpDay, &QToolButton::clicked, this,
            [this] { StepDateBack(lstLogDateBegin, DateUnit::Day, kDayFormat); });
    connect(imgLogDateBeginDownDay, &QToolButton::clicked, this,
            [this] { StepDateForward(lstLogDateBegin, DateUnit::Day, kDayFormat); });
    connect(imgLogDateEndUpMonth, &QToolButton::clicked, this,
            [this] { StepDateBack(lstLogDateEnd, DateUnit::Month, kMonthFormat); });
    connect(imgLogDateEndDownMonth, &QToolButton::clicked, this,
            [this] { StepDateForward(lstLogDateEnd, DateUnit::Month, kMonthFormat); });
    connect(imgLogDateEndUpDay, &QToolButton::clicked, this,
            [this] { StepDateBack(lstLogDateEnd, DateUnit::Day, kDayFormat); });
    connect(imgLogDateEndDownDay, &QToolButton::clicked, this,
            [this] { StepDateForward(lstLogDateEnd, DateUnit::Day, kDayFormat); });
    connect(imgDateShortCut, &QToolButton::clicked, this, [this] { imgDateShortCut_Click(); });

    connect(mnuDateSpanAll, &QAction::triggered, this, [this] { mnuDateSpanAll_Click(); });
    connect(mnuDateSpanThisMonth, &QAction::triggered, this,
            [this] { mnuDateSpanThisMonth_Click(); });
    connect(mnuDateSpanThisWeek, &QAction::triggered, this,
            [this] { mnuDateSpanThisWeek_Click(); });
    connect(mnuDateSpanToday, &QAction::triggered, this, [this] { mnuDateSpanToday_Click(); });
    connect(mnuToolExport, &QAction::triggered, this, [this] { mnuToolExport_Click(); });
    connect(mnuToolCollectLogList, &QAction::triggered, this,
            [this] { mnuToolCollectLogList_Click(); });
    connect(btnClose, &QToolButton::clicked, this, [this] { btnClose_Click(); });
}

void frmLogList::Form_Load()
{
    if (owner_ && !owner_->windowIcon().isNull())
        setWindowIcon(owner_->windowIcon());
    else
        setWindowIcon(QIcon(QStringLiteral(":/quillmere.png")));
    setWindowTitle(ApplicationTitle() + QStringLiteral(" - 過去の記録 -"));

    LoadPictures();

    searchHistory_.SetSplit(false);
    searchHistory_.LoadFromFile(DataFolderPath() + DataFormat::SearchHistoryFile);
    FillSortedBox(searchHistory_, *stringControl_, lstString);

    LoadConditions();

    try {
        RestoreWindowPlacement(SettingsFilePath(), this);
    } catch (const SettingConversionError&) {
        // A damaged placement leaves the rest of it as applied; the window opens anyway.
    }
}

void frmLogList::LoadPictures()
{
    const auto picture = [](const char* name) { return IconFolderIcon(QString::fromLatin1(name)); };
    btnClose->setIcon(picture("close.bmp"));
    btnClose->setIconSize(Twips::ToPixels(QRect(0, 0, 480, 360), btnClose).size());
    imgDateShortCut->setIcon(picture("shortcut.bmp"));
    imgLogDateBeginUpMonth->setIcon(picture("up_month.ico"));
    imgLogDateBeginUpDay->setIcon(picture("up_day.ico"));
    imgLogDateBeginDownMonth->setIcon(picture("down_month.ico"));
    imgLogDateBeginDownDay->setIcon(picture("down_day.ico"));
    imgLogDateEndUpMonth->setIcon(imgLogDateBeginUpMonth->icon());
    imgLogDateEndUpDay->setIcon(imgLogDateBeginUpDay->icon());
    imgLogDateEndDownMonth->setIcon(imgLogDateBeginDownMonth->icon());
    imgLogDateEndDownDay->setIcon(imgLogDateBeginDownDay->icon());
}

void frmLogList::FillSortedBox(const StringList& entries, ModelListControl& control, QComboBox* box)
{
    const FocusKeeper focus(this, box);
    entries.FillListBox(control);
    // The drop-down lists its entries in sorted order, letter case aside; the
    // stored list keeps the order they were added in.
    QStringList items = control.model()->stringList();
    std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    control.model()->setStringList(items);
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

void frmLogList::LoadConditions()
{
    searchReady_ = false;

    FillSortedBox(logList_.Categories(), *categoryControl_, lstCategory);
    lstCategory->setEditText(ReadSetting(SettingsFilePath(), kSection, kCategoryKey, QString()));

    {
        const FocusKeeper focus(this, lstLogDateBegin);
        logList_.LogDates().FillListBox(*beginControl_);
    }
    const std::optional<double> begin = SettingToNumber(
        ReadSetting(SettingsFilePath(), kSection, kBeginKey, SettingKeys::LogDateBeginDefault));
    if (begin && std::isfinite(*begin)) {
        const double index = std::nearbyint(*begin);
        // An index that names no entry leaves the list without a selection.
        const bool valid = index >= 0 && index < lstLogDateBegin->count();
        lstLogDateBegin->setCurrentIndex(valid ? static_cast<int>(index) : -1);
    }

    {
        const FocusKeeper focus(this, lstLogDateEnd);
        logList_.LogDates().FillListBox(*endControl_);
    }
    lstLogDateEnd->setCurrentIndex(lstLogDateEnd->count() - 1);

    searchReady_ = true;
    SearchLogs();
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
        const std::optional<DateTime> begin = DateTime::Parse(lstLogDateBegin->currentText());
        const std::optional<DateTime> end = DateTime::Parse(lstLogDateEnd->currentText());
        if (begin && end) {
            foundDates_ = logList_.GetFoundLogDates(*begin, *end, lstCategory->currentText(),
                                                    lstString->currentText());
            foundText_ = lstString->currentText();
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

    {
        const FocusKeeper focus(this, lstLogs);
        foundDates_->FillListBox(*logsControl_);
    }
    lblLogListCount->setText(
        QStringLiteral("%1 件 (%2ms)").arg(foundDates_->Count()).arg(stopwatch.Time()));
    lblLogListCount->adjustSize();
    mnuToolExport->setEnabled(foundDates_->Count() > 0);
}

void frmLogList::SelectEntry(QComboBox* list, int index)
{
    if (index < 0 || index >= list->count())
        return;
    if (list->currentIndex() != index) {
        list->setCurrentIndex(index); // raises the handler through the signal
        return;
    }
    if (list == lstLogDateBegin)
        lstLogDateBegin_Click();
    else if (list == lstLogDateEnd)
        lstLogDateEnd_Click();
}

void frmLogList::lstLogDateBegin_Click()
{
    if (!searchReady_)
        return;
    const int begin = lstLogDateBegin->currentIndex();
    if (lstLogDateEnd->currentIndex() < begin)
        SelectEntry(lstLogDateEnd, begin); // its handler searches
    else
        SearchLogs();
}

void frmLogList::lstLogDateEnd_Click()
{
    if (!searchReady_)
        return;
    const int end = lstLogDateEnd->currentIndex();
    if (end < lstLogDateBegin->currentIndex())
        SelectEntry(lstLogDateBegin, end); // its handler searches
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
    const QString text = lstString->currentText();
    searchHistory_.Add(text);
    // Refilling empties the box for a moment; that must not search without
    // the text, or the result list would no longer match the box.
    searchReady_ = false;
    FillSortedBox(searchHistory_, *stringControl_, lstString);
    lstString->setEditText(text);
    searchReady_ = true;
}

void frmLogList::lstLogs_Click()
{
    const QModelIndexList rows = lstLogs->selectionModel()->selectedRows();
    if (rows.isEmpty() || !host_)
        return;
    host_->ShowLog(rows.first().data().toString());
    host_->HighlightWords(foundText_.isEmpty() ? QStringList() : StringList::Terms(foundText_));
}

QString frmLogList::ResultToolTip(int row)
{
    const QModelIndex index = lstLogs->model()->index(row, 0);
    const ::Log* log = index.isValid() ? logList_.Item(index.data().toString()) : nullptr;
    if (!log)
        return QString();
    constexpr int kLines = 3;
    constexpr int kLineLength = 60;
    QStringList lines =
        QString(log->Text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    const bool more = lines.size() > kLines;
    lines = lines.mid(0, kLines);
    for (QString& line : lines) {
        if (line.size() > kLineLength)
            line = line.left(kLineLength) + QStringLiteral("…");
    }
    if (more)
        lines.append(QStringLiteral("…"));
    lines.append(QStringLiteral("分類: ") + log->Category());
    const QString tip = lines.join(u'\n');
    // Text that looks like markup would be rendered; a record is shown as written.
    return Qt::mightBeRichText(tip)
               ? QStringLiteral("<p style='white-space:pre'>%1</p>").arg(tip.toHtmlEscaped())
               : tip;
}

void frmLogList::SearchAgain()
{
    searchReady_ = false;
    const QString begin = lstLogDateBegin->currentText();
    const QString end = lstLogDateEnd->currentText();
    {
        const FocusKeeper focus(this, lstLogDateBegin);
        logList_.LogDates().FillListBox(*beginControl_);
    }
    {
        const FocusKeeper focus(this, lstLogDateEnd);
        logList_.LogDates().FillListBox(*endControl_);
    }
    // List texts sort as their date-times do.
    int first = 0;
    while (first < lstLogDateBegin->count() - 1 && lstLogDateBegin->itemText(first) < begin)
        ++first;
    int last = lstLogDateEnd->count() - 1;
    while (last > first && lstLogDateEnd->itemText(last) > end)
        --last;
    lstLogDateBegin->setCurrentIndex(lstLogDateBegin->count() > 0 ? first : -1);
    lstLogDateEnd->setCurrentIndex(lstLogDateEnd->count() > 0 ? last : -1);
    searchReady_ = true;
    if (lstLogDateBegin->count() == 0) {
        // No record left: nothing to search, and nothing may stay listed.
        foundDates_ = DateList();
        foundDates_->FillListBox(*logsControl_);
        lblLogListCount->setText(QStringLiteral("0 件"));
        mnuToolExport->setEnabled(false);
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
            if (watched == lstCategory || watched == lstCategory->lineEdit()) {
                SearchLogs();
                return true;
            }
            if (watched == lstString || watched == lstString->lineEdit()) {
                lstString_Enter();
                return true;
            }
        }
    }
    if (watched == lstLogs->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = lstLogs->indexAt(help->pos());
        const QString tip = index.isValid() ? ResultToolTip(index.row()) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, lstLogs->viewport(),
                               lstLogs->visualRect(index));
        return true;
    }
    if (watched == lstLogs->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QModelIndexList rows = lstLogs->selectionModel()->selectedRows();
        selectedBeforePress_ = rows.isEmpty() ? -1 : rows.first().row();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmLogList::StepDateBack(QComboBox* list, DateUnit unit, const QString& format)
{
    const int selected = list->currentIndex();
    const std::optional<DateTime> value = DateTime::Parse(list->currentText());
    if (selected < 0 || !value)
        return;
    const QDate date =
        unit == DateUnit::Month ? value->Date().addMonths(-1) : value->Date().addDays(-1);
    if (!date.isValid())
        return;
    const QString target = DateIn(date, format);
    for (int i = selected; i >= 0; --i) {
        if (EntryIn(list->itemText(i), format) <= target) {
            SelectEntry(list, i);
            return;
        }
    }
}

void frmLogList::StepDateForward(QComboBox* list, DateUnit unit, const QString& format)
{
    const int selected = list->currentIndex();
    const std::optional<DateTime> value = DateTime::Parse(list->currentText());
    if (selected < 0 || !value)
        return;
    const QDate date =
        unit == DateUnit::Month ? value->Date().addMonths(1) : value->Date().addDays(1);
    if (!date.isValid())
        return;
    const QString target = DateIn(date, format);
    for (int i = selected; i < list->count(); ++i) {
        if (EntryIn(list->itemText(i), format) >= target) {
            SelectEntry(list, i);
            return;
        }
    }
}

void frmLogList::SelectPeriodStart(QComboBox* list, const DateTime& now, const QString& format)
{
    const QString period = DateIn(now.Date(), format);
    const int count = list->count();
    for (int i = count - 1; i >= 0; --i) {
        if (EntryIn(list->itemText(i), format) != period) {
            // When the newest entry itself lies outside the period there is
            // nothing to select and the begin stays where it was.
            SelectEntry(list, i + 1);
            return;
        }
    }
    // Every entry lies in the period: it starts at the first.
    SelectEntry(list, 0);
}

void frmLogList::SelectWeekStart(QComboBox* list, const DateTime& now)
{
    const QDate today = now.Date();
    const int weekday = today.dayOfWeek() % 7 + 1; // Sunday 1 to Saturday 7
    const QDate start = today.addDays(-(weekday - 1));
    const DateTime weekStart =
        DateTime::FromParts(start.year(), start.month(), start.day(), 0, 0, 0);
    const int count = list->count();
    for (int i = count - 1; i >= 0; --i) {
        const std::optional<DateTime> entry = DateTime::Parse(list->itemText(i));
        if (!entry)
            return;
        // A record stamped at the week's first second belongs to the week.
        if (*entry < weekStart) {
            SelectEntry(list, i + 1);
            return;
        }
    }
    // Every entry lies in this week.
    SelectEntry(list, 0);
}

void frmLogList::SelectLastEntry(QComboBox* list)
{
    SelectEntry(list, list->count() - 1);
}

void frmLogList::imgDateShortCut_Click()
{
    mnuDateSpan->popup(QCursor::pos());
}

void frmLogList::mnuDateSpanAll_Click()
{
    SelectEntry(lstLogDateBegin, 0);
    SelectLastEntry(lstLogDateEnd);
}

void frmLogList::mnuDateSpanThisMonth_Click()
{
    SelectPeriodStart(lstLogDateBegin, clock_(), kMonthFormat);
    SelectLastEntry(lstLogDateEnd);
}

void frmLogList::mnuDateSpanThisWeek_Click()
{
    SelectWeekStart(lstLogDateBegin, clock_());
    SelectLastEntry(lstLogDateEnd);
}

void frmLogList::mnuDateSpanToday_Click()
{
    SelectPeriodStart(lstLogDateBegin, clock_(), kDayFormat);
    SelectLastEntry(lstLogDateEnd);
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
        ShowMessage(QStringLiteral("検索結果の %1 件のうち %2 件は記録が見つからないため、"
                                   "エクスポートできませんでした。\r\n"
                                   "書き込んだのは %3 件です。\r\n%4")
                        .arg(found)
                        .arg(found - exported)
                        .arg(exported)
                        .arg(filePath),
                    ApplicationTitle(), MessageIcon::Warning);
    if (saved)
        return true;
    ShowMessage(QStringLiteral("検索結果を書き込めませんでした。\r\n%1").arg(filePath),
                ApplicationTitle(), MessageIcon::Warning);
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
        ShowMessage(QStringLiteral("記録されたデータから、日時リストと分類キーワードリストを"
                                   "再構築します。\r\n実行しますか？"),
                    kRepairTitle, MessageIcon::None, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    // Disabling the window takes the focus from its control; the user carries
    // on where they were once it is enabled again.
    const FocusKeeper focus(this, centralWidget());
    {
        WaitCursor hourglass;
        setEnabled(false);
        const StoreResult result = logList_.CollectDataList();
        ShowLoadErrors(logList_.TakeLoadErrors());
        if (result)
            ShowMessage(QStringLiteral("修正が完了しました。"), kRepairTitle, MessageIcon::None,
                        MessageButtons::Ok);
        else if (result.error == StoreResult::Error::FoldersUnreadable)
            ShowMessage(
                QStringLiteral("リストを再構築しましたが、次のフォルダーを読み込めません"
                               "でした。\r\n%1\r\nその中の記録を失わないよう、リストには"
                               "これまでの項目も残してあります。フォルダーを読み込めるように"
                               "してから、もう一度実行してください。")
                    .arg(QString(result.detail).replace(u'\n', QStringLiteral("\r\n"))),
                kRepairTitle, MessageIcon::Warning, MessageButtons::Ok);
        else
            ShowMessage(QStringLiteral("リストを再構築しましたが、ファイル「%1」に書き込めません"
                                       "でした。\r\nディスクの空き容量と書き込みの権限を確かめて"
                                       "から、もう一度実行してください。")
                            .arg(result.detail),
                        kRepairTitle, MessageIcon::Warning, MessageButtons::Ok);
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
        ShowMessage(QStringLiteral("検索文字列の履歴をファイル「%1」に書き込めませんでした。\r\n"
                                   "今回の検索文字列は、次に起動したときには履歴に出てきません。"
                                   "ディスクの空き容量と書き込みの権限を確かめてください。")
                        .arg(historyPath),
                    ApplicationTitle(), MessageIcon::Warning);
    }
    if (lstLogDateBegin->currentIndex() >= 0)
        WriteSetting(SettingsFilePath(), kSection, kBeginKey, lstLogDateBegin->currentIndex());
    WriteSetting(SettingsFilePath(), kSection, kCategoryKey, lstCategory->currentText());
    SaveWindowPlacement(SettingsFilePath(), this);
    searchReady_ = false;
    foundDates_.reset();
    if (host_)
        host_->ReturnToWritingMode();
}
