// The main window in writing mode: its menus and arrangement, the record
// commands, recording and what the user is told when a record cannot be stored.
#include "MainWindowFixture.h"

#include "env/FSOHelper.h"
#include "env/INIFileManager.h"
#include "env/System.h"
#include "support/ProgramPictures.h"
#include "support/QtPrinters.h"
#include "support/RecordingMessageService.h"
#include "support/TempFolder.h"
#include "ui/controls/ProgramVersion.h"
#include "ui/controls/Twips.h"
#include "ui/main/InputAreaText.h"
#include "ui/main/ManualWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

#include <cmath>

namespace {

using MainWindowTest = MainWindowFixture;

QRect InTwips(const QWidget* widget)
{
    const QRect r = widget->geometry();
    auto x = [](int px) { return static_cast<int>(std::lround(Twips::FromPixelsX(px))); };
    auto y = [](int px) { return static_cast<int>(std::lround(Twips::FromPixelsY(px))); };
    return {x(r.x()), y(r.y()), x(r.width()), y(r.height())};
}

TEST_F(MainWindowTest, MenuBarHoldsTheFourMenusAndThePopUpsStayOff)
{
    QStringList bar;
    for (QAction* action : window->menuBar()->actions())
        bar << action->menu()->objectName() + "=" + action->text();
    EXPECT_EQ(bar, QStringList({"mnuProgram=プログラム(&P)", "mnuEdit=編集(&E)",
                                "mnuSetup=設定(&S)", "mnuHelp=ヘルプ(&H)"}));

    auto items = [this](const char* menu) {
        QStringList names;
        for (QAction* a : window->findChild<QMenu*>(menu)->actions())
            names << (a->objectName().isEmpty() ? "?" : a->objectName());
        return names;
    };
    EXPECT_EQ(items("mnuEdit"),
              QStringList({"mnuEditCopyAll", "mnuEditClear", "mnuEditLog_bar", "mnuEditSetLink",
                           "mnuEditToRewritingMode", "mnuEditDelete", "mnuEditLog"}));
    EXPECT_EQ(items("mnuLink"),
              QStringList({"mnuLinkOpen", "mnuLink_", "mnuLinkEdit", "mnuLinkDelete"}));
    EXPECT_EQ(Action("mnuHelpVersion")->text(), "版情報 : ver 1.3 (2001/10/13)");
    EXPECT_EQ(window->windowTitle(), ApplicationTitle() + " - 記録 -");
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_F(MainWindowTest, ShortcutsRunTheirCommands)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    txtLog->setFocus();
    QTest::keyClicks(txtLog, "note");
    QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(txtLog->toPlainText(), "") << "Ctrl+N clears";

    QTest::keyClicks(txtLog, "kept");
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(GetLogList().LogDates().Count(), 1) << "Ctrl+S records";
    EXPECT_EQ(txtLog->toPlainText(), "");

    QTest::keyClick(window, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(window->Mode(), MainWindowMode::Browsing);
    QTest::keyClick(window, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(window->Mode(), MainWindowMode::Writing);

    QTest::keyClick(window, Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(IsIconized());
    EXPECT_TRUE(IsRunning()) << "iconizing keeps the program running";
}

TEST_F(MainWindowTest, TheLayoutFollowsEveryResize)
{
    // First start: the interior below the menu bar has the design size.
    EXPECT_NEAR(window->centralWidget()->width(), frmMainLayout::DesignWidth, 1);
    EXPECT_NEAR(window->centralWidget()->height(), frmMainLayout::DesignHeight, 1);
    for (const QSize size : {QSize(520, 400), QSize(900, 640), QSize(400, 260)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        const QWidget* interior = window->centralWidget();
        const int W = static_cast<int>(std::lround(Twips::FromPixelsX(interior->width())));
        const int H = static_cast<int>(std::lround(Twips::FromPixelsY(interior->height())));
        const int slack = 16; // one pixel of rounding either way
        auto near = [slack](const QRect& got, const QRect& want) {
            return std::abs(got.x() - want.x()) < slack && std::abs(got.y() - want.y()) < slack &&
                   std::abs(got.width() - want.width()) < slack &&
                   std::abs(got.height() - want.height()) < slack;
        };
        EXPECT_PRED2(near, InTwips(txtLog), QRect(150, 150, W - 300, H - 1665))
            << size.width() << "x" << size.height();
        EXPECT_PRED2(near, InTwips(window->findChild<QWidget*>("gbData")),
                     QRect(150, H - 1440, W - 300, 1290))
            << size.width() << "x" << size.height();
        EXPECT_PRED2(near, InTwips(lstCategory), QRect(0, 675, W - 3015, 315))
            << size.width() << "x" << size.height();
        EXPECT_PRED2(near, InTwips(window->findChild<QWidget*>("gbButtons")),
                     QRect(W - 2715, H - 795, 2565, 615))
            << size.width() << "x" << size.height();
        const QWidget* rg = window->findChild<QWidget*>("rg");
        EXPECT_EQ(rg->geometry().bottomRight(), interior->rect().bottomRight())
            << size.width() << "x" << size.height();
    }
}

TEST_F(MainWindowTest, TabAndShiftTabLeaveTheInputAreaWithoutTypingATab)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    txtLog->setFocus();
    QTest::keyClicks(txtLog, "a");
    const QList<QWidget*> order = {txtLog, lstCategory, btnLog, btnView, btnIconize};
    // The category box's own line edit counts as the box.
    auto focused = [] {
        QWidget* w = QApplication::focusWidget();
        return w && qobject_cast<QComboBox*>(w->parentWidget()) ? w->parentWidget() : w;
    };
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focused(), order[i]) << "step " << i;
    }
    lstCategory->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), txtLog);
    QTest::keyClick(txtLog, Qt::Key_Tab);
    EXPECT_EQ(txtLog->toPlainText(), "a");
    EXPECT_FALSE(txtDate->focusPolicy() & Qt::TabFocus) << "the date display is no tab stop";
}

