#include "ui/main/frmFont.h"

#include "support/ModalDriverScope.h"
#include "support/QtPrinters.h"
#include "support/TempFolder.h"
#include "ui/controls/DesignFonts.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <functional>

namespace {

class FontDialogTest : public ::testing::Test {
protected:
    // Shows the dialog for the target, lets the step act on it, and returns
    // what the step saw.
    void Run(QFont& target, const std::function<void(frmFont&)>& step)
    {
        bool ran = false;
        ModalDriverScope<frmFont> driver([&](frmFont& dialog) {
            ran = true;
            step(dialog);
        });
        frmFont dialog;
        dialog.ShowDialog(target);
        accepted = dialog.FontAccepted();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(dialog.isVisible());
    }

    static QComboBox* Fonts(frmFont& d) { return d.findChild<QComboBox*>("lstFont"); }
    static QComboBox* Sizes(frmFont& d) { return d.findChild<QComboBox*>("lstSize"); }
    static QFont Preview(frmFont& d) { return d.findChild<QPlainTextEdit*>("txtPreview")->font(); }
    static void Click(frmFont& d, const char* name)
    {
        QTest::mouseClick(d.findChild<QPushButton*>(name), Qt::LeftButton);
    }
    // Two installed families, so a test can switch from one to the other.
    static QStringList TwoFamilies()
    {
        QStringList families = QFontDatabase::families();
        families.removeAll(QString());
        return families.mid(0, 2);
    }

