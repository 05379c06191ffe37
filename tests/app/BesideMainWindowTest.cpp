// The record list window with the real main window of a running program: a
// result shown there and the main window's category box after a repair.
#include "app/MainModule.h"
#include "env/DateTime.h"
#include "env/Folders.h"
#include "env/MessageService.h"
#include "store/LogList.h"
#include "support/ProgramPictures.h"
#include "support/RecordingMessageService.h"
#include "support/TempFolder.h"
#include "ui/loglist/frmLogList.h"
#include "ui/main/frmMain.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class BesideMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        CopyProgramPictures();
        SetEndHandler({});
        ASSERT_TRUE(StartUpForTesting(folder_.path()));
        started_ = true;
    }
    void TearDown() override
    {
        if (started_)
            ShutDown();
    }

    static DateTime At(int year, int month, int day, int hour, int minute = 0)
    {
        return DateTime::FromParts(year, month, day, hour, minute, 0);
    }
    static void Record(const DateTime& at, const QString& category, const QString& text)
    {
        ASSERT_TRUE(GetLogList().Log(at, category, {}, text));
    }
    static void RecordSome()
    {
        Record(At(2024, 5, 13, 9, 30), QStringLiteral("仕事 会議"),
               QStringLiteral("定例会議。資料の見直しを来週までに。"));
        Record(At(2024, 5, 14, 21), QStringLiteral("家"), QStringLiteral("夕食は鍋。"));
        Record(At(2024, 5, 20, 10, 15), QStringLiteral("仕事"),
               QStringLiteral("会議室の予約を取った。\r\n議題は三つ。"));
    }
    // The record list window as the program opens it, beside the main window
    // in browsing mode.
    frmLogList& Open()
    {
        MainWindow().show();
        ShowRecordListWindow();
        list_ = LoadedRecordListWindow();
        EXPECT_NE(list_, nullptr);
        return *list_;
    }
    template <class T> T* Find(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QStringList Entries(QComboBox* box)
    {
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries << box->itemText(i);
        return entries;
    }
    void ClickResult(int row)
    {
        auto* results = Find<QListView>(list_, "lstLogs");
        const QRect line = results->visualRect(results->model()->index(row, 0));
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, line.center());
    }

    TempFolder folder_;
    bool started_ = false;
    frmLogList* list_ = nullptr;
};

TEST_F(BesideMainWindow, ResultClickShowsTheRecordInTheMainWindow)
{
    RecordSome();
    frmLogList& list = Open();
    frmMain& main = MainWindow();
    EXPECT_EQ(list.windowIcon().cacheKey(), main.windowIcon().cacheKey());

    ClickResult(2);
    EXPECT_EQ(Find<QPlainTextEdit>(&main, "txtLog")->toPlainText(),
              "会議室の予約を取った。\n議題は三つ。");
    EXPECT_EQ(Find<QLineEdit>(&main, "txtDate")->text(), "2024/05/20 10:15:00");
    EXPECT_EQ(Find<QComboBox>(&main, "lstCategory")->currentText(), "仕事");
    EXPECT_EQ(main.Mode(), MainWindowMode::Browsing);

    // Closing goes back to writing mode.
    const QPointer<frmLogList> closing(&list);
    Find<QToolButton>(&list, "btnClose")->click();
    EXPECT_EQ(main.Mode(), MainWindowMode::Writing);
    EXPECT_EQ(LoadedRecordListWindow(), nullptr);
    EXPECT_TRUE(!closing || closing->IsUnloaded());
}

TEST_F(BesideMainWindow, RepairAfterLostListsRefillsTheMainWindowsCategoryBox)
{
    RecordSome();
    // The lists are lost while the program is not running.
    ShutDown();
    QFile::remove(DataFolderPath() + QStringLiteral("logdate.list"));
    QFile::remove(DataFolderPath() + QStringLiteral("category.list"));
    ASSERT_TRUE(StartUpForTesting(folder_.path()));
    auto* mainCategories = Find<QComboBox>(&MainWindow(), "lstCategory");
    ASSERT_EQ(mainCategories->count(), 0);

    frmLogList& list = Open();
    RecordingMessageService messages;
    messages.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    list.findChild<QAction*>(QStringLiteral("mnuToolCollectLogList"))->trigger();
    ASSERT_EQ(messages.shown.size(), 2);

    const QStringList dates{"2024/05/13 09:30:00", "2024/05/14 21:00:00", "2024/05/20 10:15:00"};
    EXPECT_EQ(Entries(Find<QComboBox>(&list, "lstLogDateBegin")), dates);
    EXPECT_EQ(Entries(Find<QComboBox>(&list, "lstLogDateEnd")), dates);
    QStringList offered = Entries(mainCategories);
    offered.sort();
    QStringList listed = Entries(Find<QComboBox>(&list, "lstCategory"));
    listed.sort();
    EXPECT_EQ(offered, listed);
    EXPECT_TRUE(offered.contains(QStringLiteral("会議")));
    EXPECT_TRUE(offered.contains(QStringLiteral("家")));
}

} // namespace
