#include "LogListFixture.h"

#include <QHelpEvent>
#include <QToolTip>

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

using SearchTest = LogListWindowTest;

TEST_F(SearchTest, WindowHasItsCaptionsPicturesAndTabOrder)
{
    RecordFiveEntries();
    frmLogList& window = Open();
    EXPECT_EQ(window.objectName(), "frmLogList");
    EXPECT_EQ(window.windowTitle(), "Quillmere - 過去の記録 -");
    EXPECT_EQ(Find<QLabel>("lblLogDate")->text(), "日付");
    EXPECT_EQ(Find<QLabel>("lblLogDateBegin")->text(), "から");
    EXPECT_EQ(Find<QLabel>("lblLogDateEnd")->text(), "まで");
    EXPECT_EQ(Find<QLabel>("lblCategory")->text(), "分類");
    EXPECT_EQ(Find<QLabel>("lblString")->text(), "文字");
    EXPECT_EQ(Find<QLabel>("lblLogList")->text(), "条件に一致するログ");
    EXPECT_EQ(Find<QToolButton>("btnClose")->text(), "閉じる");
    EXPECT_EQ(Find<QMenu>("mnuTool")->title(), "ツール(&T)");
    EXPECT_EQ(Action("mnuToolExport")->text(), "検索結果をエクスポート(&E) ...");
    EXPECT_TRUE(Action("mnuToolCollectLogList_bar")->isSeparator());
    EXPECT_EQ(Action("mnuToolCollectLogList")->text(), "ログリストの修復(&R) ...");
    auto* dateSpan = Find<QMenu>("mnuDateSpan");
    EXPECT_EQ(dateSpan->title(), "日時範囲の設定");
    EXPECT_FALSE(window.menuBar()->actions().contains(dateSpan->menuAction()));
    EXPECT_EQ(Action("mnuDateSpanAll")->text(), "すべて");
    EXPECT_EQ(Action("mnuDateSpanThisMonth")->text(), "今月");
    EXPECT_EQ(Action("mnuDateSpanThisWeek")->text(), "今週");
    EXPECT_EQ(Action("mnuDateSpanToday")->text(), "今日");

    EXPECT_FALSE(Begin()->isEditable());
    EXPECT_FALSE(End()->isEditable());
    EXPECT_TRUE(Category()->isEditable());
    EXPECT_TRUE(Search()->isEditable());
    EXPECT_EQ(Results()->geometry(), QRect(180, 25, 161, 173));
    EXPECT_EQ(window.centralWidget()->size(), QSize(351, 271));

    // Every picture comes from the icon folder; the end row shares the begin row's.
    for (const char* name :
         {"btnClose", "imgDateShortCut", "imgLogDateBeginUpMonth", "imgLogDateBeginDownMonth",
          "imgLogDateBeginUpDay", "imgLogDateBeginDownDay", "imgLogDateEndUpMonth",
          "imgLogDateEndDownMonth", "imgLogDateEndUpDay", "imgLogDateEndDownDay"})
        EXPECT_FALSE(Find<QToolButton>(name)->icon().isNull()) << name;
    EXPECT_EQ(Find<QToolButton>("imgLogDateEndUpDay")->icon().cacheKey(),
              Find<QToolButton>("imgLogDateBeginUpDay")->icon().cacheKey());

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Begin()->setFocus();
    QStringList order;
    for (int i = 0; i < 6; ++i) {
        QWidget* focused = QApplication::focusWidget();
        // The line edit of an editable box stands for the box.
        if (focused && focused->parentWidget() && qobject_cast<QComboBox*>(focused->parentWidget()))
            focused = focused->parentWidget();
        order << (focused ? focused->objectName() : QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, (QStringList{"lstLogDateBegin", "lstLogDateEnd", "lstCategory", "lstString",
                                  "lstLogs", "btnClose"}));
}

TEST_F(SearchTest, FirstSearchCoversEveryRecordAndShowsCountAndTime)
{
    RecordFiveEntries();
    frmLogList& window = Open();
    EXPECT_TRUE(window.SearchReady());
    EXPECT_EQ(window.SearchCount(), 1);
    EXPECT_EQ(Begin()->currentIndex(), 0);
    EXPECT_EQ(End()->currentIndex(), 4);
    EXPECT_EQ(Entries(Begin()), Entries(End()));
    EXPECT_EQ(ResultLines(),
              (QStringList{"2001/10/05 09:00:00", "2001/10/05 21:00:00", "2001/10/07 08:00:00",
                           "2001/10/07 10:00:00", "2001/11/02 12:00:00"}));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^5 件 \\(\\d+ms\\)$")).match(CountText()).hasMatch())
        << CountText().toStdString();
    ASSERT_NE(window.FoundDates(), nullptr);
    EXPECT_EQ(window.FoundDates()->Count(), 5);
    EXPECT_TRUE(Action("mnuToolExport")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SearchTest, EmptyBookSearchesNothing)
{
    frmLogList& window = Open();
    EXPECT_EQ(Begin()->count(), 0);
    EXPECT_EQ(window.FoundDates(), nullptr);
    EXPECT_EQ(CountText(), "0 件");
    EXPECT_FALSE(Action("mnuToolExport")->isEnabled());
    EXPECT_TRUE(window.SearchReady());
}

TEST_F(SearchTest, DateListsKeepBeginNotAfterEndWithOneSearch)
{
    RecordFiveEntries();
    frmLogList& window = Open();
    Begin()->setCurrentIndex(1);
    End()->setCurrentIndex(3);
    int searches = window.SearchCount();

    // The end above the begin pulls the begin up to it.
    End()->setCurrentIndex(0);
    EXPECT_EQ(Begin()->currentIndex(), 0);
    EXPECT_EQ(window.SearchCount(), searches + 1);
    EXPECT_EQ(ResultLines(), QStringList{"2001/10/05 09:00:00"});

    // The begin below the end pushes the end down to it.
    searches = window.SearchCount();
    Begin()->setCurrentIndex(3);
    EXPECT_EQ(End()->currentIndex(), 3);
    EXPECT_EQ(window.SearchCount(), searches + 1);
    EXPECT_EQ(ResultLines(), QStringList{"2001/10/07 10:00:00"});

    // Within the range each list searches on its own.
    searches = window.SearchCount();
    End()->setCurrentIndex(4);
    EXPECT_EQ(Begin()->currentIndex(), 3);
    EXPECT_EQ(window.SearchCount(), searches + 1);
    EXPECT_EQ(ResultLines().size(), 2);
}

TEST_F(SearchTest, TypingWaitsForEnterWhichExtendsTheHistoryOnce)
{
    RecordFiveEntries();
    folder_.write(QStringLiteral("%1/string.list").arg(CurrentUserName()), "zeta\r\nAlpha\r\n");
    frmLogList& window = Open();
    EXPECT_EQ(window.SearchHistory().Items(), (QStringList{"zeta", "Alpha"}));
    EXPECT_EQ(Entries(Search()), (QStringList{"Alpha", "zeta"}));
    EXPECT_EQ(Search()->currentText(), "");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // Keys go where the window system sends them: to the focus widget, which
    // for an editable box is the box itself, not its edit.
    QLineEdit* edit = Search()->lineEdit();
    Search()->setFocus();
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);

    const int searches = window.SearchCount();
    QTest::keyClicks(focused, "meeting");
    EXPECT_EQ(window.SearchCount(), searches);
    EXPECT_EQ(ResultLines().size(), 5);

    QTest::keyClick(focused, Qt::Key_Return);
    EXPECT_EQ(window.SearchCount(), searches + 1);
    EXPECT_EQ(ResultLines(), (QStringList{"2001/10/05 09:00:00", "2001/10/07 08:00:00"}));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^2 件 \\(\\d+ms\\)$")).match(CountText()).hasMatch());
    EXPECT_EQ(window.SearchHistory().Items(), (QStringList{"zeta", "Alpha", "meeting"}));
    EXPECT_EQ(Entries(Search()), (QStringList{"Alpha", "meeting", "zeta"}));
    EXPECT_EQ(Search()->currentText(), "meeting");
    EXPECT_TRUE(edit->hasFocus());

    QTest::keyClick(focused, Qt::Key_Enter);
    EXPECT_EQ(window.SearchCount(), searches + 2);
    EXPECT_EQ(ResultLines().size(), 2);
    EXPECT_EQ(window.SearchHistory().Count(), 3);

    window.close();
    EXPECT_EQ(folder_.read(QStringLiteral("%1/string.list").arg(CurrentUserName())),
              QByteArray("zeta\r\nAlpha\r\nmeeting\r\n"));
}

TEST_F(SearchTest, AHistoryThatCannotBeSavedIsToldOnce)
{
    const QString history = DataFolderPath() + QStringLiteral("string.list");
    folder_.write(QStringLiteral("%1/string.list").arg(CurrentUserName()), "old\r\n");
    ASSERT_TRUE(QFile::setPermissions(history, QFile::ReadOwner));
    Open();
    Reopen();
    window_->close();
    QFile::setPermissions(history, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].text.contains(history));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Warning);
}

