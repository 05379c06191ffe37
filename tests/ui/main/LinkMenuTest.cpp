#include "ui/main/LinkMenu.h"

#include "LinkTestSupport.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class LinkMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu = new LinkMenu(LinkMenu::BuildMenu(&window));
        menu->SetCurrentLink([this] { return link; });
        menu->SetEditLink([this](const QString& path) { edited << path; });
        menu->SetLink([this](const QString& value) { link = value; });
    }

    QWidget window;
    LinkMenu* menu = nullptr;
    QString link = "/home/taro/文書/R&D report.txt";
    QStringList edited;
};

TEST_F(LinkMenuTest, ShowsTheLinkAsItsFirstItemAtTheGivenPoint)
{
    MenuPerson person;
    menu->Show({120, 80});
    ASSERT_EQ(person.menus.size(), 1u);
    EXPECT_EQ(person.menus[0].menu, "mnuLink");
    EXPECT_EQ(person.menus[0].at, QPoint(120, 80));
    // "&" is doubled so it shows as itself and makes no mnemonic.
    EXPECT_EQ(person.menus[0].captions,
              QStringList({"/home/taro/文書/R&&D report.txt", "-", "編集 ...", "削除"}));
    EXPECT_EQ(window.findChild<QMenu*>("mnuLink"), menu->Menu());
    EXPECT_EQ(menu->Menu()->title(), "関連リンク");
    EXPECT_EQ(LinkMenu::CaptionFor("a\tb\nc"), "a b c");
}

TEST_F(LinkMenuTest, OpenEditAndDelete)
{
    DesktopRecorder desktop;
    MenuPerson person("mnuLinkOpen");
    menu->Show({});
    EXPECT_EQ(desktop.opened, QStringList{link});

    person.Choose("mnuLinkEdit");
    menu->Show({});
    EXPECT_EQ(edited, QStringList{link});

    person.Choose("mnuLinkDelete");
    menu->Show({});
    EXPECT_EQ(link, "");
    EXPECT_EQ(desktop.opened.size(), 1);
}

// The real opener with a stand-in xdg-open first on the search path: the
// link arrives as one argument, and nothing in it is run by a shell.
TEST_F(LinkMenuTest, OpeningALinkRunsNothingThatIsWrittenInIt)
{
    QTemporaryDir bin;
    const QString log = bin.filePath("arguments");
    const QString marker = bin.filePath("ran");
    {
        QFile script(bin.filePath("xdg-open"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" + log +
                      ".part'\n"
                      "mv '" +
                      log + ".part' '" + log + "'\n")
                         .toUtf8());
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ":" + oldPath);

    MenuPerson person("mnuLinkOpen");
    const QString links[] = {"$(touch " + marker + ")", "a; touch " + marker,
                             "`touch " + marker + "` | touch " + marker};
    for (const QString& hostile : links) {
        QFile::remove(log);
        link = hostile;
        menu->Show({});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(log), 10000);
        QFile written(log);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(written.readAll()), "1\n" + hostile + "\n");
    }
    qputenv("PATH", oldPath);
    EXPECT_FALSE(QFileInfo::exists(marker));
}

} // namespace
