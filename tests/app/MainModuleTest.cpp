#include "ProgramFixture.h"

#include "env/FolderLock.h"
#include "env/System.h"
#include "store/DateList.h"
#include "store/Log.h"
#include "store/LogList.h"
#include "ui/controls/QtMessageService.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListView>
#include <QTest>
#include <QTimer>

#include <stdexcept>
#include <unistd.h>

TEST_F(ProgramTest, FirstRunCreatesTheDataFolderAndShowsTheMainWindowInWritingMode)
{
    Start();
    EXPECT_TRUE(QFileInfo(DataFolderPath()).isDir());
    EXPECT_TRUE(DataFolderPath().startsWith(dir.path() + u'/'));
    EXPECT_FALSE(IsIconized());
    ASSERT_NE(LoadedMainWindow(), nullptr);
    EXPECT_TRUE(LoadedMainWindow()->isVisible());
    EXPECT_EQ(LoadedMainWindow()->Mode(), MainWindowMode::Writing);
    EXPECT_EQ(LoadedIconWindow(), nullptr);
    EXPECT_EQ(GetLogList().LogDates().Count(), 0);
    EXPECT_EQ(VisibleWindows().size(), 1);
}

TEST_F(ProgramTest, ADataFolderThatCannotBeCreatedDoesNotStopTheStart)
{
    // A file where the data folder belongs: the folder cannot be made.
    QFile blocker(dir.filePath(CurrentUserName()));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Start();
    EXPECT_FALSE(QFileInfo(DataFolderPath()).isDir());
    ASSERT_NE(LoadedMainWindow(), nullptr);
    EXPECT_TRUE(LoadedMainWindow()->isVisible());
    EXPECT_EQ(GetLogList().LogDates().Count(), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
    ShutDown();
    EXPECT_EQ(ends, 1);
}

TEST_F(ProgramTest, StoredIconizeDecidesTheFirstWindow)
{
    Start();
    const struct {
        const char* stored;
        bool iconized;
    } cases[] = {{"True", true}, {"False", false}, {"1", true},
                 {"0", false},   {"-2", true},     {"yes", false}};
    for (const auto& c : cases) {
        ShutDown();
        FlushDeletes();
        WriteSetting(SettingsFilePath(), QStringLiteral("Quillmere"), QStringLiteral("Iconize"),
                     QString::fromLatin1(c.stored));
        Start();
        EXPECT_EQ(IsIconized(), c.iconized) << c.stored;
        const bool mainShown = LoadedMainWindow() && LoadedMainWindow()->isVisible();
        const bool iconShown = LoadedIconWindow() && LoadedIconWindow()->isVisible();
        EXPECT_EQ(iconShown, c.iconized) << c.stored;
        EXPECT_EQ(mainShown, !c.iconized) << c.stored;
    }
}

TEST_F(ProgramTest, TheSystemsCloseOfTheMainWindowEndsTheProgramOnce)
{
    Start();
    LoadedMainWindow()->close();
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(IsRunning());
    EXPECT_EQ(Iconize(), "False");
    EXPECT_THROW(GetLogList(), std::logic_error);
    ShutDown();
    EXPECT_EQ(ends, 1);
}

TEST_F(ProgramTest, ExitMenuOfTheMainWindowEndsTheProgram)
{
    Start();
    Trigger(LoadedMainWindow(), "mnuProgramExit");
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(IsRunning());
    EXPECT_EQ(CountWindows<frmMain>(), 0);
}

TEST_F(ProgramTest, IconizingKeepsTheProgramAndLeavingIconizedStartsIconized)
{
    Start();
    Click(LoadedMainWindow(), "btnIconize");
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(IsRunning());
    EXPECT_TRUE(IsIconized());
    ASSERT_NE(LoadedIconWindow(), nullptr);
    EXPECT_TRUE(LoadedIconWindow()->isVisible());
    EXPECT_EQ(LoadedMainWindow(), nullptr);
    EXPECT_EQ(CountWindows<frmMain>(), 0);

    Trigger(LoadedIconWindow(), "mnuCommandExit");
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(Iconize(), "True");
    EXPECT_EQ(CountWindows<frmIcon>(), 0);

    Start();
    ASSERT_NE(LoadedIconWindow(), nullptr);
    EXPECT_TRUE(LoadedIconWindow()->isVisible());
    EXPECT_EQ(LoadedMainWindow(), nullptr);

    // Back to the main window and out through its close box: the next start shows it.
    Trigger(LoadedIconWindow(), "mnuCommandReturnToMain");
    ASSERT_NE(LoadedMainWindow(), nullptr);
    LoadedMainWindow()->close();
    EXPECT_EQ(Iconize(), "False");
    Start();
    EXPECT_FALSE(IsIconized());
    EXPECT_NE(LoadedMainWindow(), nullptr);
    EXPECT_EQ(LoadedIconWindow(), nullptr);
}

TEST_F(ProgramTest, ClosingTheIconizedWindowByTheSystemEndsTheProgram)
{
    // A program left running without any window would keep its lock and turn
    // every later start away in silence.
    Start();
    ShowIconizedWindow();
    ASSERT_NE(LoadedIconWindow(), nullptr);
    LoadedIconWindow()->close();
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(IsRunning());
    EXPECT_EQ(Iconize(), "True");
    Start();
    EXPECT_NE(LoadedIconWindow(), nullptr);
}

TEST_F(ProgramTest, ShutDownWritesIconizeBeforeUnloadingAndReleasesTheBookAfter)
{
    Start();
    WriteSetting(SettingsFilePath(), QStringLiteral("Quillmere"), QStringLiteral("Iconize"),
                 QStringLiteral("stale"));
    QString iconizeAtUnload;
    bool bookAtUnload = false;
    bool shuttingDownAtUnload = false;
    QObject::connect(LoadedMainWindow(), &frmMain::Unloaded, [&] {
        iconizeAtUnload = Iconize();
        shuttingDownAtUnload = IsShuttingDown();
        try {
            GetLogList();
            bookAtUnload = true;
        } catch (const std::logic_error&) {
        }
        ShutDown(); // not entered a second time
    });
    ShutDown();
    EXPECT_EQ(iconizeAtUnload, "False");
    EXPECT_TRUE(bookAtUnload);
    EXPECT_TRUE(shuttingDownAtUnload);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(IsRunning());
    EXPECT_FALSE(IsShuttingDown());
    EXPECT_THROW(GetLogList(), std::logic_error);
    EXPECT_EQ(CountWindows<frmMain>(), 0);
}

TEST_F(ProgramTest, ASecondStartWhileTheLockIsHeldEndsWithoutAWord)
{
    const QString data = dir.filePath(CurrentUserName());
    ASSERT_TRUE(QDir().mkdir(data));
    FolderLock other;
    ASSERT_EQ(other.TryLock(data), FolderLock::Result::Taken);
    EXPECT_EQ(InstanceLockPath(dir.path()), FolderLock::PathIn(data));
    const QStringList before = QDir(data).entryList(QDir::AllEntries | QDir::Hidden);
    EXPECT_FALSE(StartUpForTesting(dir.path()));
    EXPECT_FALSE(IsRunning());
    EXPECT_TRUE(VisibleWindows().isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::Hidden), before);
    other.Release();
    Start();
    EXPECT_NE(LoadedMainWindow(), nullptr);
}

