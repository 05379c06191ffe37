// Pictures of the main window in its three modes after a resize, and of the
// iconized window, for a person to look at; runs only when QUILLMERE_SCREENSHOTS
// names a folder (scripts/screenshots/main.sh runs it under Xvfb).
#include "app/MainModule.h"
#include "env/DateTime.h"
#include "store/LogList.h"
#include "ui/main/frmIcon.h"
#include "ui/main/frmMain.h"

#include "support/ProgramPictures.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MainScreenshot : public ::testing::Test {
protected:
    void SetUp() override
    {
        out = ScreenshotFolder();
        if (out.isEmpty())
            GTEST_SKIP() << "QUILLMERE_SCREENSHOTS is not set";
        CopyProgramPictures();
        SetEndHandler({});
        ASSERT_TRUE(StartUpForTesting(folder.path()));
    }
    void TearDown() override
    {
        if (IsRunning())
            ShutDown();
    }
    void Save(QWidget& window, const QString& name)
    {
        EXPECT_TRUE(SaveScreenshot(window, out + u'/' + name)) << name.toStdString();
    }

    TempFolder folder;
    QString out;
};

TEST_F(MainScreenshot, MainWindowInEachModeAfterAResize)
{
    ASSERT_TRUE(GetLogList().Log(*DateTime::Parse("2024/04/01 09:30:15"), "仕事 会議",
                                 folder.path() + "/資料/議事録.txt",
                                 "定例会議。\r\n次回までに資料をまとめる。"));
    frmMain& window = MainWindow();
    window.show();
    window.RefillCategories();
    auto* text = window.findChild<QPlainTextEdit*>("txtLog");
    text->setPlainText("今日の記録を書いている途中。\n二行目も日本語で。");
    window.findChild<QComboBox*>("lstCategory")->setEditText("日記");
    Save(window, "main-writing-design.png");
    window.resize(640, 420);
    Save(window, "main-writing.png");

    window.SetToBrowsingMode();
    window.ShowLog("2024/04/01 09:30:15");
    Save(window, "main-browsing.png");

    window.findChild<QAction*>("mnuEditToRewritingMode")->trigger();
    Save(window, "main-rewriting.png");
    window.resize(300, 225); // down to the smallest size the window allows
    Save(window, "main-rewriting-small.png");
}

TEST_F(MainScreenshot, IconizedWindow)
{
    ShowIconizedWindow();
    frmIcon* icon = LoadedIconWindow();
    ASSERT_NE(icon, nullptr);
    icon->move(100, 100);
    Save(*icon, "icon.png");
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0, 68, 68, 96, 96);
    EXPECT_TRUE(screen.scaled(384, 384).save(out + "/icon-on-screen-x4.png"));
}

} // namespace
