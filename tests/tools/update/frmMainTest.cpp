#include "tools/update/frmMain.h"
#include "TestFolder.h"

#include "env/MessageService.h"
#include "support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

using update::frmMain;

namespace {

QPushButton* RunButton(frmMain& w)
{
    return w.findChild<QPushButton*>("btnRun");
}

} // namespace

TEST(UpdateWindow, LayoutAndCaptions)
{
    TestFolder folder;
    frmMain w(folder.path());
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Quillmere ver 1.3 データ移行ツール"));
    EXPECT_FALSE(w.windowIcon().pixmap(32, 32).isNull());
    EXPECT_EQ(w.size(), QSize(309, 110));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    auto* label = w.findChild<QLabel*>("lblDescription");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(
        label->text(),
        QString::fromUtf8("ver 1.2 以前のデータがある場合は、ver 1.3 のデータに変換します。"));
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->geometry(), QRect(10, 10, 274, 43));
    QPushButton* run = RunButton(w);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->text(), QString::fromUtf8("実行"));
    EXPECT_EQ(run->geometry(), QRect(114, 70, 81, 31));
    EXPECT_FALSE(run->isEnabled());
}

TEST(UpdateWindow, NoDataFileShowsMessageAndCloses)
{
    TestFolder folder;
    folder.write("top.diary", OldFile("")); // directly in the folder: not a data file
    RecordingMessageService messages;
    frmMain w(folder.path());
    EXPECT_FALSE(w.Form_Load());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QString::fromUtf8("Quillmere ver 1.3 データ移行ツール"));
    EXPECT_EQ(
        messages.shown[0].text,
        QString::fromUtf8("データファイルが見つかりません。\r\nこのツールを、データディレクトリの"
                          "ある場所に移動してから実行してください。"));
    EXPECT_FALSE(RunButton(w)->isEnabled());
}

TEST(UpdateWindow, RunMigratesEverythingOnceAndReports)
{
    TestFolder folder;
    folder.write("Quillmere.ini", "[a]\r\n");
    folder.write("user/2001/10.diary",
                 OldFile("<log year=\"2001\" month=\"10\" day=\"7\" hour=\"9\" minute=\"5\" "
                         "second=\"3\">a</log>"));
    folder.write("top.diary", OldFile("<log year=\"1\"/>"));
    RecordingMessageService messages;
    frmMain w(folder.path());
    ASSERT_TRUE(w.Form_Load());
    ASSERT_EQ(w.DataFiles().size(), 1);
    EXPECT_EQ(w.DataFiles()[0].Path, folder.file("user/2001/10.diary"));
    ASSERT_TRUE(RunButton(w)->isEnabled());
    w.show();
    RunButton(w)->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(RunButton(w)->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8("データ移行が完了しました。"));
    EXPECT_EQ(messages.shown[0].title, QString::fromUtf8("Quillmere ver 1.3 データ移行ツール"));
    EXPECT_TRUE(folder.read("user/2001/10.diary").contains("<log date=\"2001-10-07T09:05:03"));
    EXPECT_EQ(folder.read("top.diary"), OldFile("<log year=\"1\"/>"));
    EXPECT_EQ(folder.read("user/Quillmere.ini"), "[a]\r\n");
    EXPECT_FALSE(folder.exists("Quillmere.ini"));
    // The run happens once per start.
    w.btnRun_Click();
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST(UpdateWindow, ParseErrorsAreShownBeforeTheCompletionMessage)
{
    TestFolder folder;
    folder.write("user/2001/10.diary", OldFile("<log year=\"2001\">unclosed\r\n"));
    RecordingMessageService messages;
    frmMain w(folder.path());
    ASSERT_TRUE(w.Form_Load());
    RunButton(w)->click();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[0].text.contains(QString::fromUtf8("ファイル：user/2001/10.diary")));
    EXPECT_EQ(messages.shown[0].title, QString::fromUtf8("Quillmere"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Warning);
}

TEST(UpdateWindow, SecondCopyOnSameFolderCannotRun)
{
    TestFolder folder;
    folder.write("user/2001/10.diary", OldFile(""));
    RecordingMessageService messages;
    frmMain first(folder.path());
    ASSERT_TRUE(first.Form_Load());
    frmMain second(folder.path());
    EXPECT_TRUE(second.Form_Load());
    EXPECT_FALSE(RunButton(second)->isEnabled());
    EXPECT_TRUE(second.DataFiles().isEmpty());
    second.btnRun_Click();
    EXPECT_TRUE(messages.shown.isEmpty());

    // Another folder is another program folder, with its own lock.
    TestFolder other;
    other.write("u/01.diary", OldFile(""));
    frmMain third(other.path());
    EXPECT_TRUE(third.Form_Load());
    EXPECT_TRUE(RunButton(third)->isEnabled());
}

TEST(UpdateWindow, LockIsReleasedWithTheWindow)
{
    TestFolder folder;
    folder.write("user/2001/10.diary", OldFile(""));
    {
        frmMain first(folder.path());
        ASSERT_TRUE(first.Form_Load());
    }
    // The file stays behind, as after a crash, and keeps no copy away.
    EXPECT_TRUE(
        QFileInfo::exists(FolderLock::SingleCopyPath(QStringLiteral("update"), folder.path())));
    frmMain again(folder.path());
    ASSERT_TRUE(again.Form_Load());
    EXPECT_TRUE(RunButton(again)->isEnabled());
}
