// The main window in writing, browsing and rewriting mode after a resize, and
// the iconized window.
#include "Shots.h"

#include "env/DateTime.h"
#include "store/LogList.h"
#include "ui/main/frmIcon.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>

namespace {

void EachModeAfterAResize(Shots& shots)
{
    SceneFolder scene;
    if (!shots.Check(scene.StartProgram(), QStringLiteral("the program did not start")))
        return;
    shots.Check(bool(GetLogList().Log(*DateTime::Parse("2024/04/01 09:30:15"), "仕事 会議",
                                      scene.folder.path() + "/資料/議事録.txt",
                                      "定例会議。\r\n次回までに資料をまとめる。")),
                QStringLiteral("the record was not stored"));
    frmMain& window = MainWindow();
    window.show();
    window.RefillCategories();
    auto* text = window.findChild<QPlainTextEdit*>("txtLog");
    text->setPlainText("今日の記録を書いている途中。\n二行目も日本語で。");
    window.findChild<QComboBox*>("lstCategory")->setEditText("日記");
    shots.Save(window, "main-writing-design.png");
    window.resize(640, 420);
    shots.Save(window, "main-writing.png");

    window.SetToBrowsingMode();
    window.ShowLog("2024/04/01 09:30:15");
    shots.Save(window, "main-browsing.png");

    window.findChild<QAction*>("mnuEditToRewritingMode")->trigger();
    shots.Save(window, "main-rewriting.png");
    window.resize(300, 225); // down to the smallest size the window allows
    shots.Save(window, "main-rewriting-small.png");
}

void IconizedWindow(Shots& shots)
{
    SceneFolder scene;
    if (!shots.Check(scene.StartProgram(), QStringLiteral("the program did not start")))
        return;
    ShowIconizedWindow();
    frmIcon* icon = LoadedIconWindow();
    if (!shots.Check(icon != nullptr, QStringLiteral("no iconized window")))
        return;
    icon->move(100, 100);
    shots.Save(*icon, "icon.png");
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0, 68, 68, 96, 96);
    shots.Save(screen.scaled(384, 384), "icon-on-screen-x4.png");
}

} // namespace

void MainScene(Shots& shots)
{
    EachModeAfterAResize(shots);
    IconizedWindow(shots);
}