TEST_F(SearchTest, PickingFromTheBoxesSearches)
{
    RecordFiveEntries();
    frmLogList& window = Open();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_EQ(Entries(Category()), (QStringList{"仕事", "仕事 会議", "会議", "家"}));

    // The arrow keys pick the entries of the closed box one by one, each a search.
    QLineEdit* edit = Category()->lineEdit();
    edit->setFocus();
    const int searches = window.SearchCount();
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(Category()->currentText(), "仕事");
    EXPECT_EQ(window.SearchCount(), searches + 1);
    EXPECT_EQ(ResultLines(), (QStringList{"2001/10/05 09:00:00", "2001/10/07 08:00:00"}));
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(Category()->currentText(), "家");
    EXPECT_EQ(window.SearchCount(), searches + 4);
    EXPECT_EQ(ResultLines(), (QStringList{"2001/10/05 21:00:00", "2001/11/02 12:00:00"}));
}

TEST_F(SearchTest, ClearingTheCategorySearchesAtOnce)
{
    RecordFiveEntries();
    frmLogList& window = Open();
    QLineEdit* edit = Category()->lineEdit();
    QTest::keyClicks(edit, "x");
    edit->setText(QStringLiteral("会議"));
    const int searches = window.SearchCount();
    // With the focus on it, the box gets the key before its edit does.
    QTest::keyClick(Category(), Qt::Key_Return);
    EXPECT_EQ(window.SearchCount(), searches + 1);
    EXPECT_EQ(ResultLines(), QStringList{"2001/10/07 08:00:00"});

    edit->clear();
    EXPECT_EQ(window.SearchCount(), searches + 2);
    EXPECT_EQ(ResultLines().size(), 5);
}

