// Pictures of the link path dialog and the font dialog for a person to look
// at; runs only when QUILLMERE_SCREENSHOTS names a folder
// (scripts/screenshots/links.sh runs it under Xvfb).
#include "app/MainModule.h"
#include "ui/main/frmFont.h"
#include "ui/main/frmMain.h"
#include "ui/main/frmPath.h"

#include "support/ModalDriverScope.h"
#include "support/ProgramPictures.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class LinkScreenshot : public ::testing::Test {
protected:
    void SetUp() override
    {
        out = ScreenshotFolder();
        if (out.isEmpty())
            GTEST_SKIP() << "QUILLMERE_SCREENSHOTS is not set";
        CopyProgramPictures();
    }
    void Save(QWidget& window, const QString& name)
    {
        EXPECT_TRUE(SaveScreenshot(window, out + u'/' + name)) << name.toStdString();
    }

    TempFolder folder;
    QString out;
};

TEST_F(LinkScreenshot, PathDialog)
{
    ModalDriverScope<frmPath> driver([this](frmPath& d) {
        Save(d, "path.png");
        d.resize(d.width() * 3 / 2, d.height() * 3 / 2);
        Save(d, "path-wide.png");
        d.findChild<QLineEdit*>("txtPath")->setText("https://example.org/資料");
        Save(d, "path-invalid.png");
    });
    frmPath dialog;
    dialog.ShowDialog("関連リンクの設定", "関連リンク", 3, folder.path());
}

TEST_F(LinkScreenshot, FontDialog)
{
    ModalDriverScope<frmFont> driver([this](frmFont& d) { Save(d, "font.png"); });
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSize(12);
    frmFont dialog;
    dialog.ShowDialog(font);
}

TEST_F(LinkScreenshot, MainWindowWithALink)
{
    SetEndHandler({});
    ASSERT_TRUE(StartUpForTesting(folder.path()));
    frmMain& window = MainWindow();
    window.show();
    window.findChild<QPlainTextEdit*>("txtLog")->setPlainText("会議の資料はリンク先にある。");
    window.SetLink(folder.path() + "/資料/議事録.txt");
    Save(window, "main-link.png");
    ShutDown();
}

} // namespace