TEST_F(ProgramTest, ADataFolderOfAnotherUserIsNotUsed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    const QString data = dir.filePath(CurrentUserName());
    ASSERT_TRUE(QDir().mkdir(data));
    ASSERT_EQ(::chown(QFile::encodeName(data).constData(), ::geteuid() + 4242, -1), 0);
    EXPECT_FALSE(StartUpForTesting(dir.path()));
    EXPECT_FALSE(IsRunning());
    EXPECT_TRUE(VisibleWindows().isEmpty());
    EXPECT_TRUE(QDir(data).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, "Quillmere");
    EXPECT_TRUE(messages.shown[0].text.contains(data + u'/'))
        << messages.shown[0].text.toStdString();
}

TEST_F(ProgramTest, InstanceLocksDifferByProgramFolder)
{
    QTemporaryDir second;
    EXPECT_NE(InstanceLockPath(dir.path()), InstanceLockPath(second.path()));
    EXPECT_EQ(InstanceLockPath(dir.path()), InstanceLockPath(dir.path() + u'/'));
}

TEST_F(ProgramTest, TheRecordListWindowOpensOnceModelessAndOwnedByTheMainWindow)
{
    Start();
    frmMain* main = LoadedMainWindow();
    Click(main, "btnView");
    EXPECT_EQ(main->Mode(), MainWindowMode::Browsing);
    frmLogList* list = LoadedRecordListWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->parentWidget(), main);
    EXPECT_TRUE(list->isWindow());
    EXPECT_FALSE(list->isModal());
    EXPECT_TRUE(main->isEnabled());

    ShowRecordListWindow();
    EXPECT_EQ(LoadedRecordListWindow(), list);
    EXPECT_EQ(CountWindows<frmLogList>(), 1);
    ShowMainWindow();
    EXPECT_EQ(LoadedMainWindow(), main);
    EXPECT_EQ(CountWindows<frmMain>(), 1);
}

