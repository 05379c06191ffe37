#include "ui/main/frmPath.h"

#include "env/MessageService.h"
#include "support/ModalDriverScope.h"
#include "support/QtPrinters.h"
#include "support/RecordingMessageService.h"
#include "support/TempFolder.h"
#include "ui/controls/Twips.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>

namespace {

class PathDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = folder.file("メモ.txt");
        TempFolder::WriteBytes(file, "x");
        sub = folder.file("資料");
        ASSERT_TRUE(QDir().mkpath(sub));
    }

    // Shows the dialog with the kind and initial path and lets the step act.
    void Run(int type, const QString& initial, const std::function<void(frmPath&)>& step)
    {
        bool ran = false;
        ModalDriverScope<frmPath> driver([&](frmPath& dialog) {
            ran = true;
            step(dialog);
        });
        frmPath dialog;
        dialog.ShowDialog("関連リンクの設定", "関連リンク", type, initial);
        canceled = dialog.Canceled();
        path = dialog.Path();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.PathType(), type);
    }
    static QLineEdit* Box(frmPath& d) { return d.findChild<QLineEdit*>("txtPath"); }
    static QPushButton* Setup(frmPath& d) { return d.findChild<QPushButton*>("btnSetup"); }
    static void Type(frmPath& d, const QString& text)
    {
        Box(d)->clear();
        Box(d)->insert(text);
    }
    static bool Drop(QWidget* target, const QMimeData& data)
    {
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }

    TempFolder folder;
    QString file;
    QString sub;
    bool canceled = false;
    QString path = "unset";
};

