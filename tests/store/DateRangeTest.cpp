#include "StoreFixture.h"

#include "store/DateRange.h"

using DateRange::Unit;

class DateRangeRules : public ::testing::Test {
protected:
    // Indexes 0 to 4: two entries on 2001/10/05, two on 2001/10/07, one on 2001/11/02.
    const DateList five = ListOf({At(2001, 10, 5, 9), At(2001, 10, 5, 21), At(2001, 10, 7, 8),
                                  At(2001, 10, 7, 10), At(2001, 11, 2, 12)});
};

TEST_F(DateRangeRules, StepsSkipDaysAndMonthsWithoutEntries)
{
    const std::nullopt_t stays = std::nullopt;
    const struct {
        qsizetype from;
        bool later;
        Unit unit;
        std::optional<qsizetype> to;
    } steps[] = {
        {3, false, Unit::Day, 1},       // 2001/10/06 has no entry
        {1, true, Unit::Day, 2},        // the first entry of 2001/10/07
        {4, false, Unit::Month, 3},     // the last entry of October
        {3, false, Unit::Month, stays}, // no entry before October
        {1, false, Unit::Day, stays},   // only the same day before it
        {0, true, Unit::Month, 4},      // the first entry of November
        {0, false, Unit::Day, stays},   {0, false, Unit::Month, stays},
        {4, true, Unit::Day, stays},    {4, true, Unit::Month, stays},
        {-1, false, Unit::Day, stays},  {5, true, Unit::Day, stays}, // no entry selected
    };
    for (const auto& step : steps)
        EXPECT_EQ(step.later ? DateRange::StepForward(five, step.from, step.unit)
                             : DateRange::StepBack(five, step.from, step.unit),
                  step.to)
            << "from " << step.from << (step.later ? " later by a " : " earlier by a ")
            << (step.unit == Unit::Day ? "day" : "month");
}

TEST_F(DateRangeRules, PeriodsStartAtTheFirstOfTheNewestEntriesInThem)
{
    const DateList october = ListOf({At(2001, 10, 2, 9), At(2001, 10, 3, 9), At(2001, 10, 3, 10)});
    const DateList sundayMidnight =
        ListOf({At(2001, 10, 6, 23, 59, 59), At(2001, 10, 7, 0, 0, 0), At(2001, 10, 8, 9)});
    const DateList empty;
    const std::optional<Unit> week;
    const struct {
        const char* what;
        const DateList& dates;
        DateTime now;
        std::optional<Unit> unit;
        std::optional<qsizetype> begin;
    } periods[] = {
        {"today", five, At(2001, 11, 2, 18), Unit::Day, 4},
        {"no entry today: the begin stays", five, At(2001, 11, 5, 9), Unit::Day, std::nullopt},
        {"this month", five, At(2001, 11, 20, 9), Unit::Month, 4},
        {"every entry this month", october, At(2001, 10, 30, 12), Unit::Month, 0},
        {"two entries of three today", october, At(2001, 10, 3, 12), Unit::Day, 1},
        {"no entries", empty, At(2001, 10, 3, 12), Unit::Day, std::nullopt},
        {"a Wednesday: from Sunday 2001/10/07", five, At(2001, 10, 10, 15), week, 2},
        {"from Sunday 2001/10/28", five, At(2001, 11, 1, 9), week, 4},
        {"from Sunday 2001/12/30, no entry", five, At(2002, 1, 1, 9), week, std::nullopt},
        {"on the Sunday itself", five, At(2001, 10, 7, 23), week, 2},
        {"every entry this week", october, At(2001, 10, 4, 12), week, 0},
        {"the week's first second", sundayMidnight, At(2001, 10, 10, 12), week, 1},
        {"no entries this week", empty, At(2001, 10, 10, 12), week, std::nullopt},
    };
    for (const auto& period : periods)
        EXPECT_EQ(period.unit ? DateRange::PeriodStart(period.dates, period.now, *period.unit)
                              : DateRange::WeekStart(period.dates, period.now),
                  period.begin)
            << period.what;
}

TEST_F(DateRangeRules, NearestRangeKeepsWhatRemainsOfTheOldOne)
{
    // The five without 2001/10/07 08:00.
    const DateList left =
        ListOf({At(2001, 10, 5, 9), At(2001, 10, 5, 21), At(2001, 10, 7, 10), At(2001, 11, 2, 12)});
    const std::optional<DateTime> none;
    const struct {
        std::optional<DateTime> begin, end;
        qsizetype expectedBegin, expectedEnd;
    } cases[] = {
        {At(2001, 10, 7, 8), At(2001, 11, 2, 12), 2, 3}, // the begin deleted
        {At(2001, 10, 5, 9), At(2001, 10, 7, 8), 0, 1},  // the end deleted
        {At(2001, 10, 7, 8), At(2001, 10, 7, 8), 2, 2},  // the range's one entry deleted
        {At(2001, 12, 1), At(2001, 12, 1), 3, 3},        // after every entry
        {none, At(2001, 10, 7, 10), 0, 2},               // no begin was selected
        {At(2001, 10, 5, 21), none, 1, 1},               // no end was selected
    };
    for (const auto& c : cases) {
        const auto range = DateRange::NearestRange(left, c.begin, c.end);
        ASSERT_TRUE(range);
        EXPECT_EQ(std::pair(range->begin, range->end), std::pair(c.expectedBegin, c.expectedEnd));
    }
    EXPECT_FALSE(DateRange::NearestRange(DateList(), At(2001, 10, 5, 9), At(2001, 10, 5, 9)));
}