    TempFolder folder;
    bool accepted = false;
};

TEST_F(FontDialogTest, ListsInstalledFamiliesSortedAndSizesInNumericOrder)
{
    frmFont dialog;
    QComboBox* fonts = Fonts(dialog);
    QStringList listed;
    for (int i = 0; i < fonts->count(); ++i)
        listed << fonts->itemText(i);
    ASSERT_FALSE(listed.isEmpty());
    EXPECT_FALSE(listed.contains(QString()));
    for (int i = 1; i < listed.size(); ++i)
        EXPECT_LE(listed[i - 1].compare(listed[i], Qt::CaseInsensitive), 0)
            << listed[i].toStdString();
    for (const QString& family : QFontDatabase::families())
        EXPECT_TRUE(listed.contains(family)) << family.toStdString();

    QComboBox* sizes = Sizes(dialog);
    ASSERT_EQ(sizes->count(), 25);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(sizes->itemText(i), QString::number(8 + i));
    // Nothing is chosen before the dialog is shown for a font.
    EXPECT_EQ(fonts->currentIndex(), -1);
    EXPECT_EQ(sizes->currentIndex(), -1);
    EXPECT_FALSE(dialog.FontDialogReady());
    EXPECT_FALSE(dialog.FontAccepted());
}

TEST_F(FontDialogTest, CaptionAndKeysOfTheDialog)
{
    frmFont dialog;
    EXPECT_EQ(dialog.windowTitle(), "Quillmere - フォントの設定 -");
    EXPECT_TRUE(dialog.findChild<QPushButton*>("btnSetup")->isDefault());
    EXPECT_EQ(dialog.findChild<QPlainTextEdit*>("txtPreview")->toPlainText(),
              "すばやい赤狐、のろまな犬を飛び越える。\n");
}

TEST_F(FontDialogTest, PreselectsTheTargetAndShowsTheSampleInIt)
{
    const QString family = TwoFamilies().value(0);
    ASSERT_FALSE(family.isEmpty());
    QFont target(family);
    target.setPointSize(12);
    Run(target, [&](frmFont& d) {
        EXPECT_TRUE(d.FontDialogReady());
        EXPECT_EQ(Fonts(d)->currentText(), family);
        EXPECT_EQ(Sizes(d)->currentText(), "12");
        EXPECT_EQ(Preview(d).family(), family);
        EXPECT_EQ(Preview(d).pointSize(), 12);
        Click(d, "btnCancel");
    });
}

TEST_F(FontDialogTest, RoundsTheSizeHalfToEven)
{
    EXPECT_EQ(frmFont::WholePoints(9.75), 10);
    EXPECT_EQ(frmFont::WholePoints(10.5), 10);
    EXPECT_EQ(frmFont::WholePoints(11.5), 12);
    EXPECT_EQ(frmFont::WholePoints(12.49), 12);

    QFont target(TwoFamilies().value(0));
    target.setPointSizeF(9.75);
    Run(target, [&](frmFont& d) {
        EXPECT_EQ(Sizes(d)->currentText(), "10");
        Click(d, "btnSetup");
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(target.pointSizeF(), 10.0);
}

TEST_F(FontDialogTest, ChoicesChangeOnlyTheSampleUntilAccepted)
{
    const QStringList families = TwoFamilies();
    ASSERT_EQ(families.size(), 2);
    QFont target(families[0]);
    target.setPointSize(12);
    Run(target, [&](frmFont& d) {
        Fonts(d)->setCurrentIndex(Fonts(d)->findText(families[1]));
        Sizes(d)->setCurrentIndex(Sizes(d)->findText("20"));
        EXPECT_EQ(Preview(d).family(), families[1]);
        EXPECT_EQ(Preview(d).pointSize(), 20);
        EXPECT_EQ(target.family(), families[0]);
        EXPECT_EQ(target.pointSize(), 12);
        Click(d, "btnSetup");
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(target.family(), families[1]);
    EXPECT_EQ(target.pointSize(), 20);
}

TEST_F(FontDialogTest, EveryWayOfCancellingKeepsTheFont)
{
    const QStringList families = TwoFamilies();
    ASSERT_EQ(families.size(), 2);
    const std::function<void(frmFont&)> cancels[] = {
        [](frmFont& d) { Click(d, "btnCancel"); },
        [](frmFont& d) { QTest::keyClick(Sizes(d), Qt::Key_Escape); },
        [](frmFont& d) { d.close(); },
        // Left open: the test hook closes it as the close box would.
        [](frmFont&) {},
    };
    for (const auto& cancel : cancels) {
        QFont target(families[0]);
        target.setPointSize(12);
        Run(target, [&](frmFont& d) {
            Fonts(d)->setCurrentIndex(Fonts(d)->findText(families[1]));
            Sizes(d)->setCurrentIndex(Sizes(d)->findText("30"));
            cancel(d);
        });
        EXPECT_FALSE(accepted);
        EXPECT_EQ(target.family(), families[0]);
        EXPECT_EQ(target.pointSize(), 12);
    }
}

TEST_F(FontDialogTest, EnterAcceptsThroughTheDefaultButton)
{
    QFont target(TwoFamilies().value(0));
    target.setPointSize(12);
    Run(target, [&](frmFont& d) {
        Sizes(d)->setCurrentIndex(Sizes(d)->findText("14"));
        QTest::keyClick(Sizes(d), Qt::Key_Return);
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(target.pointSize(), 14);
}

TEST_F(FontDialogTest, AFontThatIsNotListedKeepsItsNameAndSize)
{
    // Neither the face (not installed) nor 40 points is in a list; the font
    // that comes back must still be the usable font that went in.
    QFont target(QStringLiteral("Quillmere Missing Face"));
    target.setPointSize(40);
    Run(target, [&](frmFont& d) {
        EXPECT_EQ(Fonts(d)->currentIndex(), -1);
        EXPECT_EQ(Sizes(d)->currentIndex(), -1);
        Click(d, "btnSetup");
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(target.family(), "Quillmere Missing Face");
    EXPECT_EQ(target.pointSize(), 40);

    // Choosing only a size changes only the size.
    Run(target, [&](frmFont& d) {
        Sizes(d)->setCurrentIndex(Sizes(d)->findText("9"));
        Click(d, "btnSetup");
    });
    EXPECT_EQ(target.family(), "Quillmere Missing Face");
    EXPECT_EQ(target.pointSize(), 9);
}

TEST_F(FontDialogTest, ADesignFaceShowsTheFaceThatStandsInForIt)
{
    // The input area's font on a first start: the Windows face of the design.
    QFont target = DesignFonts::DesignFont(12);
    Run(target, [&](frmFont& d) {
        EXPECT_EQ(Fonts(d)->currentText(), QFontInfo(target).family());
        EXPECT_TRUE(Fonts(d)->currentText().startsWith("IPA"))
            << qPrintable(Fonts(d)->currentText());
        Click(d, "btnCancel");
    });
    EXPECT_EQ(target.family(), DesignFonts::DesignFaceName) << "cancelled: the name stays";
}

TEST_F(FontDialogTest, TheSampleShowsTwoWholeLinesAtSixteenPoints)
{
    // The sample wraps into a second line at 16 points; it must not be cut off.
    QFont target = DesignFonts::DesignFont(16);
    Run(target, [&](frmFont& d) {
        auto* preview = d.findChild<QPlainTextEdit*>("txtPreview");
        const QFontMetrics metrics(preview->font());
        const qreal margin = preview->document()->documentMargin();
        EXPECT_GE(preview->viewport()->height(), 2 * (metrics.lineSpacing() + margin));
        Click(d, "btnCancel");
    });
}

TEST_F(FontDialogTest, SelectionBeforeShowingTouchesNoFont)
{
    frmFont dialog;
    const QFont before = Preview(dialog);
    Sizes(dialog)->setCurrentIndex(Sizes(dialog)->findText("31"));
    EXPECT_EQ(Preview(dialog), before);
}

} // namespace
