#pragma once
#include "env/DateTime.h"
#include "store/DateList.h"
#include "store/DateRange.h"
#include "store/StringList.h"
#include "ui/loglist/frmLogListLayout.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class LogList;
class LogListHost;
class ModelListControl;
class QComboBox;

// The search window of the record book: a date range, a category and a text as
// conditions, the matching record date-times as result. It holds no records,
// only the date-times of its last result; a click on one asks the host (the main
// window) to show that record.
class frmLogList : public QMainWindow {
    Q_OBJECT
public:
    // Loads the window (pictures, history, conditions, first search) without
    // showing it. owner: the main window, whose icon it takes and beside which it
    // places itself; host: may be null (nothing is shown, nothing switches mode).
    frmLogList(LogList& logList, LogListHost* host, QWidget* owner = nullptr);
    ~frmLogList() override;

    // False while the lists are being filled and while a search runs: the
    // handlers that would start a search then do nothing.
    bool SearchReady() const { return searchReady_; }
    const StringList& SearchHistory() const { return searchHistory_; }
    // The date-times of the last search; none before the first one.
    const DateList* FoundDates() const { return foundDates_ ? &*foundDates_ : nullptr; }
    // True once the window has unloaded (it is closing or closed).
    bool IsUnloaded() const { return unloaded_; }
    // Searches started since the window was loaded (read by tests and benchmarks).
    int SearchCount() const { return searchCount_; }

    // Where "今月", "今週" and "今日" read the current date-time (tests fix it).
    void SetClock(std::function<DateTime()> clock);

    // Writes the found records into a new data-file-like XML file; false when
    // the file could not be written (the user has been told).
    bool ExportFoundDates(const QString& filePath);

    // After a record was deleted: the date lists afresh, the range kept as near
    // as the remaining entries allow, and the search run again.
    void SearchAgain();
    // The tooltip of a result line: the record's first lines and its category.
    QString ResultToolTip(int row);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectHandlers();
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void LoadConditions();
    void SearchLogs();
    void FillSortedBox(const StringList& entries, ModelListControl& control, QComboBox* box);

    // Selecting an entry by program raises the list's handler, also when the
    // index does not change, so that every such choice ends in one search.
    // Nothing to select (no index, or one past the list) leaves the list alone.
    void SelectEntry(QComboBox* list, std::optional<qsizetype> index);
    void SelectLastEntry(QComboBox* list);
    void StepDateBack(QComboBox* list, DateRange::Unit unit);
    void StepDateForward(QComboBox* list, DateRange::Unit unit);
    // The entry a date box shows at that index; none for no selection.
    std::optional<DateTime> ListedDate(int index) const;
    void FillDateLists();

    void lstLogDateBegin_Click();
    void lstLogDateEnd_Click();
    void lstCategory_Change(const QString& text);
    void lstString_Change(const QString& text);
    void lstString_Enter();
    void lstLogs_Click();
    void imgDateShortCut_Click();
    void mnuDateSpanAll_Click();
    void mnuDateSpanThisMonth_Click();
    void mnuDateSpanThisWeek_Click();
    void mnuDateSpanToday_Click();
    void mnuToolExport_Click();
    void mnuToolCollectLogList_Click();
    void btnClose_Click();

    LogList& logList_;
    LogListHost* host_;
    QPointer<QWidget> owner_;
    std::function<DateTime()> clock_;

    bool searchReady_ = false;
    bool unloaded_ = false;
    // Whether this run has told the user that the search history is not saved.
    static inline bool historyFailureShown_ = false;
    int searchCount_ = 0;
    StringList searchHistory_;
    std::optional<DateList> foundDates_;
    // The text condition of the last search, whose words a shown record marks.
    QString foundText_;

    frmLogListUi ui_;
    // What the two date boxes show, position for position: the record book's
    // dates when they were last filled. After a delete the book's list has
    // already lost the entry that the boxes still show.
    DateList listedDates_;
    // The line that was selected when the mouse went down on the result list:
    // a click on it again shows it again, though the selection did not change.
    int selectedBeforePress_ = -1;
};