TEST_F(SearchTest, SearchFindingNothingEmptiesTheListAndDisablesExport)
{
    RecordFiveEntries();
    Open();
    ASSERT_TRUE(Action("mnuToolExport")->isEnabled());
    Search()->lineEdit()->setText(QStringLiteral("nothing-matches"));
    QTest::keyClick(Search()->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(ResultLines().isEmpty());
    EXPECT_TRUE(CountText().startsWith(QStringLiteral("0 件 ("))) << CountText().toStdString();
    EXPECT_FALSE(Action("mnuToolExport")->isEnabled());
}

TEST_F(SearchTest, AMonthThatDoesNotParseIsShownOnceForAllSearches)
{
    RecordFiveEntries();
    TempFolder::WriteBytes(book_->GetDataFilePath(At(2001, 11, 1, 0)), "<diary><log date=");
    book_ = std::make_unique<LogList>(DataFolderPath());
    Open();
    EXPECT_TRUE(messages_.shown.isEmpty()) << "a search without conditions reads no month";
    for (const char* text : {"meeting", "again"}) {
        Search()->lineEdit()->setText(QString::fromUtf8(text));
        QTest::keyClick(Search()->lineEdit(), Qt::Key_Return);
    }
    EXPECT_EQ(ResultLines(), QStringList{"2001/10/07 08:00:00"});
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].text.contains(QStringLiteral("ファイル：2001/11.diary")))
        << messages_.shown[0].text.toStdString();
    EXPECT_EQ(messages_.shown[0].title, ApplicationTitle());
}