TEST_F(PathDialogTest, CaptionLabelAndStartState)
{
    Run(3, "", [](frmPath& d) {
        EXPECT_EQ(d.windowTitle(), "Quillmere -関連リンクの設定 -");
        EXPECT_EQ(d.findChild<QLabel*>("lblPath")->text(), "関連リンク");
        EXPECT_FALSE(Setup(d)->isEnabled());
        EXPECT_TRUE(Setup(d)->isDefault());
        // Enter with nothing acceptable does nothing.
        QTest::keyClick(Box(d), Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_TRUE(canceled);
    EXPECT_EQ(path, "");
}

TEST_F(PathDialogTest, TheSetupButtonFollowsTheKind)
{
    struct Case {
        QString text;
        bool file, folder, url, any;
    } cases[] = {
        {file, true, false, false, true},
        {sub, false, true, false, true},
        {"mailto:someone@example.org", false, false, true, true},
        {"https://example.org", false, false, true, true},
        {"Https://example.org", false, false, false, false},
        {file + "2", false, false, false, false},
        {"   ", false, false, false, false},
    };
    for (int type = 0; type < 4; ++type) {
        Run(type, "", [&](frmPath& d) {
            for (const Case& c : cases) {
                Type(d, c.text);
                const bool expected = type == 0   ? c.file
                                      : type == 1 ? c.folder
                                      : type == 2 ? c.url
                                                  : c.any;
                EXPECT_EQ(Setup(d)->isEnabled(), expected) << type << " " << c.text.toStdString();
            }
        });
    }
}

TEST_F(PathDialogTest, AnInitialPathIsValidatedAtOnce)
{
    Run(3, file, [](frmPath& d) { EXPECT_TRUE(Setup(d)->isEnabled()); });
    Run(0, sub, [](frmPath& d) { EXPECT_FALSE(Setup(d)->isEnabled()); });
}

TEST_F(PathDialogTest, AnUnknownKindLeavesTheButtonAsItWas)
{
    Run(7, "", [&](frmPath& d) {
        Type(d, file);
        EXPECT_FALSE(Setup(d)->isEnabled());
        // Blank text still disables it.
        Setup(d)->setEnabled(true);
        Type(d, " ");
        EXPECT_FALSE(Setup(d)->isEnabled());
    });
}

TEST_F(PathDialogTest, ABlankAtTheEndIsAcceptedOnlyWhenTheNameHasIt)
{
    // The folder test forgives the blank, so the button is enabled, but no such
    // folder exists: the user is told, and the dialog stays open.
    RecordingMessageService messages;
    Run(1, sub + " ", [](frmPath& d) {
        EXPECT_TRUE(Setup(d)->isEnabled());
        QTest::mouseClick(Setup(d), Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_TRUE(canceled);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text,
              "パスの前後の空白も名前の一部として扱われます。\r\n「" + sub +
                  " 」という名前のファイルやフォルダーはありません。空白を取り除いてから設定して"
                  "ください。");
    EXPECT_EQ(messages.shown[0].title, "Quillmere");

    ASSERT_TRUE(QDir().mkpath(sub + " "));
    Run(1, sub + " ", [](frmPath& d) { QTest::mouseClick(Setup(d), Qt::LeftButton); });
    EXPECT_FALSE(canceled);
    EXPECT_EQ(path, sub + " ");
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST_F(PathDialogTest, EnterAccepts)
{
    Run(3, "", [](frmPath& d) {
        Type(d, "ftp://example.org/x");
        QTest::keyClick(Box(d), Qt::Key_Return);
    });
    EXPECT_FALSE(canceled);
    EXPECT_EQ(path, "ftp://example.org/x");
}

TEST_F(PathDialogTest, EveryWayOfCancellingGivesCanceledAndNoPath)
{
    const std::function<void(frmPath&)> cancels[] = {
        [](frmPath& d) {
            QTest::mouseClick(d.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
        },
        [](frmPath& d) { QTest::keyClick(Box(d), Qt::Key_Escape); },
        [](frmPath& d) { d.close(); },
        [](frmPath&) {},
    };
    for (const auto& cancel : cancels) {
        Run(3, file, [&](frmPath& d) {
            EXPECT_TRUE(Setup(d)->isEnabled());
            cancel(d);
        });
        EXPECT_TRUE(canceled);
        EXPECT_EQ(path, "");
    }
}

TEST_F(PathDialogTest, DropsOfFilesAndUrlsReplaceTheText)
{
    Run(3, "", [&](frmPath& d) {
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(file), QUrl::fromLocalFile(sub)});
        EXPECT_TRUE(Drop(Box(d), files));
        EXPECT_EQ(Box(d)->text(), file);
        EXPECT_TRUE(Setup(d)->isEnabled());

        QMimeData plain;
        plain.setText("ordinary words");
        EXPECT_FALSE(Drop(Box(d), plain));
        EXPECT_EQ(Box(d)->text(), file);

        QMimeData url;
        url.setText("https://example.org/a");
        EXPECT_TRUE(Drop(Box(d), url));
        EXPECT_EQ(Box(d)->text(), "https://example.org/a");

        QMimeData picture;
        picture.setData("image/png", "x");
        EXPECT_FALSE(Drop(Box(d), picture));
        QTest::mouseClick(Setup(d), Qt::LeftButton);
    });
    EXPECT_EQ(path, "https://example.org/a");
}

TEST_F(PathDialogTest, TheBoxStretchesAndTheButtonsFollowTheCorner)
{
    Run(3, "", [](frmPath& d) {
        EXPECT_EQ(d.minimumSize(), QSize(Twips::ToPixelsX(4635, &d), Twips::ToPixelsY(1605, &d)));
        d.resize(Twips::ToPixelsX(7500, &d), Twips::ToPixelsY(3000, &d));
        QCoreApplication::processEvents();
        const int w = d.width();
        const int h = d.height();
        const QRect box = Box(d)->geometry();
        EXPECT_EQ(box.left(), Twips::ToPixelsX(150, &d));
        EXPECT_EQ(w - box.right() - 1, Twips::ToPixelsX(150, &d));
        EXPECT_EQ(box.top(), Twips::ToPixelsY(300, &d));
        const QWidget* buttons = d.findChild<QWidget*>("gbConsole");
        EXPECT_NEAR(w - buttons->geometry().right() - 1, Twips::ToPixelsX(150, &d), 1);
        EXPECT_NEAR(h - buttons->geometry().bottom() - 1, Twips::ToPixelsY(180, &d), 1);
        const QWidget* grip = d.findChild<QWidget*>("rg");
        EXPECT_EQ(grip->geometry().bottomRight(), QPoint(w - 1, h - 1));
    });
}

} // namespace