TEST_F(ProgramTest, EveryWayBackToWritingClosesTheRecordListWindow)
{
    Start();
    frmMain* main = LoadedMainWindow();
    const struct {
        const char* way;
        std::function<void()> close;
    } ways[] = {
        {"menu toggle", [&] { Trigger(main, "mnuProgramToBrowsingMode"); }},
        {"close button", [&] { Click(LoadedRecordListWindow(), "btnClose"); }},
        {"close box", [&] { LoadedRecordListWindow()->close(); }},
        {"module", [] { ReturnToWritingMode(); }},
    };
    for (const auto& way : ways) {
        Trigger(main, "mnuProgramToBrowsingMode");
        ASSERT_NE(LoadedRecordListWindow(), nullptr) << way.way;
        ASSERT_EQ(main->Mode(), MainWindowMode::Browsing) << way.way;
        way.close();
        EXPECT_EQ(LoadedRecordListWindow(), nullptr) << way.way;
        EXPECT_EQ(CountWindows<frmLogList>(), 0) << way.way;
        EXPECT_EQ(LoadedMainWindow(), main) << way.way;
        EXPECT_EQ(main->Mode(), MainWindowMode::Writing) << way.way;
        EXPECT_TRUE(main->isVisible()) << way.way;
        EXPECT_EQ(ends, 0) << way.way;
    }
}

TEST_F(ProgramTest, IconizingWhileBrowsingLeavesOnlyTheIconizedWindow)
{
    Start();
    ShowRecordListWindow();
    Click(LoadedMainWindow(), "btnIconize");
    FlushDeletes();
    const QList<QWidget*> visible = VisibleWindows();
    ASSERT_EQ(visible.size(), 1);
    EXPECT_EQ(visible.first(), LoadedIconWindow());
    EXPECT_EQ(CountWindows<frmLogList>(), 0);
    // The record list window's unload returned to writing mode: a hidden main window.
    frmMain* hidden = LoadedMainWindow();
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_EQ(hidden->Mode(), MainWindowMode::Writing);
    EXPECT_EQ(CountWindows<frmMain>(), 1);

    ShowMainWindow();
    EXPECT_EQ(LoadedMainWindow(), hidden);
    EXPECT_TRUE(hidden->isVisible());
    EXPECT_EQ(LoadedIconWindow(), nullptr);
    EXPECT_FALSE(IsIconized());
    EXPECT_EQ(ends, 0);
}

TEST_F(ProgramTest, TheIconizedWindowReturnsToBrowsing)
{
    Start();
    ShowIconizedWindow();
    Trigger(LoadedIconWindow(), "mnuCommandReturnToBrowse");
    ASSERT_NE(LoadedMainWindow(), nullptr);
    EXPECT_TRUE(LoadedMainWindow()->isVisible());
    EXPECT_EQ(LoadedMainWindow()->Mode(), MainWindowMode::Browsing);
    ASSERT_NE(LoadedRecordListWindow(), nullptr);
    EXPECT_TRUE(LoadedRecordListWindow()->isVisible());
    EXPECT_EQ(LoadedRecordListWindow()->parentWidget(), LoadedMainWindow());
    EXPECT_EQ(LoadedIconWindow(), nullptr);
    EXPECT_EQ(CountWindows<frmIcon>(), 0);
}

TEST_F(ProgramTest, ClosingTheMainWindowWhileBrowsingUnloadsTheRecordListWindow)
{
    Start();
    ShowRecordListWindow();
    auto* category = Find<QComboBox>(LoadedRecordListWindow(), "lstCategory");
    ASSERT_NE(category, nullptr);
    category->setEditText(QStringLiteral("旅行"));
    LoadedMainWindow()->close();
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(CountWindows<frmLogList>(), 0);
    EXPECT_EQ(CountWindows<frmMain>(), 0);
    // The record list window ran its own unload, not just a deletion with its owner.
    EXPECT_EQ(ReadSetting(SettingsFilePath(), QStringLiteral("LogList"), QStringLiteral("Category"),
                          QStringLiteral("(none)")),
              QStringLiteral("旅行"));
    EXPECT_NE(ReadSetting(SettingsFilePath(), QStringLiteral("frmLogList"), QStringLiteral("Left"),
                          QStringLiteral("(none)")),
              QStringLiteral("(none)"));
}

