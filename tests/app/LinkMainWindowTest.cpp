// The related link, hyperlinks, drops and the font dialog as the main window
// wires them, driven through its controls by object name.
#include "app/MainModule.h"
#include "env/Folders.h"
#include "env/INIFileManager.h"
#include "ui/main/frmFont.h"
#include "ui/main/frmMain.h"
#include "ui/main/frmPath.h"

#include "ui/main/LinkTestSupport.h"
#include "support/ModalDriverScope.h"
#include "support/QtPrinters.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QUrl>
#include <gtest/gtest.h>

#include <optional>

namespace {

class LinkMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetEndHandler({});
        ASSERT_TRUE(StartUpForTesting(dir.path()));
        window = &MainWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        txtLog = window->findChild<QPlainTextEdit*>("txtLog");
        imgLink = window->findChild<QLabel*>("imgLink");
        ASSERT_TRUE(txtLog && imgLink);
        folder = QDir(dir.path()).filePath("資料");
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    void TearDown() override { ShutDown(); }

    // Every link path dialog is answered by the step; returns how many opened.
    int Answer(std::function<void(frmPath&)> step)
    {
        pathDriver.emplace([this, step](frmPath& d) {
            ++dialogs;
            seenTitle = d.windowTitle();
            seenPath = d.findChild<QLineEdit*>("txtPath")->text();
            step(d);
        });
        return dialogs;
    }
    static void Accept(frmPath& d)
    {
        QTest::mouseClick(d.findChild<QPushButton*>("btnSetup"), Qt::LeftButton);
    }
    void DropOnInput(const QMimeData& data)
    {
        QWidget* viewport = txtLog->viewport();
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &enter);
        if (enter.isAccepted()) {
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(viewport, &drop);
        }
        QCoreApplication::processEvents();
    }
    void PressLinkIcon(Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(imgLink, button);
        QTest::mouseRelease(imgLink, button);
    }

    QTemporaryDir dir;
    frmMain* window = nullptr;
    QPlainTextEdit* txtLog = nullptr;
    QLabel* imgLink = nullptr;
    QString folder;
    int dialogs = 0;
    std::optional<ModalDriverScope<frmPath>> pathDriver;
    QString seenTitle;
    QString seenPath;
};

TEST_F(LinkMainWindowTest, DroppedFilesBecomeTheLinkAndNothingIsTyped)
{
    Answer(Accept);
    txtLog->setPlainText("本文");
    const QString first = QDir(dir.path()).filePath("a.txt");
    QFile(first).open(QIODevice::WriteOnly);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(folder)});
    DropOnInput(files);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(seenTitle, "Quillmere -関連リンクの設定 -");
    EXPECT_EQ(seenPath, first);
    EXPECT_EQ(window->CurrentLink(), first);
    EXPECT_TRUE(imgLink->isVisible());
    EXPECT_EQ(imgLink->toolTip(), first);
    EXPECT_EQ(txtLog->toPlainText(), "本文");
}

TEST_F(LinkMainWindowTest, AUrlDropOpensTheDialogButCapitalSchemesAreText)
{
    Answer([](frmPath&) {}); // closed without accepting
    window->SetLink(folder);
    QMimeData url;
    url.setText("http://example.org/");
    DropOnInput(url);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(window->CurrentLink(), folder) << "a cancelled dialog keeps the link";

    txtLog->setPlainText("ab");
    QTextCursor caret = txtLog->textCursor();
    caret.setPosition(1);
    txtLog->setTextCursor(caret);
    QMimeData capital;
    capital.setText("HTTP://example.org/");
    DropOnInput(capital);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(txtLog->toPlainText(), "aHTTP://example.org/b");
}

