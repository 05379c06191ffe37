#include "ui/controls/JapaneseInterface.h"
#include "ui/controls/DesignFonts.h"
#include "ui/controls/QtMessageService.h"

#include <QAbstractButton>
#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTranslator>

#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <memory>

TEST(JapaneseInterface, QtsOwnTextsComeFromItsJapaneseTranslation)
{
    std::unique_ptr<QTranslator> translator = LoadQtTranslation();
    ASSERT_NE(translator, nullptr)
        << "no qtbase_ja.qm in " << qPrintable(QtTranslationFolders().join(", "));
    QCoreApplication::installTranslator(translator.get());

    QMessageBox box;
    QtMessageService::Prepare(box, MessageRequest{QStringLiteral("?"), QStringLiteral("t"),
                                                  MessageIcon::Question, MessageButtons::YesNo});
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith("はい"));
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith("いいえ"));
    QPlainTextEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_TRUE(menu->actions().first()->text().startsWith("元に戻す"));
    // The file dialog's type column; the system translation lacks it.
    EXPECT_EQ(QAbstractFileIconProvider().type(QFileInfo(QDir::tempPath())), "フォルダ");

    QCoreApplication::removeTranslator(translator.get());
}

TEST(JapaneseInterface, EveryDesignFaceIsDrawnWithAnInstalledJapaneseFace)
{
    for (const char* face : {"MS UI Gothic", "ＭＳ Ｐゴシック", "ＭＳ ゴシック", "MS Gothic"}) {
        const QString standIn = DesignFonts::FaceInUse(QString::fromUtf8(face));
        EXPECT_TRUE(QFontDatabase::families().contains(standIn)) << face;
        EXPECT_TRUE(standIn.startsWith("IPA")) << face << " " << qPrintable(standIn);
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(face))).family(), standIn) << face;
    }
    // Proportional faces stand in for proportional ones, fixed-pitch for fixed-pitch.
    EXPECT_EQ(DesignFonts::FaceInUse(DesignFonts::DesignFaceName), "IPAPGothic");
    EXPECT_EQ(DesignFonts::FaceInUse("ＭＳ ゴシック"), "IPAGothic");
    EXPECT_EQ(DesignFonts::FaceInUse("DejaVu Sans"), "DejaVu Sans");
}
