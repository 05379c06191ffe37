#pragma once
// The rules that move the begin and the end of the record list window's date
// range over the date list its two boxes show: position i of the list is entry i
// of either box. Each rule gives the position to select, or nothing when the
// selection stays as it is.
#include "env/DateTime.h"

#include <QtGlobal>

#include <optional>

class DateList;

namespace DateRange {

enum class Unit { Day, Month };

// The latest entry before from that lies in an earlier day or month than
// from's; days and months without entries are skipped. Nothing when from names
// no entry or no earlier entry qualifies.
std::optional<qsizetype> StepBack(const DateList& dates, qsizetype from, Unit unit);
// The earliest entry after from that lies in a later day or month.
std::optional<qsizetype> StepForward(const DateList& dates, qsizetype from, Unit unit);

// The first of the newest entries that share now's day or month; the first entry
// when every entry does. Nothing when the newest entry lies outside it.
std::optional<qsizetype> PeriodStart(const DateList& dates, const DateTime& now, Unit unit);
// The same for now's week, which starts on Sunday at 00:00:00: a record of that
// very second belongs to the week.
std::optional<qsizetype> WeekStart(const DateList& dates, const DateTime& now);

struct Positions {
    qsizetype begin;
    qsizetype end;
};
// After entries were taken out of the list: the range kept as near as the
// remaining entries allow. The begin goes to the first entry not before oldBegin
// (the last entry at most), the end to the last entry not after oldEnd but not
// before the begin. Without an old begin the range starts at the first entry;
// without an old end it ends at its begin. Nothing for an empty list.
std::optional<Positions> NearestRange(const DateList& dates,
                                      const std::optional<DateTime>& oldBegin,
                                      const std::optional<DateTime>& oldEnd);

} // namespace DateRange
