#include "LogListFixture.h"

// Steps and shortcuts on the five entries 2001/10/05 09:00, 2001/10/05 21:00,
// 2001/10/07 08:00, 2001/10/07 10:00, 2001/11/02 12:00 (indexes 0 to 4).
class DateRangeTest : public LogListWindowTest {
protected:
    void SetUp() override
    {
        LogListWindowTest::SetUp();
        RecordFiveEntries();
        Open();
    }
    // Places both selections without the begin-end rule getting in the way.
    void Place(int begin, int end)
    {
        End()->setCurrentIndex(4);
        Begin()->setCurrentIndex(begin);
        End()->setCurrentIndex(end);
        ASSERT_EQ(Begin()->currentIndex(), begin);
        ASSERT_EQ(End()->currentIndex(), end);
    }
    void Choose(const char* item, const DateTime& now)
    {
        window_->SetClock([now] { return now; });
        Action(item)->trigger();
    }
};

struct Step {
    const char* button;
    int from;
    int to;
};

TEST_F(DateRangeTest, BeginStepsSkipDaysAndMonthsWithoutEntries)
{
    const Step steps[] = {
        {"imgLogDateBeginUpDay", 3, 1},     // 2001/10/06 has no entry
        {"imgLogDateBeginDownDay", 1, 2},   // the first entry of 2001/10/07
        {"imgLogDateBeginUpMonth", 4, 3},   // the last entry of October
        {"imgLogDateBeginDownMonth", 0, 4}, // the first entry of November
        {"imgLogDateBeginUpDay", 0, 0},     {"imgLogDateBeginUpMonth", 0, 0},
        {"imgLogDateBeginDownDay", 4, 4},   {"imgLogDateBeginDownMonth", 4, 4},
    };
    for (const Step& step : steps) {
        Place(step.from, 4);
        const int searches = window_->SearchCount();
        Click(step.button);
        EXPECT_EQ(Begin()->currentIndex(), step.to) << step.button << " from " << step.from;
        // A step that moves runs exactly one search; one that cannot move runs none.
        EXPECT_EQ(window_->SearchCount(), searches + (step.to != step.from ? 1 : 0))
            << step.button << " from " << step.from;
    }
}

TEST_F(DateRangeTest, EndStepsMoveTheEndAndPullTheBegin)
{
    const Step steps[] = {
        {"imgLogDateEndUpDay", 3, 1},   {"imgLogDateEndDownDay", 1, 2},
        {"imgLogDateEndUpMonth", 4, 3}, {"imgLogDateEndDownMonth", 0, 4},
        {"imgLogDateEndUpDay", 0, 0},   {"imgLogDateEndDownMonth", 4, 4},
    };
    for (const Step& step : steps) {
        Place(0, step.from);
        Click(step.button);
        EXPECT_EQ(End()->currentIndex(), step.to) << step.button << " from " << step.from;
    }
    // Stepping the end above the begin brings the begin along.
    Place(3, 3);
    const int searches = window_->SearchCount();
    Click("imgLogDateEndUpDay");
    EXPECT_EQ(End()->currentIndex(), 1);
    EXPECT_EQ(Begin()->currentIndex(), 1);
    EXPECT_EQ(window_->SearchCount(), searches + 1);
    EXPECT_EQ(ResultLines(), QStringList{"2001/10/05 21:00:00"});
}

TEST_F(DateRangeTest, StepsWithoutSelectionChangeNothing)
{
    Begin()->setCurrentIndex(-1);
    const int searches = window_->SearchCount();
    Click("imgLogDateBeginDownDay");
    Click("imgLogDateBeginUpMonth");
    EXPECT_EQ(Begin()->currentIndex(), -1);
    EXPECT_EQ(window_->SearchCount(), searches);
}

TEST_F(DateRangeTest, ThisWeekStartsOnTheSunday)
{
    Place(0, 1);
    Choose("mnuDateSpanThisWeek", At(2001, 10, 10, 15)); // a Wednesday
    EXPECT_EQ(Begin()->currentIndex(), 2);
    EXPECT_EQ(End()->currentIndex(), 4);
    EXPECT_EQ(ResultLines().size(), 3);
}

TEST_F(DateRangeTest, ThisWeekCrossesMonthAndYearBoundaries)
{
    // Thursday 2001/11/01: the week started on Sunday 2001/10/28, after every
    // October entry, so the begin goes to the November entry.
    Place(0, 4);
    Choose("mnuDateSpanThisWeek", At(2001, 11, 1, 9));
    EXPECT_EQ(Begin()->currentIndex(), 4);

    // Tuesday 2002/01/01: the week started on Sunday 2001/12/30, and no entry lies in it.
    Place(1, 4);
    Choose("mnuDateSpanThisWeek", At(2002, 1, 1, 9));
    EXPECT_EQ(Begin()->currentIndex(), 1);
    EXPECT_EQ(End()->currentIndex(), 4);

    // Sunday 2001/10/07 itself: the week starts at its midnight, so both of its entries count.
    Place(0, 0);
    Choose("mnuDateSpanThisWeek", At(2001, 10, 7, 23));
    EXPECT_EQ(Begin()->currentIndex(), 2);
}

