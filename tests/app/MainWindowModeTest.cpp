// Browsing and rewriting in the main window: what each mode sets, ShowLog,
// storing and cancelling a rewrite.
#include "ui/main/LinkTestSupport.h"
#include "MainWindowFixture.h"

#include "support/QtPrinters.h"
#include "support/RecordingMessageService.h"

#include "ui/loglist/frmLogList.h"
#include "ui/main/MainMessages.h"

#include <QApplication>
#include <QFile>
#include <QTextEdit>

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
    bool deleteOffered; // mnuEditDelete shown and enabled
    bool saveScheduled; // the unsent input is due to be saved
    bool operator==(const ModeState&) const = default;
};

void PrintTo(const ModeState& s, std::ostream* os)
{
    *os << s.caption.toStdString() << " input=" << s.inputEditable
        << " category=" << s.categoryEditable << " link=" << s.linkCommands
        << " record=" << s.recordCommands << " copy=" << s.copyAll
        << " rewriting=" << s.rewritingShown << "/" << s.rewritingTicked
        << " browsing=" << s.browsingTicked << " view=" << s.viewEnabled
        << " clock=" << s.clockRunning << " delete=" << s.deleteOffered
        << " save=" << s.saveScheduled;
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
                tmrDate->isActive(),
                Action("mnuEditDelete")->isVisible() && Action("mnuEditDelete")->isEnabled(),
                window->findChild<QTimer*>("tmrInputArea")->isActive()};
    }
    void ToggleRewriting() { Action("mnuEditToRewritingMode")->trigger(); }
    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    const QString title = ApplicationTitle();
};

TEST_F(MainWindowModeTest, TheModeTableHoldsInEveryMode)
{
    const ModeState writingEmpty{title + " - 記録 -",
                                 true,
                                 true,
                                 true,
                                 false,
                                 false,
                                 false,
                                 false,
                                 false,
                                 true,
                                 true,
                                 false,
                                 false};
    EXPECT_EQ(State(), writingEmpty);
    EXPECT_EQ(window->Mode(), MainWindowMode::Writing);

    Type(txtLog, "下書き");
    ModeState writing = writingEmpty;
    writing.recordCommands = writing.copyAll = writing.saveScheduled = true;
    EXPECT_EQ(State(), writing);

    // Browsing keeps the typed text, read-only, and does not offer rewriting for it.
    window->SetToBrowsingMode();
    const ModeState browsingTyped{title + " - 閲覧 -",
                                  false,
                                  false,
                                  false,
                                  false,
                                  true,
                                  false,
                                  false,
                                  true,
                                  false,
                                  false,
                                  false,
                                  false};
    EXPECT_EQ(State(), browsingTyped);
    EXPECT_EQ(window->Mode(), MainWindowMode::Browsing);
    EXPECT_EQ(txtLog->toPlainText(), "下書き");

    Store("2021/03/04 05:06:07", "cat", "", "stored");
    window->ShowLog("2021/03/04 05:06:07");
    ModeState browsing = browsingTyped;
    browsing.rewritingShown = browsing.deleteOffered = true;
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
                              false,
                              false,
                              false};
    EXPECT_EQ(State(), rewriting);
    EXPECT_EQ(window->Mode(), MainWindowMode::Rewriting);

    // An empty text cannot be stored; a rewrite is no unsent input to save.
    txtLog->clear();
    ModeState rewritingEmpty = rewriting;
    rewritingEmpty.recordCommands = rewritingEmpty.copyAll = false;
    EXPECT_EQ(State(), rewritingEmpty);

    ToggleRewriting();
    EXPECT_EQ(State(), browsing) << "cancelled";
    EXPECT_EQ(txtLog->toPlainText(), "stored");

    // Ticked, the browsing item goes back to writing with the typed input.
    Action("mnuProgramToBrowsingMode")->trigger();
    writing.saveScheduled = false; // what comes back is what was saved
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

TEST_F(MainWindowModeTest, DeletingAsksThenRemovesTheRecordFromFileListAndResults)
{
    Store("2021/03/04 05:06:07", "cat", "", "first");
    Store("2021/03/05 05:06:07", "cat", "", "second");
    const QString month = DataFolderPath() + "2021/03.diary";
    ShowRecordListWindow();
    ASSERT_NE(LoadedRecordListWindow(), nullptr);
    ASSERT_EQ(LoadedRecordListWindow()->FoundDates()->Count(), 2);
    window->ShowLog("2021/03/04 05:06:07");

    RecordingMessageService messages;
    messages.answers = {MessageAnswer::No};
    Action("mnuEditDelete")->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "この記録を削除しますか？");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_NE(GetLogList().Item(QString("2021/03/04 05:06:07")), nullptr) << "いいえ keeps it";

    // A month file that cannot be written: told, and nothing is removed.
    const QByteArray before = ReadBytes(month);
    ASSERT_TRUE(QFile::setPermissions(month, QFile::ReadOwner));
    messages.answers = {MessageAnswer::Yes};
    Action("mnuEditDelete")->trigger();
    ASSERT_TRUE(QFile::setPermissions(month, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_EQ(messages.shown[2].text, MainMessages::DeleteFailureMessage(StoreResult::Fail(
                                          StoreResult::Error::SaveFailed, month)));
    EXPECT_EQ(ReadBytes(month), before);
    EXPECT_EQ(txtLog->toPlainText(), "first");
    EXPECT_EQ(LoadedRecordListWindow()->FoundDates()->Count(), 2);

    messages.answers = {MessageAnswer::Yes};
    Action("mnuEditDelete")->trigger();
    EXPECT_EQ(messages.shown.size(), 4) << "only the question";
    EXPECT_EQ(GetLogList().Item(QString("2021/03/04 05:06:07")), nullptr);
    EXPECT_EQ(ReadBytes(month).count("<log "), 1);
    EXPECT_EQ(ReadBytes(DataFolderPath() + "logdate.list"), "2021/03/05 05:06:07\r\n");
    EXPECT_TRUE(GetLogList().Categories().Has("cat"));
    EXPECT_EQ(LoadedRecordListWindow()->FoundDates()->Dates(),
              QList<DateTime>{*DateTime::Parse("2021/03/05 05:06:07")});
    EXPECT_EQ(txtLog->toPlainText(), "");
    EXPECT_FALSE(Action("mnuEditDelete")->isEnabled()) << "nothing left on show to delete";
}

TEST_F(MainWindowModeTest, WordsOfTheSearchAreMarkedWithoutChangingTheText)
{
    Store("2021/03/04 05:06:07", "", "", "rain, Rain and rain");
    window->ShowLog("2021/03/04 05:06:07");
    window->HighlightWords({"rain", "and"});
    QStringList marked;
    for (const QTextEdit::ExtraSelection& mark : txtLog->extraSelections()) {
        marked << mark.cursor.selectedText() + "@" + QString::number(mark.cursor.position());
        EXPECT_TRUE(mark.format.hasProperty(QTextFormat::BackgroundBrush));
    }
    EXPECT_EQ(marked, (QStringList{"rain@4", "rain@19", "and@14"}));
    EXPECT_EQ(txtLog->toPlainText(), "rain, Rain and rain");

    window->ShowLog("2021/03/04 05:06:07");
    EXPECT_TRUE(txtLog->extraSelections().isEmpty()) << "a record shown without words";
}

} // namespace