TEST_F(ProgramTest, TypedInputSurvivesIconizingBrowsingAndARestart)
{
    Start();
    const QString text = QStringLiteral("今日は雨。\n傘を忘れた");
    auto* txtLog = Find<QPlainTextEdit>(LoadedMainWindow(), "txtLog");
    ASSERT_NE(txtLog, nullptr);
    Type(txtLog, text);
    Find<QComboBox>(LoadedMainWindow(), "lstCategory")->setEditText(QStringLiteral("天気"));
    ASSERT_EQ(InputText(), text);

    ShowIconizedWindow();
    ShowMainWindow();
    EXPECT_EQ(InputText(), text);

    ShowRecordListWindow();
    ShowIconizedWindow();
    ShowMainWindow();
    EXPECT_EQ(InputText(), text);

    Restart();
    EXPECT_EQ(InputText(), text);
    EXPECT_EQ(Find<QComboBox>(LoadedMainWindow(), "lstCategory")->currentText(),
              QStringLiteral("天気"));
}

TEST_F(ProgramTest, ARequestToEndUnderAnOpenBoxClosesItAndEndsOnceTheCallHasReturned)
{
    Start();
    // The month file of now does not parse: recording stops at its parse-error box.
    const QDate today = QDate::currentDate();
    const QString month = DataFolderPath() + QString::number(today.year()) + u'/' +
                          QStringLiteral("%1.diary").arg(today.month(), 2, 10, QChar(u'0'));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(month).path()));
    QFile broken(month);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<diary><log");
    broken.close();
    Type(Find<QPlainTextEdit>(LoadedMainWindow(), "txtLog"),
         QStringLiteral("まだ保存されていない"));

    QtMessageService boxes; // real modal boxes with their own event loops
    SetMessageService(&boxes);
    int boxesSeen = 0;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() && boxesSeen++ == 0)
            RequestEnd();
    });
    watcher.start(10);
    Click(LoadedMainWindow(), "btnLog");
    SetMessageService(&messages);
    EXPECT_GE(boxesSeen, 1);
    // Nothing was freed under the running record attempt: it returned first.
    EXPECT_EQ(ends, 0);
    QTRY_COMPARE(ends, 1);
    EXPECT_FALSE(IsRunning());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    Start();
    EXPECT_EQ(InputText(), QStringLiteral("まだ保存されていない"));
}

TEST_F(ProgramTest, ARecordWrittenInTheMainWindowIsFoundAfterARestart)
{
    Start();
    const QString text = QStringLiteral("初めての記録");
    Type(Find<QPlainTextEdit>(LoadedMainWindow(), "txtLog"), text);
    Click(LoadedMainWindow(), "btnLog");
    ASSERT_EQ(GetLogList().LogDates().Count(), 1);
    EXPECT_TRUE(InputText().isEmpty());

    Restart();
    ASSERT_EQ(GetLogList().LogDates().Count(), 1);
    const QString date = GetLogList().LogDates().Item(0).ListText();
    const ::Log* log = GetLogList().Item(date);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->Text(), text);

    // Found by the record list window and shown in the main window through the module.
    ShowRecordListWindow();
    frmLogList* list = LoadedRecordListWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
    auto* lstLogs = Find<QListView>(list, "lstLogs");
    ASSERT_NE(lstLogs, nullptr);
    ASSERT_EQ(lstLogs->model()->rowCount(), 1);
    const QRect row = lstLogs->visualRect(lstLogs->model()->index(0, 0));
    QTest::mouseClick(lstLogs->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(LoadedMainWindow()->CurrentLogDate(), date);
    EXPECT_EQ(InputText(), text);
    EXPECT_EQ(LoadedMainWindow()->Mode(), MainWindowMode::Browsing);
}

TEST_F(ProgramTest, SwitchingDoesNothingWhenTheProgramDoesNotRun)
{
    ShowRecordListWindow();
    ReturnToWritingMode();
    ShowIconizedWindow();
    ShowMainWindow();
    EXPECT_TRUE(VisibleWindows().isEmpty());
    EXPECT_EQ(LoadedMainWindow(), nullptr);
    EXPECT_EQ(LoadedIconWindow(), nullptr);
    EXPECT_THROW(GetLogList(), std::logic_error);
}
