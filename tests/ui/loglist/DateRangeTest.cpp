#include "LogListFixture.h"

#include <QStyle>
#include <QStyleOptionComboBox>

// How the step pictures and the range menu reach the date lists, on the five
// entries 2001/10/05 09:00, 2001/10/05 21:00, 2001/10/07 08:00, 2001/10/07 10:00,
// 2001/11/02 12:00 (indexes 0 to 4). The rules they apply are tested in the store.
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
};

TEST_F(DateRangeTest, StepPicturesAndRangeItemsMoveTheSelections)
{
    // From these selections a wrong list, direction, unit or period selects other entries.
    const struct {
        const char* control;
        int begin, end, toBegin, toEnd;
        DateTime now = {};
    } cases[] = {
        {"imgLogDateBeginUpDay", 3, 4, 1, 4},
        {"imgLogDateBeginUpMonth", 3, 4, 3, 4}, // no earlier month
        {"imgLogDateBeginDownDay", 1, 4, 2, 4},
        {"imgLogDateBeginDownMonth", 1, 4, 4, 4},
        {"imgLogDateEndUpDay", 0, 3, 0, 1},
        {"imgLogDateEndUpMonth", 0, 4, 0, 3},
        {"imgLogDateEndDownDay", 0, 1, 0, 2},
        {"imgLogDateEndDownMonth", 0, 1, 0, 4},
        {"imgLogDateEndUpDay", 3, 3, 1, 1}, // the begin comes along
        {"mnuDateSpanToday", 0, 0, 4, 4, At(2001, 11, 2, 18)},
        {"mnuDateSpanToday", 1, 1, 1, 4, At(2001, 11, 5, 9)}, // no entry today: the begin stays
        {"mnuDateSpanThisMonth", 0, 0, 4, 4, At(2001, 11, 20, 9)},
        {"mnuDateSpanThisWeek", 0, 0, 2, 4, At(2001, 10, 10, 15)}, // a Wednesday
        {"mnuDateSpanAll", 2, 2, 0, 4},
    };
    for (const auto& c : cases) {
        Place(c.begin, c.end);
        window_->SetClock([now = c.now] { return now; });
        const int searches = window_->SearchCount();
        const bool step = QByteArray(c.control).startsWith("img");
        step ? Click(c.control) : Action(c.control)->trigger();
        EXPECT_EQ(Begin()->currentIndex(), c.toBegin) << c.control << " from " << c.begin;
        EXPECT_EQ(End()->currentIndex(), c.toEnd) << c.control << " from " << c.begin;
        EXPECT_EQ(ResultLines().size(), c.toEnd - c.toBegin + 1) << c.control;
        // A step that moves runs exactly one search; one that cannot move runs none.
        const bool moved = c.toBegin != c.begin || c.toEnd != c.end;
        if (step) {
            EXPECT_EQ(window_->SearchCount(), searches + (moved ? 1 : 0)) << c.control;
        }
    }
    // Already there, "すべて" still searches: a condition typed but not yet searched takes effect.
    Search()->lineEdit()->setText(QStringLiteral("November"));
    Action("mnuDateSpanAll")->trigger();
    EXPECT_EQ(ResultLines(), QStringList{"2001/11/02 12:00:00"});
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

TEST_F(DateRangeTest, AfterADeleteTheRangeKeepsWhatRemainsOfIt)
{
    Place(2, 3);
    ASSERT_TRUE(book_->Delete(At(2001, 10, 5, 9)));
    window_->SearchAgain();
    EXPECT_EQ(Entries(End()).size(), 4);
    EXPECT_EQ(ResultLines(), (QStringList{"2001/10/07 08:00:00", "2001/10/07 10:00:00"}));

    for (const DateTime& at :
         {At(2001, 10, 5, 21), At(2001, 10, 7, 8), At(2001, 10, 7, 10), At(2001, 11, 2, 12)})
        ASSERT_TRUE(book_->Delete(at));
    window_->SearchAgain();
    EXPECT_EQ(Begin()->currentIndex(), -1);
    EXPECT_TRUE(ResultLines().isEmpty());
    EXPECT_EQ(CountText(), "0 件");
    EXPECT_FALSE(Action("mnuToolExport")->isEnabled());
}

TEST_F(DateRangeTest, DateListsShowWholeEntriesAndDropDownBelowTheirBox)
{
    // Laid over the box, the list would measure every entry each time it opens.
    window_->show();
    for (QComboBox* list : {Begin(), End()}) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        // The label is drawn a pixel in from each side of the field.
        EXPECT_LE(list->fontMetrics().horizontalAdvance(QStringLiteral("2000/00/00 00:00:00")),
                  field.width() - 2)
            << list->objectName().toStdString();
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