TEST_F(LinkMainWindowTest, TheLinkMenuOpensEditsAndDeletes)
{
    DesktopRecorder desktop;
    MenuPerson person("mnuLinkOpen");
    const QString hostile = "$(touch " + dir.filePath("ran") + "); a & b";
    window->SetLink(hostile);
    PressLinkIcon(Qt::RightButton);
    ASSERT_EQ(person.menus.size(), 1u);
    EXPECT_EQ(person.menus[0].captions.value(0), QString(hostile).replace("&", "&&"));
    EXPECT_EQ(desktop.opened, QStringList{hostile});
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("ran")));

    Answer([this](frmPath& d) {
        d.findChild<QLineEdit*>("txtPath")->setText(folder);
        Accept(d);
    });
    person.Choose("mnuLinkEdit");
    PressLinkIcon();
    EXPECT_EQ(seenPath, hostile);
    EXPECT_EQ(window->CurrentLink(), folder);

    person.Choose("mnuLinkDelete");
    PressLinkIcon();
    EXPECT_EQ(window->CurrentLink(), "");
    EXPECT_FALSE(imgLink->isVisible());

    // The edit menu item starts from the current link.
    window->findChild<QAction*>("mnuEditSetLink")->trigger();
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(seenPath, "");
}

// A link is shown as written, however much it looks like markup.
TEST_F(LinkMainWindowTest, TheTooltipShowsALinkThatLooksLikeMarkupAsWritten)
{
    for (const QString& link : {QString("<b>x</b> & <i>y"), QString("/tmp/a<br>b"), folder}) {
        window->SetLink(link);
        QTextDocument shown;
        if (Qt::mightBeRichText(imgLink->toolTip()))
            shown.setHtml(imgLink->toolTip());
        else
            shown.setPlainText(imgLink->toolTip());
        EXPECT_EQ(shown.toPlainText(), link);
    }
}

TEST_F(LinkMainWindowTest, InBrowsingModeTheLinkOnlyOpensAndDropsAreNotTaken)
{
    window->SetLink(folder);
    window->SetToBrowsingMode();
    DesktopRecorder desktop;
    MenuPerson person("mnuLinkEdit");
    Answer(Accept);
    PressLinkIcon();
    ASSERT_EQ(person.menus.size(), 1u);
    EXPECT_EQ(person.menus[0].enabled, QList<bool>({true, true, false, false}));
    person.Choose("mnuLinkDelete");
    PressLinkIcon();
    EXPECT_EQ(window->CurrentLink(), folder);
    person.Choose("mnuLinkOpen");
    PressLinkIcon();
    EXPECT_EQ(desktop.opened, QStringList{folder});

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(folder)});
    DropOnInput(files);
    EXPECT_EQ(dialogs, 0);

    // The hyperlink menu still works on the read-only text.
    person.Choose("");
    txtLog->setPlainText("see " + folder);
    QTextCursor selection = txtLog->textCursor();
    selection.setPosition(4);
    selection.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    txtLog->setTextCursor(selection);
    QTest::keyClick(txtLog, Qt::Key_Shift);
    QCoreApplication::processEvents();
    ASSERT_EQ(person.menus.size(), 4u);
    EXPECT_EQ(person.menus.back().menu, "mnuHyperLink");
    EXPECT_FALSE(txtLog->textCursor().hasSelection());
}

TEST_F(LinkMainWindowTest, TheFontIsSavedWhenTheDialogCloses)
{
    const QString section = "Edit/View.Font";
    {
        ModalDriverScope<frmFont> driver([](frmFont& d) {
            auto* sizes = d.findChild<QComboBox*>("lstSize");
            sizes->setCurrentIndex(sizes->findText("20"));
            QTest::keyClick(sizes, Qt::Key_Return);
        });
        window->findChild<QAction*>("mnuSetupFont")->trigger();
    }
    EXPECT_EQ(txtLog->font().pointSize(), 20);
    EXPECT_EQ(ReadSetting(SettingsFilePath(), section, "Size", QString()), "20");
    EXPECT_EQ(ReadSetting(SettingsFilePath(), section, "Name", QString()), txtLog->font().family());

    // Cancelled: the font stays and is written all the same.
    WriteSetting(SettingsFilePath(), section, "Size", 99);
    {
        ModalDriverScope<frmFont> driver([](frmFont& d) {
            auto* sizes = d.findChild<QComboBox*>("lstSize");
            sizes->setCurrentIndex(sizes->findText("8"));
            QTest::keyClick(sizes, Qt::Key_Escape);
        });
        window->findChild<QAction*>("mnuSetupFont")->trigger();
    }
    EXPECT_EQ(txtLog->font().pointSize(), 20);
    EXPECT_EQ(ReadSetting(SettingsFilePath(), section, "Size", QString()), "20");
}

} // namespace