TEST_F(MainWindowTest, RecordCommandsFollowTheTextAloneNotCategoryOrLink)
{
    auto commands = [this] {
        return QList<bool>{btnLog->isEnabled(), Action("mnuEditLog")->isEnabled(),
                           Action("mnuEditClear")->isEnabled(),
                           Action("mnuEditCopyAll")->isEnabled()};
    };
    const QList<bool> off{false, false, false, false}, on{true, true, true, true};
    EXPECT_EQ(commands(), off);
    TypeCategory("仕事");
    window->SetLink(dir.path());
    EXPECT_EQ(commands(), off) << "category and link alone record nothing";
    Type(txtLog, "あ");
    EXPECT_EQ(commands(), on);
    QTest::keyClick(txtLog, Qt::Key_Backspace);
    EXPECT_EQ(txtLog->toPlainText(), "");
    EXPECT_EQ(commands(), off);

    Type(txtLog, "全文");
    Action("mnuEditCopyAll")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "全文");
    Action("mnuEditClear")->trigger();
    EXPECT_EQ(txtLog->toPlainText(), "");
    EXPECT_EQ(lstCategory->currentText(), "");
    EXPECT_EQ(window->CurrentLink(), "");
    EXPECT_FALSE(imgLink->isVisible());
}

TEST_F(MainWindowTest, RecordingStoresOneRecordStampedToTheSecondAndClearsTheInput)
{
    Type(txtLog, "一行目\n二行目");
    TypeCategory("旅行 京都");
    window->SetLink(dir.path());
    const DateTime before = DateTime::Now();
    Click(btnLog);
    Click(btnLog); // the second press finds the commands disabled
    const DateTime after = DateTime::Now();

    ASSERT_EQ(GetLogList().LogDates().Count(), 1);
    const DateTime stamp = GetLogList().LogDates().Item(0);
    EXPECT_LE(before, stamp);
    EXPECT_LE(stamp, after);
    const ::Log* log = GetLogList().Item(stamp);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->LogDate(), stamp) << "the record keeps the second, not the shown minute";
    EXPECT_EQ(log->Text(), "一行目\r\n二行目");
    EXPECT_EQ(log->Category(), "旅行 京都");
    EXPECT_EQ(log->Link(), dir.path());

    EXPECT_EQ(txtLog->toPlainText(), "");
    EXPECT_EQ(lstCategory->currentText(), "");
    EXPECT_EQ(window->CurrentLink(), "");
    EXPECT_FALSE(btnLog->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const QStringList items = CategoryItems();
    EXPECT_TRUE(items.contains("旅行") && items.contains("京都")) << qPrintable(items.join(','));

    // What another record book reads from disk is what was recorded.
    LogList fresh(DataFolderPath());
    const ::Log* onDisk = fresh.Item(stamp);
    ASSERT_NE(onDisk, nullptr);
    EXPECT_EQ(onDisk->Text(), "一行目\r\n二行目");
}

