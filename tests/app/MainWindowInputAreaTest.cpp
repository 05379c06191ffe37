// The unsent input of the main window in "inputarea.txt": saved whenever
// writing mode is left, restored whenever it is entered.
#include "MainWindowFixture.h"

#include "env/FSOHelper.h"
#include "support/QtPrinters.h"
#include "support/RecordingMessageService.h"
#include "ui/main/MainMessages.h"

#include <QFile>

namespace {

class MainWindowInputAreaTest : public MainWindowFixture {
protected:
    // Leaves writing mode (which saves), puts content into the file, and comes back.
    void ReturnWith(const QString& content)
    {
        window->SetToBrowsingMode();
        ASSERT_TRUE(WriteTextFile(InputAreaPath(), content, true));
        window->SetToWritingMode();
    }
};

TEST_F(MainWindowInputAreaTest, TheFirstStartCreatesAnEmptyFileAndStartsEmpty)
{
    EXPECT_TRUE(QFile::exists(InputAreaPath()));
    EXPECT_EQ(QFile(InputAreaPath()).size(), 0);
    EXPECT_EQ(txtLog->toPlainText(), "");
    EXPECT_FALSE(btnLog->isEnabled());
}

TEST_F(MainWindowInputAreaTest, TheFileHoldsTextCategoryAndLinkBetweenTwoNulls)
{
    Type(txtLog, "一\n二 😀");
    TypeCategory("分類");
    window->SetLink(dir.path());
    window->SetToBrowsingMode();
    EXPECT_EQ(ReadTextFile(InputAreaPath(), false),
              QString("一\r\n二 😀") + QChar(0) + "分類" + QChar(0) + dir.path());

    txtLog->setPlainText("shown record");
    window->SetToWritingMode();
    EXPECT_EQ(txtLog->toPlainText(), "一\n二 😀");
    EXPECT_EQ(lstCategory->currentText(), "分類");
    EXPECT_EQ(window->CurrentLink(), dir.path());
    EXPECT_TRUE(btnLog->isEnabled()) << "the restored text can be recorded";
}

TEST_F(MainWindowInputAreaTest, MissingPartsLeaveTheirControlsAndExtraPartsAreIgnored)
{
    TypeCategory("keep");
    window->SetLink(dir.path());
    ReturnWith("only the text");
    EXPECT_EQ(txtLog->toPlainText(), "only the text");
    EXPECT_EQ(lstCategory->currentText(), "keep");
    EXPECT_EQ(window->CurrentLink(), dir.path());

    ReturnWith(QString("t") + QChar(0) + "c");
    EXPECT_EQ(txtLog->toPlainText(), "t");
    EXPECT_EQ(lstCategory->currentText(), "c");
    EXPECT_EQ(window->CurrentLink(), dir.path());

    ReturnWith(QString("t") + QChar(0) + "c" + QChar(0) + "/l" + QChar(0) + "extra");
    EXPECT_EQ(window->CurrentLink(), "/l");

    ReturnWith(QString(QChar(0)) + QChar(0));
    EXPECT_EQ(txtLog->toPlainText(), "");
    EXPECT_EQ(lstCategory->currentText(), "");
    EXPECT_EQ(window->CurrentLink(), "");
    EXPECT_FALSE(imgLink->isVisible());
    EXPECT_FALSE(btnLog->isEnabled());

    // An empty file restores nothing at all.
    Type(txtLog, "typed");
    ReturnWith("");
    EXPECT_EQ(txtLog->toPlainText(), "typed");
}

TEST_F(MainWindowInputAreaTest, TheInputSurvivesBrowsingIconizingAndARestart)
{
    Type(txtLog, "続きは明日");
    TypeCategory("日記");
    window->SetLink(dir.path());

    window->SetToBrowsingMode();
    window->SetToWritingMode();
    EXPECT_EQ(txtLog->toPlainText(), "続きは明日");

    ShowIconizedWindow();
    ShowMainWindow();
    ASSERT_NE(LoadedMainWindow(), nullptr);
    Find(*LoadedMainWindow());
    EXPECT_EQ(txtLog->toPlainText(), "続きは明日");

    Restart();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(txtLog->toPlainText(), "続きは明日");
    EXPECT_EQ(lstCategory->currentText(), "日記");
    EXPECT_EQ(window->CurrentLink(), dir.path());
}

// A crash loses nothing typed: the input is saved once typing pauses, in writing mode.
TEST_F(MainWindowInputAreaTest, TypedInputReachesTheFileWhenTypingPauses)
{
    Type(txtLog, "途中");
    TypeCategory("c");
    QTRY_COMPARE_WITH_TIMEOUT(ReadTextFile(InputAreaPath(), false),
                              QString("途中") + QChar(0) + "c" + QChar(0), 3000);
}

// Ctrl+N takes text, category and link; Ctrl+Z in the input area gives all three back.
TEST_F(MainWindowInputAreaTest, UndoInTheInputAreaBringsBackWhatClearTook)
{
    Type(txtLog, "消すつもりはなかった");
    TypeCategory("分類");
    window->SetLink(dir.path());
    txtLog->setFocus();
    QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(txtLog->toPlainText(), "");
    ASSERT_EQ(lstCategory->currentText(), "");
    ASSERT_EQ(window->CurrentLink(), "");

    QTest::keyClick(txtLog, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(txtLog->toPlainText(), "消すつもりはなかった");
    EXPECT_EQ(lstCategory->currentText(), "分類");
    EXPECT_EQ(window->CurrentLink(), dir.path());
    EXPECT_TRUE(imgLink->isVisible());
}

// Recording empties the input; leaving writing mode afterwards saves the empty input,
// so the recorded text does not come back as unsent.
TEST_F(MainWindowInputAreaTest, ARecordedTextDoesNotComeBackAsUnsent)
{
    Type(txtLog, "sent");
    Click(btnLog);
    ASSERT_EQ(GetLogList().LogDates().Count(), 1);
    // At once, not only when writing mode is left: a crash now must not bring it back.
    EXPECT_EQ(ReadTextFile(InputAreaPath(), false), QString(QChar(0)) + QChar(0));
    Restart();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(txtLog->toPlainText(), "");
}

// The file keeps the older input when it cannot be written, and that would come
// back in place of what is typed now: the user is told while the text is shown.
TEST_F(MainWindowInputAreaTest, AnInputThatCannotBeSavedIsReportedWhileItIsShown)
{
    RecordingMessageService messages;
    ASSERT_TRUE(WriteTextFile(InputAreaPath(), "old input", true));
    ASSERT_TRUE(QFile::setPermissions(InputAreaPath(), QFile::ReadOwner));
    window->SetToBrowsingMode();
    EXPECT_TRUE(messages.shown.isEmpty()) << "an empty input has nothing to lose";
    window->SetToWritingMode();
    EXPECT_EQ(txtLog->toPlainText(), "old input");

    txtLog->clear();
    Type(txtLog, "new input");
    window->SetToBrowsingMode();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, MainMessages::InputAreaFailureMessage(InputAreaPath()));
    EXPECT_TRUE(messages.shown[0].text.contains(InputAreaPath()));
    EXPECT_EQ(messages.shown[0].title, ApplicationTitle());
    EXPECT_EQ(txtLog->toPlainText(), "new input") << "still shown, to be copied";
    EXPECT_TRUE(Action("mnuEditCopyAll")->isEnabled());
    EXPECT_EQ(ReadTextFile(InputAreaPath(), false), "old input");

    ASSERT_TRUE(QFile::setPermissions(InputAreaPath(), QFile::ReadOwner | QFile::WriteOwner));
}

} // namespace
