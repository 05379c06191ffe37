#include "store/DateRange.h"

#include "store/DateList.h"

#include <QDate>

namespace DateRange {

namespace {

// The day or month a date lies in, as its first day: these compare as the
// days or months do.
QDate PeriodOf(const DateTime& value, Unit unit)
{
    const QDate date = value.Date();
    return unit == Unit::Month ? QDate(date.year(), date.month(), 1) : date;
}

// The first of the newest entries that all lie in the period; nothing when the
// newest entry lies outside it.
template <class InPeriod>
std::optional<qsizetype> TrailingRunStart(const DateList& dates, InPeriod inPeriod)
{
    qsizetype first = dates.Count();
    while (first > 0 && inPeriod(dates.Item(first - 1)))
        --first;
    if (first == dates.Count())
        return std::nullopt;
    return first;
}

} // namespace

std::optional<qsizetype> StepBack(const DateList& dates, qsizetype from, Unit unit)
{
    if (from < 0 || from >= dates.Count())
        return std::nullopt;
    const QDate period = PeriodOf(dates.Item(from), unit);
    for (qsizetype i = from - 1; i >= 0; --i) {
        if (PeriodOf(dates.Item(i), unit) < period)
            return i;
    }
    return std::nullopt;
}

std::optional<qsizetype> StepForward(const DateList& dates, qsizetype from, Unit unit)
{
    if (from < 0 || from >= dates.Count())
        return std::nullopt;
    const QDate period = PeriodOf(dates.Item(from), unit);
    for (qsizetype i = from + 1; i < dates.Count(); ++i) {
        if (PeriodOf(dates.Item(i), unit) > period)
            return i;
    }
    return std::nullopt;
}

std::optional<qsizetype> PeriodStart(const DateList& dates, const DateTime& now, Unit unit)
{
    const QDate period = PeriodOf(now, unit);
    return TrailingRunStart(dates,
                            [&](const DateTime& entry) { return PeriodOf(entry, unit) == period; });
}

std::optional<qsizetype> WeekStart(const DateList& dates, const DateTime& now)
{
    const QDate today = now.Date();
    // dayOfWeek counts from Monday 1 to Sunday 7.
    const QDate sunday = today.addDays(-(today.dayOfWeek() % 7));
    const DateTime weekStart =
        DateTime::FromParts(sunday.year(), sunday.month(), sunday.day(), 0, 0, 0);
    return TrailingRunStart(dates, [&](const DateTime& entry) { return entry >= weekStart; });
}

std::optional<Positions> NearestRange(const DateList& dates,
                                      const std::optional<DateTime>& oldBegin,
                                      const std::optional<DateTime>& oldEnd)
{
    const qsizetype count = dates.Count();
    if (count == 0)
        return std::nullopt;
    qsizetype begin = 0;
    while (oldBegin && begin < count - 1 && dates.Item(begin) < *oldBegin)
        ++begin;
    qsizetype end = oldEnd ? count - 1 : begin;
    while (oldEnd && end > begin && dates.Item(end) > *oldEnd)
        --end;
    return Positions{begin, end};
}

} // namespace DateRange