TEST_F(MainWindowTest, AnEmptyCategoryAndNoLinkAreStoredEmpty)
{
    Store("2020/01/02 03:04:05", "zeta", "", "z");
    Store("2020/01/02 03:04:06", "Alpha beta", "", "a");
    window->RefillCategories();
    EXPECT_EQ(CategoryItems(), QStringList({"Alpha", "Alpha beta", "beta", "zeta"}))
        << "sorted, case aside";

    Type(txtLog, "only text");
    Click(btnLog);
    ASSERT_EQ(GetLogList().LogDates().Count(), 3);
    const ::Log* log = GetLogList().Item(GetLogList().LogDates().Item(2));
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->Category(), "");
    EXPECT_EQ(log->Link(), "");
    EXPECT_EQ(CategoryItems().size(), 4) << "an empty category adds nothing";
}

// The record book refuses the write; the user is told, and nothing typed is lost.
TEST_F(MainWindowTest, AFailedSaveOfTheMonthFileKeepsTheInputAndSaysSo)
{
    RecordingMessageService messages;
    const DateTime now = DateTime::Now();
    // A record of this month makes the month file; then it may no longer be written.
    const DateTime earlier = DateTime::FromParts(now.Year(), now.Month(), 1, 0, 0, 0);
    ASSERT_TRUE(GetLogList().Log(earlier, "", "", "first"));
    const QString month = GetLogList().GetDataFilePath(now);
    ASSERT_TRUE(QFile::exists(month)) << qPrintable(month);
    ASSERT_TRUE(QFile::setPermissions(month, QFile::ReadOwner));
    const QByteArray before = TempFolder::ReadBytes(month);

    Type(txtLog, "大事な文");
    TypeCategory("分類A");
    window->SetLink(dir.path());
    Click(btnLog);

    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, ApplicationTitle());
    EXPECT_TRUE(messages.shown[0].text.startsWith("記録を保存できませんでした。"))
        << qPrintable(messages.shown[0].text);
    EXPECT_TRUE(messages.shown[0].text.contains(month));
    EXPECT_TRUE(messages.shown[0].text.contains("入力した内容はそのまま残っています。"));
    EXPECT_EQ(txtLog->toPlainText(), "大事な文");
    EXPECT_EQ(lstCategory->currentText(), "分類A");
    EXPECT_EQ(window->CurrentLink(), dir.path());
    EXPECT_TRUE(btnLog->isEnabled()) << "the user can try again";
    EXPECT_TRUE(Action("mnuEditLog")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(GetLogList().LogDates().Count(), 1);
    EXPECT_EQ(TempFolder::ReadBytes(month), before);

    // Writable again, the same input goes in.
    ASSERT_TRUE(QFile::setPermissions(month, QFile::ReadOwner | QFile::WriteOwner));
    Click(btnLog);
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(GetLogList().LogDates().Count(), 2);
    EXPECT_EQ(txtLog->toPlainText(), "");
}

