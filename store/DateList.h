#pragma once
#include "env/DateTime.h"

#include <QList>
#include <QString>

#include <utility>

class ListControl;

// An ascending list of date-times: the date of every record ("logdate.list") and
// every search result. Add appends without sorting; Sort and LoadFromFile sort.
class DateList {
public:
    static const QString DefaultFormat; // "yyyy/mm/dd hh:mm:ss"

    // Replaces the entries by the complete lines of the file, sorted ascending.
    // A file without a single CR LF leaves the entries as they were; a line that
    // is no date-time gives the zero date-time. A missing file is created empty.
    void LoadFromFile(const QString& filePath);
    // One line per entry, each ended by CR LF. False when the file could not be
    // written (the old file is then kept).
    bool SaveToFile(const QString& filePath) const;
    // Hides the control, clears it, adds every entry as text, shows it again.
    void FillListBox(ListControl& target) const;

    const QString& DateStringFormat() const { return format_; }
    void SetDateStringFormat(const QString& format) { format_ = format; }

    // Callers keep Count() > 0 for these two and 0 <= index < Count() for Item;
    // outside that they return the zero date-time.
    DateTime FirstDate() const;
    DateTime LastDate() const;
    DateTime Item(qsizetype index) const;
    // The entry written with DateStringFormat.
    QString ItemText(qsizetype index) const;
    QString Text(const DateTime& value) const;

    // The run from the position of begin to the position of end, both included.
    // Only exact entries count as positions: a value that is not an entry stands
    // for index 0. Empty when end lies before begin (or the list is empty).
    DateList GetDateList(const DateTime& begin, const DateTime& end) const;
    // The positions GetDateList cuts at: the run is first..last, empty when
    // last < first.
    std::pair<qsizetype, qsizetype> RangeIndexes(const DateTime& begin, const DateTime& end) const;

    void Add(const DateTime& newItem) { dates_.append(newItem); }
    // Takes out every entry of that value (the list need not be sorted).
    void Remove(const DateTime& value) { dates_.removeAll(value); }
    qsizetype Count() const { return dates_.size(); }
    // Ascending; O(n log n) whatever the order the entries come in.
    void Sort();

    const QList<DateTime>& Dates() const { return dates_; }
    QList<DateTime>::const_iterator begin() const { return dates_.cbegin(); }
    QList<DateTime>::const_iterator end() const { return dates_.cend(); }

private:
    qsizetype FindIndex(const DateTime& value, qsizetype low, qsizetype high) const;

    QList<DateTime> dates_;
    QString format_ = DefaultFormat;
};
