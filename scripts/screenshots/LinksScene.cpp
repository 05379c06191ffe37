// The link path dialog, the font dialog and the main window with a related link.
#include "Shots.h"

#include "support/ModalDriverScope.h"
#include "ui/main/frmFont.h"
#include "ui/main/frmMain.h"
#include "ui/main/frmPath.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

void PathDialog(Shots& shots)
{
    SceneFolder scene;
    ModalDriverScope<frmPath> driver([&](frmPath& d) {
        shots.Save(d, "path.png");
        d.resize(d.width() * 3 / 2, d.height() * 3 / 2);
        shots.Save(d, "path-wide.png");
        d.findChild<QLineEdit*>("txtPath")->setText("https://example.org/資料");
        shots.Save(d, "path-invalid.png");
    });
    frmPath dialog;
    dialog.ShowDialog("関連リンクの設定", "関連リンク", 3, scene.folder.path());
}

void FontDialog(Shots& shots)
{
    SceneFolder scene;
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSize(12);
    ModalDriverScope<frmFont> driver([&](frmFont& d) { shots.Save(d, "font.png"); });
    frmFont dialog;
    dialog.ShowDialog(font);
}

void MainWindowWithALink(Shots& shots)
{
    SceneFolder scene;
    if (!shots.Check(scene.StartProgram(), QStringLiteral("the program did not start")))
        return;
    frmMain& window = MainWindow();
    window.show();
    window.findChild<QPlainTextEdit*>("txtLog")->setPlainText("会議の資料はリンク先にある。");
    window.SetLink(scene.folder.path() + "/資料/議事録.txt");
    shots.Save(window, "main-link.png");
}

} // namespace

void LinksScene(Shots& shots)
{
    PathDialog(shots);
    FontDialog(shots);
    MainWindowWithALink(shots);
}