TEST_F(MainWindowTest, AMonthFileThatDoesNotParseIsShownOnceBeforeTheFailure)
{
    RecordingMessageService messages;
    const QString month = GetLogList().GetDataFilePath(DateTime::Now());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(month).absolutePath()));
    TempFolder::WriteBytes(month, "<?xml version=\"1.0\"?>\r\n<diary><log date=");

    Type(txtLog, "大事な文");
    Click(btnLog);
    Click(btnLog);

    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_TRUE(
        messages.shown[0].text.startsWith("XML データファイルの操作中に不具合が生じました。"))
        << qPrintable(messages.shown[0].text);
    EXPECT_EQ(messages.shown[0].title, ApplicationTitle());
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    for (int i : {1, 2}) {
        EXPECT_TRUE(messages.shown[i].text.contains("壊れていて読み込めない"))
            << qPrintable(messages.shown[i].text);
        EXPECT_EQ(messages.shown[i].icon, MessageIcon::Warning);
    }
    EXPECT_EQ(txtLog->toPlainText(), "大事な文");
}

TEST_F(MainWindowTest, ARecordWhoseListCannotBeWrittenIsStoredAndTheRepairNamed)
{
    RecordingMessageService messages;
    const QString dates = GetLogList().LogDatesPath();
    ASSERT_TRUE(QFile::setPermissions(dates, QFile::ReadOwner));
    Type(txtLog, "大事な文");
    Click(btnLog);
    QFile::setPermissions(dates, QFile::ReadOwner | QFile::WriteOwner);

    ASSERT_EQ(messages.shown.size(), 1);
    const QString& text = messages.shown[0].text;
    EXPECT_TRUE(text.startsWith("記録は保存しました。")) << qPrintable(text);
    EXPECT_TRUE(text.contains(dates));
    EXPECT_TRUE(text.contains("ツール → ログリストの修復"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(txtLog->toPlainText(), "");
    EXPECT_EQ(GetLogList().LogDates().Count(), 1);
}

TEST_F(MainWindowTest, TheDateDisplayShowsTheMinuteAndTicksEverySecond)
{
    const QRegularExpression minute("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}$");
    EXPECT_TRUE(minute.match(txtDate->text()).hasMatch()) << qPrintable(txtDate->text());
    EXPECT_TRUE(tmrDate->isActive());
    EXPECT_EQ(tmrDate->interval(), 1000);
    EXPECT_TRUE(txtDate->isReadOnly());

    Store("2019/05/06 07:08:09", "", "", "x");
    window->ShowLog("2019/05/06 07:08:09");
    EXPECT_FALSE(tmrDate->isActive());
    window->SetToWritingMode();
    EXPECT_EQ(txtDate->text(), "2019/05/06 07:08:09") << "kept until the next tick";
    QTRY_VERIFY_WITH_TIMEOUT(minute.match(txtDate->text()).hasMatch(), 3000);
}

TEST_F(MainWindowTest, ExitEndsTheProgramAndKeepsTheUnsentInput)
{
    Type(txtLog, "unsent");
    Action("mnuProgramExit")->trigger();
    EXPECT_FALSE(IsRunning());
    EXPECT_EQ(LoadedMainWindow(), nullptr);
    PrepareFoldersIn(dir.path());
    EXPECT_EQ(ReadTextFile(InputAreaPath(), false), InputAreaText::FileContent("unsent", "", ""));
}

TEST_F(MainWindowTest, PlacementAndInputFontComeBackOnTheNextLoad)
{
    window->move(140, 90);
    window->resize(600, 450);
    WriteSetting(SettingsFilePath(), "Edit/View.Font", "Size", "10.5");
    ShowIconizedWindow();
    EXPECT_EQ(ReadSetting(SettingsFilePath(), "frmMain", "Left", QString()), "140");
    EXPECT_EQ(ReadSetting(SettingsFilePath(), "frmMain", "Top", QString()), "90");

    ShowMainWindow();
    ASSERT_NE(LoadedMainWindow(), nullptr);
    Find(*LoadedMainWindow());
    EXPECT_EQ(window->pos(), QPoint(140, 90));
    EXPECT_EQ(window->size(), QSize(600, 450));
    EXPECT_DOUBLE_EQ(txtLog->font().pointSizeF(), 10.5);
    EXPECT_EQ(txtLog->font().family(), "MS UI Gothic") << "the design face by default";
}

TEST_F(MainWindowTest, TheHelpItemsOpenTheManualAndTheWebPage)
{
    QStringList opened;
    bool desktopOpens = true;
    SetShellOpenerForTesting([&](const QString& target) {
        opened << target;
        return desktopOpens;
    });
    const QString manualPath = ProgramFolderPath() + "/readme.html";
    ASSERT_TRUE(QFile::copy(QUILLMERE_TEST_DATA "/../../resources/readme.html", manualPath));
    Action("mnuHelpShowManualIndex")->trigger();
    Action("mnuHelpGotoWebsite")->trigger();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], manualPath);
    if (WebsiteAddress().isEmpty()) // the manual's section on new versions instead
        EXPECT_EQ(QUrl(opened[1]), QUrl::fromLocalFile(manualPath).resolved(QUrl("#newversion")));
    else
        EXPECT_EQ(opened[1], WebsiteAddress());
    EXPECT_EQ(window->LoadedManualWindow(), nullptr) << "the desktop showed the manual";

    // Nothing on the desktop opens it: the program shows the manual itself.
    desktopOpens = false;
    window->GotoWebsite();
    ManualWindow* manual = window->LoadedManualWindow();
    if (!WebsiteAddress().isEmpty()) {
        EXPECT_EQ(manual, nullptr) << "a failed web page is not the manual";
        window->ShowManual("newversion");
        manual = window->LoadedManualWindow();
    }
    ASSERT_NE(manual, nullptr);
    QTextBrowser* browser = manual->Browser();
    EXPECT_TRUE(manual->isVisible());
    EXPECT_TRUE(browser->isReadOnly());
    EXPECT_TRUE(browser->toPlainText().contains("取扱説明書"));
    const int atSection = browser->verticalScrollBar()->value();
    EXPECT_GT(atSection, 0) << "scrolled to the section on new versions";

    // A link to a place in the manual moves within it; any other goes to the desktop.
    opened.clear();
    emit browser->anchorClicked(QUrl("#contents"));
    EXPECT_LT(browser->verticalScrollBar()->value(), atSection);
    emit browser->anchorClicked(QUrl("https://www.debian.org/"));
    EXPECT_EQ(opened, QStringList({"https://www.debian.org/"}));
    EXPECT_EQ(browser->source(), QUrl::fromLocalFile(manualPath));
    // F1 again brings the same window back to the top of the manual.
    Action("mnuHelpShowManualIndex")->trigger();
    EXPECT_EQ(window->LoadedManualWindow(), manual);
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
    SetShellOpenerForTesting({});
}

TEST_F(MainWindowTest, LoadingTakesThePicturesAndSkipsAStepThatFails)
{
    EXPECT_TRUE(btnLog->icon().isNull()) << "no icon folder: buttons without pictures";
    const QDir icons(ProjectIconFolder());
    ASSERT_TRUE(QDir().mkpath(IconFolderPath()));
    for (const char* name : {"pencil.bmp", "eye.bmp", "iconize.bmp", "link.ico"})
        ASSERT_TRUE(QFile::copy(icons.filePath(name), IconFolderPath() + name)) << name;
    // A placement that does not convert stops only the placement step.
    WriteSetting(SettingsFilePath(), "frmMain", "Left", "left");
    WriteSetting(SettingsFilePath(), "Edit/View.Font", "Size", "14");
    Restart();
    ASSERT_NE(window, nullptr);
    for (QToolButton* button : {btnLog, btnView, btnIconize})
        EXPECT_FALSE(button->icon().isNull()) << qPrintable(button->objectName());
    EXPECT_FALSE(imgLink->pixmap().isNull());
    EXPECT_EQ(txtLog->font().pointSize(), 14);
    EXPECT_EQ(window->Mode(), MainWindowMode::Writing);
}

} // namespace