TEST_F(SearchTest, EveryRefillStartsAtTheTop)
{
    for (int i = 0; i < 60; ++i)
        Record(At(2001, 10, 1 + i / 24, i % 24), {},
               i % 2 ? QStringLiteral("b") : QStringLiteral("a"));
    frmLogList& window = Open();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QScrollBar* bar = Results()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    Results()->scrollToBottom();
    ASSERT_GT(bar->value(), 0);
    Search()->lineEdit()->setText(QStringLiteral("b"));
    QTest::keyClick(Search()->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(ResultLines().size(), 30);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(Results()->indexAt(QPoint(1, 1)).row(), 0);
}

TEST_F(SearchTest, ResultClicksAndArrowKeysShowTheRecord)
{
    RecordFiveEntries();
    frmLogList& window = Open();
    window.show();
    QListView* list = Results();
    list->setFocus();
    const QRect second = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(host_.shown, QStringList{"2001/10/05 21:00:00"});
    EXPECT_EQ(host_.highlighted, QStringList{""}) << "no words searched, none marked";

    // The line already selected shows again when clicked.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(host_.shown.size(), 2);

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(host_.shown.last(), "2001/10/07 08:00:00");
    EXPECT_EQ(host_.shown.size(), 3);

    // Below the last line there is nothing to show.
    list->clearSelection();
    const int before = host_.shown.size();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(5, list->viewport()->height() - 3));
    EXPECT_EQ(host_.shown.size(), before);
}

TEST_F(SearchTest, ResultLinesTellTheirRecordAndMarkTheWordsSearched)
{
    Record(At(2001, 10, 5, 9), QStringLiteral("<b>家</b>"),
           QStringLiteral("<i>one</i> meeting\r\ntwo\r\nthree\r\nfour"));
    Record(At(2001, 10, 6, 9), {}, QStringLiteral("a meeting"));
    frmLogList& window = Open();
    window.show();
    EXPECT_EQ(window.ResultToolTip(1), "a meeting\n分類: ");
    // Plain text: markup in a record is shown as typed, and only three lines.
    const QString first = window.ResultToolTip(0);
    EXPECT_EQ(first, "<p style='white-space:pre'>&lt;i&gt;one&lt;/i&gt; meeting\ntwo\nthree\n…\n"
                     "分類: &lt;b&gt;家&lt;/b&gt;</p>");

    QListView* list = Results();
    const QRect line = list->visualRect(list->model()->index(1, 0));
    QHelpEvent hover(QEvent::ToolTip, line.center(), list->viewport()->mapToGlobal(line.center()));
    QCoreApplication::sendEvent(list->viewport(), &hover);
    EXPECT_EQ(QToolTip::text(), "a meeting\n分類: ");

    Search()->setEditText("meeting a");
    QTest::keyClick(Search(), Qt::Key_Return);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    EXPECT_EQ(host_.highlighted.last(), "meeting|a");
}

TEST_F(SearchTest, ActivationPlacesTheWindowLeftOfTheMainWindow)
{
    RecordFiveEntries();
    QWidget main;
    main.setGeometry(500, 120, 600, 400);
    main.show();
    window_ = std::make_unique<frmLogList>(*book_, &host_, &main);
    window_->move(600, 200);
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    const QRect own = window_->frameGeometry();
    EXPECT_EQ(own.left(), main.frameGeometry().left() - own.width());
    EXPECT_EQ(own.top(), main.frameGeometry().top());

    // Activation comes again after another window had it.
    QWidget other;
    other.setGeometry(900, 500, 50, 50);
    other.show();
    const auto reactivate = [&] {
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        ASSERT_FALSE(window_->isActiveWindow());
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    };

    // Outside the main window's span it stays where it is.
    window_->move(20, 40);
    reactivate();
    EXPECT_EQ(window_->frameGeometry().topLeft(), QPoint(20, 40));
    window_->move(main.frameGeometry().left() + 10, 300);
    reactivate();
    EXPECT_EQ(window_->frameGeometry().topLeft(),
              QPoint(main.frameGeometry().left() - own.width(), main.frameGeometry().top()));

    // Beside a main window near the screen's left edge it would leave the
    // screen: it goes to the right where it fits, else stops at the edge.
    const QRect screen = main.screen()->availableGeometry();
    main.setGeometry(screen.left() + 20, 120, own.width() + 30, 300);
    window_->move(main.frameGeometry().left() + 10, 300);
    reactivate();
    ASSERT_LE(main.frameGeometry().right() + 1 + own.width(), screen.right() + 1);
    EXPECT_EQ(window_->frameGeometry().topLeft(),
              QPoint(main.frameGeometry().right() + 1, main.frameGeometry().top()));

    main.setGeometry(screen.left() + 100, 120, screen.width() - 200, 300);
    window_->move(main.frameGeometry().left() + 10, 300);
    reactivate();
    EXPECT_EQ(window_->frameGeometry().topLeft(),
              QPoint(screen.left(), main.frameGeometry().top()));
    window_.reset(); // before its owner goes
}

