// Browsing and rewriting in the main window: what each mode sets, ShowLog,
// storing and cancelling a rewrite.
#include "LinkTestSupport.h"
#include "MainWindowFixture.h"

#include "support/QtPrinters.h"
#include "support/RecordingMessageService.h"

#include <QApplication>

#include <ostream>

namespace {

// Everything the mode table decides, read from the controls.
struct ModeState {
    QString caption;
    bool inputEditable;
    bool categoryEditable;
    bool linkCommands;   // mnuEditSetLink, mnuLinkEdit, mnuLinkDelete together
    bool recordCommands; // btnLog, mnuEditLog, mnuEditClear together
    bool copyAll;
    bool rewritingShown;
    bool rewritingTicked;
    bool browsingTicked;
    bool viewEnabled;
    bool clockRunning;
    bool operator==(const ModeState&) const = default;
};

void PrintTo(const ModeState& s, std::ostream* os)
{
    *os << s.caption.toStdString() << " input=" << s.inputEditable
        << " category=" << s.categoryEditable << " link=" << s.linkCommands
        << " record=" << s.recordCommands << " copy=" << s.copyAll
        << " rewriting=" << s.rewritingShown << "/" << s.rewritingTicked
        << " browsing=" << s.browsingTicked << " view=" << s.viewEnabled
        << " clock=" << s.clockRunning;
}

class MainWindowModeTest : public MainWindowFixture {
protected:
    ModeState State()
    {
        const bool link = Action("mnuEditSetLink")->isEnabled();
        EXPECT_EQ(Action("mnuLinkEdit")->isEnabled(), link);
        EXPECT_EQ(Action("mnuLinkDelete")->isEnabled(), link);
        const bool record = btnLog->isEnabled();
        EXPECT_EQ(Action("mnuEditLog")->isEnabled(), record);
        EXPECT_EQ(Action("mnuEditClear")->isEnabled(), record);
        return {window->windowTitle(),
                !txtLog->isReadOnly(),
                !lstCategory->lineEdit()->isReadOnly(),
                link,
                record,
                Action("mnuEditCopyAll")->isEnabled(),
                Action("mnuEditToRewritingMode")->isVisible(),
                Action("mnuEditToRewritingMode")->isChecked(),
                Action("mnuProgramToBrowsingMode")->isChecked(),
                btnView->isEnabled(),
                tmrDate->isActive()};
    }
    void ToggleRewriting() { Action("mnuEditToRewritingMode")->trigger(); }

