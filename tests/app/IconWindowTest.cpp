// The iconized window: its menu, topmost state, moving by a left drag,
// placement across iconizings and runs, and the ways back and out.
#include "MainWindowFixture.h"

#include "ui/main/LinkTestSupport.h"
#include "env/INIFileManager.h"
#include "support/QtPrinters.h"
#include "ui/main/frmIcon.h"

#include <QMenu>

namespace {

class IconWindowTest : public MainWindowFixture {
protected:
    frmIcon* Iconize()
    {
        ShowIconizedWindow();
        frmIcon* icon = LoadedIconWindow();
        EXPECT_NE(icon, nullptr);
        if (icon) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(icon));
        }
        return icon;
    }
    // The pop-up menu at the window, answered with the item of that name.
    std::vector<MenuPerson::Shown> Choose(frmIcon* icon, const char* item)
    {
        MenuPerson person(QString::fromLatin1(item));
        QTest::mouseClick(icon, Qt::RightButton, {}, QPoint(10, 10));
        return person.menus;
    }
    QString Setting(const char* key)
    {
        return ReadSetting(SettingsFilePath(), "frmIcon", QString::fromLatin1(key), QString());
    }
};

TEST_F(IconWindowTest, ABorderlessSquareWithItsMenuAtTheRightButton)
{
    frmIcon* icon = Iconize();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadedMainWindow(), nullptr) << "the main window is unloaded";
    EXPECT_EQ(icon->objectName(), "frmIcon");
    EXPECT_TRUE(icon->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(icon->size(), QSize(32, 32));

    const auto menus = Choose(icon, "");
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].menu, "mnuCommand");
    EXPECT_EQ(menus[0].captions, QStringList({"常に手前に表示(&T)", "-", "入力モードに移行(&I)",
                                              "閲覧モードに移行(&B)", "-", "終了(&X)"}));
    EXPECT_EQ(menus[0].at, icon->mapToGlobal(QPoint(10, 10)));
    // Other buttons offer nothing.
    MenuPerson none;
    QTest::mouseClick(icon, Qt::MiddleButton, {}, QPoint(10, 10));
    EXPECT_TRUE(none.menus.empty());
}

TEST_F(IconWindowTest, TopmostIsTickedAppliedAndKeptForTheNextIconizing)
{
    frmIcon* icon = Iconize();
    ASSERT_NE(icon, nullptr);
    QAction* topmost = icon->findChild<QAction*>("mnuCommandTopmost");
    ASSERT_NE(topmost, nullptr);
    EXPECT_FALSE(topmost->isChecked());
    Choose(icon, "mnuCommandTopmost");
    EXPECT_TRUE(topmost->isChecked());
    EXPECT_TRUE(icon->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(icon->isVisible()) << "toggling does not hide the window";

    ShowMainWindow();
    EXPECT_EQ(Setting("Topmost").toLower(), "true");
    icon = Iconize();
    ASSERT_NE(icon, nullptr);
    topmost = icon->findChild<QAction*>("mnuCommandTopmost");
    EXPECT_TRUE(topmost->isChecked());
    EXPECT_TRUE(icon->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    Choose(icon, "mnuCommandTopmost");
    EXPECT_FALSE(topmost->isChecked());
    EXPECT_FALSE(icon->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(IconWindowTest, ALeftDragMovesItAndThePlaceSurvivesARestart)
{
    frmIcon* icon = Iconize();
    ASSERT_NE(icon, nullptr);
    const QPoint start = icon->pos();
    QTest::mousePress(icon, Qt::LeftButton, {}, QPoint(5, 5));
    // Where no window manager moves it (offscreen), the window follows the mouse.
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(icon, QPoint(5 + 10 * step, 5 + 5 * step));
    QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    const QPoint moved = icon->pos();
    EXPECT_NE(moved, start);
    EXPECT_FALSE(icon->IsFollowingMouse()) << "released";

    Restart(); // leaving from the iconized window starts it iconized
    EXPECT_EQ(LoadedMainWindow(), nullptr);
    icon = LoadedIconWindow();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->pos(), moved);
}

TEST_F(IconWindowTest, DoubleClickReturnsToWritingWithTheUnsentInput)
{
    Type(txtLog, "途中の文");
    window->SetLink(dir.path());
    frmIcon* icon = Iconize();
    ASSERT_NE(icon, nullptr);
    QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(8, 8));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(LoadedIconWindow(), nullptr);
    EXPECT_FALSE(IsIconized());
    ASSERT_NE(LoadedMainWindow(), nullptr);
    Find(*LoadedMainWindow());
    EXPECT_EQ(window->Mode(), MainWindowMode::Writing);
    EXPECT_EQ(txtLog->toPlainText(), "途中の文");
    EXPECT_EQ(window->CurrentLink(), dir.path());
}

TEST_F(IconWindowTest, TheMenuReturnsToWritingOrBrowsing)
{
    frmIcon* icon = Iconize();
    ASSERT_NE(icon, nullptr);
    Choose(icon, "mnuCommandReturnToMain");
    ASSERT_NE(LoadedMainWindow(), nullptr);
    EXPECT_EQ(LoadedMainWindow()->Mode(), MainWindowMode::Writing);
    EXPECT_TRUE(LoadedMainWindow()->isVisible());
    EXPECT_EQ(LoadedIconWindow(), nullptr);

    icon = Iconize();
    ASSERT_NE(icon, nullptr);
    Choose(icon, "mnuCommandReturnToBrowse");
    ASSERT_NE(LoadedMainWindow(), nullptr);
    EXPECT_EQ(LoadedMainWindow()->Mode(), MainWindowMode::Browsing);
    EXPECT_FALSE(IsIconized());
}

TEST_F(IconWindowTest, ExitAndTheSystemsCloseEndTheProgramIconized)
{
    frmIcon* icon = Iconize();
    ASSERT_NE(icon, nullptr);
    Choose(icon, "mnuCommandExit");
    EXPECT_FALSE(IsRunning());
    EXPECT_EQ(ReadSetting(SettingsFilePath(), "Quillmere", "Iconize", QString()).toLower(), "true");

    // Closed by the system, it does not leave the program running without a window.
    Start();
    icon = LoadedIconWindow();
    ASSERT_NE(icon, nullptr);
    icon->move(123, 77);
    icon->close();
    EXPECT_FALSE(IsRunning());
    EXPECT_EQ(Setting("Left"), "123");
    EXPECT_EQ(Setting("Top"), "77");
}

TEST_F(IconWindowTest, AStoredPlacementThatDoesNotReadLeavesItUsable)
{
    WriteSetting(SettingsFilePath(), "frmIcon", "Left", "far away");
    WriteSetting(SettingsFilePath(), "frmIcon", "Topmost", "True");
    frmIcon* icon = Iconize();
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->isVisible());
    // The restore stopped before "Topmost": the tick tells the state as it is.
    QAction* topmost = icon->findChild<QAction*>("mnuCommandTopmost");
    EXPECT_EQ(topmost->isChecked(), icon->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    Choose(icon, "mnuCommandReturnToMain");
    EXPECT_NE(LoadedMainWindow(), nullptr);
}

} // namespace