TEST_F(DateRangeTest, TodayAndThisMonth)
{
    Place(0, 1);
    Choose("mnuDateSpanToday", At(2001, 11, 2, 18));
    EXPECT_EQ(Begin()->currentIndex(), 4);
    EXPECT_EQ(End()->currentIndex(), 4);

    // No entry today: the begin stays, the end still goes to the newest entry.
    Place(1, 2);
    Choose("mnuDateSpanToday", At(2001, 11, 5, 9));
    EXPECT_EQ(Begin()->currentIndex(), 1);
    EXPECT_EQ(End()->currentIndex(), 4);

    Place(0, 0);
    Choose("mnuDateSpanThisMonth", At(2001, 11, 20, 9));
    EXPECT_EQ(Begin()->currentIndex(), 4);
    EXPECT_EQ(End()->currentIndex(), 4);
    EXPECT_EQ(ResultLines(), QStringList{"2001/11/02 12:00:00"});
}

TEST_F(DateRangeTest, AllSelectsFirstAndLastAndSearchesEvenWhenAlreadyThere)
{
    Place(2, 3);
    Choose("mnuDateSpanAll", At(2001, 11, 2, 9));
    EXPECT_EQ(Begin()->currentIndex(), 0);
    EXPECT_EQ(End()->currentIndex(), 4);
    EXPECT_EQ(ResultLines().size(), 5);

    // A condition typed but not yet searched takes effect with the shortcut.
    Search()->lineEdit()->setText(QStringLiteral("November"));
    const int searches = window_->SearchCount();
    Choose("mnuDateSpanAll", At(2001, 11, 2, 9));
    EXPECT_GT(window_->SearchCount(), searches);
    EXPECT_EQ(ResultLines(), QStringList{"2001/11/02 12:00:00"});
}

class PeriodTest : public LogListWindowTest {};

TEST_F(PeriodTest, WhenEveryEntryLiesInThePeriodItStartsAtTheFirst)
{
    Record(At(2001, 10, 2, 9), {}, QStringLiteral("a"));
    Record(At(2001, 10, 3, 9), {}, QStringLiteral("b"));
    Record(At(2001, 10, 3, 10), {}, QStringLiteral("c"));
    Open();
    End()->setCurrentIndex(2);
    Begin()->setCurrentIndex(2);
    window_->SetClock([] { return At(2001, 10, 30, 12); });
    Action("mnuDateSpanThisMonth")->trigger();
    EXPECT_EQ(Begin()->currentIndex(), 0);
    EXPECT_EQ(ResultLines().size(), 3);

    Begin()->setCurrentIndex(2);
    window_->SetClock([] { return At(2001, 10, 3, 12); });
    Action("mnuDateSpanToday")->trigger();
    EXPECT_EQ(Begin()->currentIndex(), 1);

    Begin()->setCurrentIndex(2);
    window_->SetClock([] { return At(2001, 10, 4, 12); }); // Thursday; week from 2001/09/30
    Action("mnuDateSpanThisWeek")->trigger();
    EXPECT_EQ(Begin()->currentIndex(), 0);
}

TEST_F(PeriodTest, ThisWeekTakesARecordOfTheSundaysFirstSecond)
{
    Record(At(2001, 10, 6, 23, 59, 59), {}, QStringLiteral("Saturday"));
    Record(At(2001, 10, 7, 0, 0, 0), {}, QStringLiteral("Sunday midnight"));
    Record(At(2001, 10, 8, 9), {}, QStringLiteral("Monday"));
    Open();
    window_->SetClock([] { return At(2001, 10, 10, 12); });
    Action("mnuDateSpanThisWeek")->trigger();
    EXPECT_EQ(Begin()->currentIndex(), 1);
    EXPECT_EQ(ResultLines(), (QStringList{"2001/10/07 00:00:00", "2001/10/08 09:00:00"}));
}

TEST_F(DateRangeTest, DateListsDropDownBelowTheirBox)
{
    // Laid over the box, the list would measure every entry each time it opens.
    window_->show();
    for (QComboBox* list : {Begin(), End()}) {
        list->showPopup();
        QWidget* popup = list->view()->window();
        ASSERT_TRUE(popup->isVisible());
        EXPECT_GE(popup->geometry().top(), list->mapToGlobal(QPoint(0, list->height())).y() - 1);
        list->hidePopup();
    }
}

TEST_F(DateRangeTest, ShortcutPictureOpensTheRangeMenuWithoutWaiting)
{
    window_->show();
    auto* menu = Find<QMenu>("mnuDateSpan");
    ASSERT_FALSE(menu->isVisible());
    Click("imgDateShortCut");
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->actions().size(), 4);
    menu->hide();
}