    const QString title = ApplicationTitle();
};

TEST_F(MainWindowModeTest, TheModeTableHoldsInEveryMode)
{
    const ModeState writingEmpty{
        title + " - 記録 -", true, true, true, false, false, false, false, false, true, true};
    EXPECT_EQ(State(), writingEmpty);
    EXPECT_EQ(window->Mode(), MainWindowMode::Writing);

    Type(txtLog, "下書き");
    ModeState writing = writingEmpty;
    writing.recordCommands = writing.copyAll = true;
    EXPECT_EQ(State(), writing);

    // Browsing keeps the typed text, read-only, and does not offer rewriting for it.
    window->SetToBrowsingMode();
    const ModeState browsingTyped{
        title + " - 閲覧 -", false, false, false, false, true, false, false, true, false, false};
    EXPECT_EQ(State(), browsingTyped);
    EXPECT_EQ(window->Mode(), MainWindowMode::Browsing);
    EXPECT_EQ(txtLog->toPlainText(), "下書き");

    Store("2021/03/04 05:06:07", "cat", "", "stored");
    window->ShowLog("2021/03/04 05:06:07");
    ModeState browsing = browsingTyped;
    browsing.rewritingShown = true;
    EXPECT_EQ(State(), browsing);

    ToggleRewriting();
    const ModeState rewriting{title + " - 閲覧 書き直し中 -",
                              true,
                              true,
                              true,
                              true,
                              true,
                              true,
                              true,
                              true,
                              false,
                              false};
    EXPECT_EQ(State(), rewriting);
    EXPECT_EQ(window->Mode(), MainWindowMode::Rewriting);

    // An empty text cannot be stored.
    txtLog->clear();
    ModeState rewritingEmpty = rewriting;
    rewritingEmpty.recordCommands = rewritingEmpty.copyAll = false;
    EXPECT_EQ(State(), rewritingEmpty);

    ToggleRewriting();
    EXPECT_EQ(State(), browsing) << "cancelled";
    EXPECT_EQ(txtLog->toPlainText(), "stored");

    // Ticked, the browsing item goes back to writing with the typed input.
    Action("mnuProgramToBrowsingMode")->trigger();
    EXPECT_EQ(State(), writing);
    EXPECT_EQ(txtLog->toPlainText(), "下書き");
}

TEST_F(MainWindowModeTest, BrowsingKeepsTheCaretKeyboardSelectionAndHyperlinkMenu)
{
    Store("2021/03/04 05:06:07", "", "", "go https://example.org now");
    window->ShowLog("2021/03/04 05:06:07");
    ASSERT_EQ(window->Mode(), MainWindowMode::Browsing);
    EXPECT_TRUE(txtLog->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    MenuPerson person;
    QTextCursor cursor = txtLog->textCursor();
    cursor.setPosition(3);
    txtLog->setTextCursor(cursor);
    QTest::keyClick(txtLog, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(txtLog->textCursor().selectedText(), "h");
    for (int i = 1; i < 19; ++i)
        QTest::keyClick(txtLog, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(txtLog->textCursor().selectedText(), "https://example.org");
    QCoreApplication::processEvents();
    ASSERT_EQ(person.menus.size(), 1u);
    EXPECT_EQ(person.menus[0].captions.value(0), "開く(&O)");

    cursor.setPosition(3);
    txtLog->setTextCursor(cursor);
    QTest::keyClick(txtLog, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(txtLog->textCursor().selectedText(), "https://example.org now");
    QTest::keyClick(txtLog, Qt::Key_X);
    EXPECT_EQ(txtLog->toPlainText(), "go https://example.org now");

    // Rewriting edits again; back in browsing the caret stays.
    ToggleRewriting();
    EXPECT_TRUE(txtLog->textInteractionFlags() & Qt::TextEditable);
    ToggleRewriting();
    EXPECT_EQ(txtLog->textInteractionFlags(),
              Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
}

TEST_F(MainWindowModeTest, ShowLogShowsTheRecordWithPlainLinesAndItsSecond)
{
    Store("2022/12/31 23:59:58", "家族 写真", dir.path(), "行1\r\n行2\r\n");
    window->SetToBrowsingMode();
    window->ShowLog("2022/12/31 23:59:58");
    EXPECT_EQ(txtLog->toPlainText(), "行1\n行2\n");
    EXPECT_FALSE(txtLog->toPlainText().contains('\r'));
    EXPECT_EQ(txtDate->text(), "2022/12/31 23:59:58");
    EXPECT_EQ(lstCategory->currentText(), "家族 写真");
    EXPECT_EQ(window->CurrentLink(), dir.path());
    EXPECT_TRUE(imgLink->isVisible());
    EXPECT_EQ(window->CurrentLogDate(), "2022/12/31 23:59:58");
}

TEST_F(MainWindowModeTest, ShowLogWithoutARecordKeepsTheShownRecordButChangesTheDate)
{
    Store("2022/01/01 10:00:00", "前", dir.path(), "前の記録");
    window->SetToBrowsingMode();
    window->ShowLog("2022/01/01 10:00:00");
    for (const QString& missing : {QString("2022/01/01 10:00:01"), QString("not a date")}) {
        window->ShowLog(missing);
        EXPECT_EQ(txtDate->text(), missing);
        EXPECT_EQ(window->CurrentLogDate(), missing);
        EXPECT_EQ(txtLog->toPlainText(), "前の記録");
        EXPECT_EQ(lstCategory->currentText(), "前");
        EXPECT_EQ(window->CurrentLink(), dir.path());
        EXPECT_EQ(window->Mode(), MainWindowMode::Browsing);
    }
}

TEST_F(MainWindowModeTest, StoringARewriteKeepsTheDateTimeAndReturnsToBrowsing)
{
    const DateTime when = Store("2023/06/07 08:09:10", "古い", "", "before");
    window->SetToBrowsingMode();
    window->ShowLog("2023/06/07 08:09:10");
    ToggleRewriting();
    txtLog->selectAll();
    Type(txtLog, "after\nmore");
    lstCategory->lineEdit()->selectAll();
    TypeCategory("新しい");
    window->SetLink(dir.path());
    Click(btnLog);

    EXPECT_EQ(window->Mode(), MainWindowMode::Browsing);
    EXPECT_FALSE(Action("mnuEditToRewritingMode")->isChecked());
    EXPECT_TRUE(Action("mnuEditToRewritingMode")->isVisible());
    EXPECT_EQ(txtDate->text(), "2023/06/07 08:09:10");
    EXPECT_EQ(txtLog->toPlainText(), "after\nmore");
    EXPECT_TRUE(CategoryItems().contains("新しい"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    ASSERT_EQ(GetLogList().LogDates().Count(), 1) << "rewritten, not added";
    LogList fresh(DataFolderPath());
    const ::Log* log = fresh.Item(when);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->Text(), "after\r\nmore");
    EXPECT_EQ(log->Category(), "新しい");
    EXPECT_EQ(log->Link(), dir.path());
}

TEST_F(MainWindowModeTest, CancellingARewriteRestoresTextCategoryAndLink)
{
    Store("2023/06/07 08:09:10", "元", dir.path(), "original");
    window->SetToBrowsingMode();
    window->ShowLog("2023/06/07 08:09:10");
    ToggleRewriting();
    Type(txtLog, " edited");
    TypeCategory("x");
    window->SetLink("");
    ToggleRewriting();
    EXPECT_EQ(window->Mode(), MainWindowMode::Browsing);
    EXPECT_EQ(txtLog->toPlainText(), "original");
    EXPECT_EQ(lstCategory->currentText(), "元");
    EXPECT_EQ(window->CurrentLink(), dir.path());
    EXPECT_EQ(GetLogList().Item(*DateTime::Parse("2023/06/07 08:09:10"))->Text(), "original");
}

// Rewriting a date-time that has no record: the record book refuses it.
TEST_F(MainWindowModeTest, ARewriteThatCannotBeStoredStaysInRewritingWithTheEdits)
{
    RecordingMessageService messages;
    Store("2023/01/01 00:00:00", "", "", "shown");
    window->SetToBrowsingMode();
    window->ShowLog("2023/01/01 00:00:00");
    window->ShowLog("2023/01/01 00:00:01");
    ToggleRewriting();
    txtLog->moveCursor(QTextCursor::End);
    Type(txtLog, " and edited");
    Click(btnLog);

    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text,
              "書き直した記録を保存できませんでした。\n日時「2023/01/01 00:00:01」の記録が"
              "見つかりません。\n入力した内容はそのまま残っています。");
    EXPECT_EQ(window->Mode(), MainWindowMode::Rewriting);
    EXPECT_EQ(txtLog->toPlainText(), "shown and edited");
    EXPECT_TRUE(btnLog->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(GetLogList().LogDates().Count(), 1);
}

TEST_F(MainWindowModeTest, ALockedCategoryBoxKeepsItsText)
{
    Store("2023/01/01 00:00:00", "b", "", "one");
    Store("2023/01/01 00:00:01", "a", "", "two");
    window->RefillCategories();
    window->SetToBrowsingMode();
    window->ShowLog("2023/01/01 00:00:00");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    lstCategory->setFocus();
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Delete})
        QTest::keyClick(QApplication::focusWidget(), key);
    QTest::keyClicks(QApplication::focusWidget(), "typed");
    Type(lstCategory->lineEdit(), "入力");
    EXPECT_EQ(lstCategory->currentText(), "b");
    EXPECT_EQ(window->Mode(), MainWindowMode::Browsing);
}

// ShowLog straight from writing mode must not put the record into the saved input.
TEST_F(MainWindowModeTest, ShowLogFromWritingModeKeepsTheTypedInputSaved)
{
    Store("2023/02/02 02:02:02", "rec", "", "the record");
    Type(txtLog, "typed, not sent");
    TypeCategory("mine");
    window->ShowLog("2023/02/02 02:02:02");
    EXPECT_EQ(txtLog->toPlainText(), "the record");
    window->SetToWritingMode();
    EXPECT_EQ(txtLog->toPlainText(), "typed, not sent");
    EXPECT_EQ(lstCategory->currentText(), "mine");
}

} // namespace