TEST_F(SearchTest, ConditionsComeBackAfterReopening)
{
    RecordFiveEntries();
    Open();
    Begin()->setCurrentIndex(2);
    Category()->lineEdit()->setText(QStringLiteral("仕事"));
    Search()->lineEdit()->setText(QStringLiteral("meeting"));
    End()->setCurrentIndex(3);
    window_->close();
    EXPECT_EQ(host_.returns, 1);
    EXPECT_EQ(Setting(QStringLiteral("LogDateBegin")), "2");
    EXPECT_EQ(Setting(QStringLiteral("Category")), "仕事");

    Reopen();
    EXPECT_EQ(Begin()->currentIndex(), 2);
    EXPECT_EQ(Category()->currentText(), "仕事");
    EXPECT_EQ(Search()->currentText(), "");
    EXPECT_EQ(End()->currentIndex(), 4);
    EXPECT_EQ(ResultLines(), QStringList{"2001/10/07 08:00:00"});
    EXPECT_EQ(window_->SearchCount(), 1);
}

TEST_F(SearchTest, PlacementIsKeptWithoutASize)
{
    RecordFiveEntries();
    Open();
    window_->move(40, 60);
    window_->show();
    const QPoint placed = window_->frameGeometry().topLeft();
    window_->close();
    const auto placement = [](const char* key) {
        return ReadSetting(SettingsFilePath(), QStringLiteral("frmLogList"),
                           QString::fromLatin1(key), QStringLiteral("<none>"));
    };
    EXPECT_EQ(placement("Left"), QString::number(placed.x()));
    EXPECT_EQ(placement("Top"), QString::number(placed.y()));
    EXPECT_EQ(placement("Width"), "<none>");
    EXPECT_EQ(placement("Topmost"), "False");

    Reopen();
    EXPECT_EQ(window_->frameGeometry().topLeft(), placed);
}

TEST_F(SearchTest, SavedBeginOutsideTheListSelectsNothingAndIsKept)
{
    RecordFiveEntries();
    WriteSetting(SettingsFilePath(), QStringLiteral("LogList"), QStringLiteral("LogDateBegin"), 9);
    frmLogList& window = Open();
    EXPECT_EQ(Begin()->currentIndex(), -1);
    EXPECT_EQ(window.FoundDates(), nullptr);
    EXPECT_TRUE(ResultLines().isEmpty());
    EXPECT_EQ(CountText(), "0 件");
    window.close();
    EXPECT_EQ(Setting(QStringLiteral("LogDateBegin")), "9");
}

TEST_F(SearchTest, CloseButtonReturnsToWritingMode)
{
    RecordFiveEntries();
    Open();
    Click("btnClose");
    EXPECT_EQ(host_.returns, 1);
}

TEST_F(SearchTest, RefillingTheListsKeepsTheFocusWhereItWas)
{
    RecordFiveEntries();
    frmLogList& window = Open();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    // A step searches and refills the result list; a focus handed on to the
    // close button would close the window at the next space bar.
    Results()->setFocus();
    const int searches = window.SearchCount();
    Click("imgLogDateBeginDownDay");
    ASSERT_EQ(window.SearchCount(), searches + 1);
    EXPECT_TRUE(Results()->hasFocus());

    // The repair refills both date lists and the category box.
    Begin()->setFocus();
    messages_.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    Action("mnuToolCollectLogList")->trigger();
    EXPECT_TRUE(Begin()->hasFocus());
    Category()->lineEdit()->setFocus();
    messages_.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    Action("mnuToolCollectLogList")->trigger();
    EXPECT_TRUE(Category()->lineEdit()->hasFocus());
}
