#include "ui/controls/Expander.h"

#include "env/MessageService.h"
#include "ui/controls/GroupingBox.h"

#include "LayoutTestWindow.h"

#include <QComboBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QTextEdit>

#include <gtest/gtest.h>

#include "support/QtPrinters.h"
#include "support/RecordingMessageService.h"

namespace {

Expander* MakeExpander(QWidget* parent, const QString& name, const QVariantMap& bag)
{
    return qobject_cast<Expander*>(
        LayoutControl::Create(QStringLiteral("Quillmere.Expander"), parent, name, bag));
}

const QVariantMap kExpLog{{"TargetName", "txtLog"}, {"Expands", 2},     {"MarginLeft", 150},
                          {"MarginRight", 150},     {"MarginTop", 150}, {"MarginBottom", 1515}};

} // namespace

TEST(ExpanderTest, LayoutArithmetic)
{
    const auto horizontal =
        Expander::Layout(0, QRectF(900, 600, 1000, 300), 6000, 4000, 150, 150, 0, 0);
    ASSERT_TRUE(horizontal);
    EXPECT_EQ(*horizontal, QRectF(150, 600, 5700, 300));

    const auto vertical =
        Expander::Layout(1, QRectF(900, 600, 1000, 300), 6000, 4000, 0, 0, 150, 1515);
    ASSERT_TRUE(vertical);
    EXPECT_EQ(*vertical, QRectF(900, 150, 1000, 2335));

    const auto both =
        Expander::Layout(2, QRectF(150, 150, 10, 10), 6000, 4000, 150, 150, 150, 1515);
    ASSERT_TRUE(both);
    EXPECT_EQ(*both, QRectF(150, 150, 5700, 2335));

    // Designed away from the margins: the size comes from the old place once.
    const auto first =
        Expander::Layout(2, QRectF(300, 600, 10, 10), 6000, 4000, 150, 150, 150, 1515);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, QRectF(150, 150, 5550, 1885));
    const auto second = Expander::Layout(2, *first, 6000, 4000, 150, 150, 150, 1515);
    EXPECT_EQ(*second, QRectF(150, 150, 5700, 2335));

    // Narrower than the margins: a negative width for the caller to refuse.
    EXPECT_EQ(Expander::Layout(0, QRectF(0, 0, 10, 10), 200, 4000, 150, 150, 0, 0)->width(), -100);
    EXPECT_FALSE(Expander::Layout(3, QRectF(0, 0, 10, 10), 6000, 4000, 150, 150, 0, 0));
    EXPECT_FALSE(Expander::Layout(-1, QRectF(0, 0, 10, 10), 6000, 4000, 150, 150, 0, 0));
}

TEST(ExpanderTest, StretchesItsTargetAsTheWindowIsResized)
{
    RecordingMessageService messages;
    LayoutTestWindow window;
    auto* text = new QTextEdit(window.get());
    text->setObjectName(QStringLiteral("txtLog"));
    text->setGeometry(20, 40, 50, 50); // 300, 600 twips: away from the margins
    Expander* expander = MakeExpander(window.get(), QStringLiteral("expLog"), kExpLog);
    ASSERT_NE(expander, nullptr);
    window.ResizeTwips(6000, 3990);
    window.Show();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(expander->Target(), text);
    EXPECT_TRUE(expander->isHidden());
    // First layout: the size from where the target was designed.
    EXPECT_EQ(LayoutTestWindow::TwipsOf(text), QRect(150, 150, 5550, 3990 - (600 + 1515)));
    window.ResizeTwips(6000, 3990);
    window.ResizeTwips(6000, 4005);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(text), QRect(150, 150, 5700, 4005 - 1665));
    window.ResizeTwips(9000, 6000);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(text), QRect(150, 150, 8700, 6000 - 1665));

    // Too small for the margins: a refused size leaves all of the target alone.
    window.ResizeTwips(240, 6000);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(text), QRect(150, 150, 8700, 6000 - 1665));

    // Margins changed at run time apply at the next resize.
    expander->SetMarginBottom(150);
    EXPECT_EQ(text->height() * 15, 6000 - 1665);
    window.ResizeTwips(9000, 6000);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(text), QRect(150, 150, 8700, 5700));
}

TEST(ExpanderTest, OneDirectionLeavesTheOtherAlone)
{
    RecordingMessageService messages;
    LayoutTestWindow window;
    auto* path = new QComboBox(window.get());
    path->setObjectName(QStringLiteral("txtPath"));
    path->setGeometry(30, 45, 60, 21);
    Expander* horizontal = MakeExpander(
        window.get(), QStringLiteral("expText"),
        {{"TargetName", "txtPath"}, {"MarginLeft", 150}, {"MarginRight", 150}, {"MarginTop", 600}});
    window.ResizeTwips(6000, 1605);
    window.Show();
    EXPECT_EQ(LayoutTestWindow::TwipsOf(path), QRect(150, 675, 5700, 315));

    // Narrower than the margins: the left edge moves, the width is refused.
    window.ResizeTwips(240, 1605);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(path), QRect(150, 675, 5700, 315));

    horizontal->SetExpands(Expander::Vertical);
    horizontal->SetMarginBottom(300);
    window.ResizeTwips(6000, 3000);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(path), QRect(150, 600, 5700, 2100));

    horizontal->SetExpands(7);
    window.ResizeTwips(9000, 4500);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(path), QRect(150, 600, 5700, 2100));
}

TEST(ExpanderTest, TargetInsideAGroupingBoxMixesTheTwoFrames)
{
    RecordingMessageService messages;
    LayoutTestWindow window;
    auto* data = new GroupingBox(window.get());
    data->setObjectName(QStringLiteral("gbData"));
    data->ReadProperties({{"HorizontalLayout", 0}, {"MarginBottom", 150}});
    data->setGeometry(10, 150, 181, 86);
    auto* category = new QComboBox(data);
    category->setObjectName(QStringLiteral("lstCategory"));
    category->setGeometry(0, 45, 181, 21);
    MakeExpander(data, QStringLiteral("expCategory"),
                 {{"TargetName", "lstCategory"}, {"MarginRight", 3015}});
    MakeExpander(window.get(), QStringLiteral("expData"),
                 {{"TargetName", "gbData"},
                  {"MarginLeft", 150},
                  {"MarginRight", 150},
                  {"MarginTop", 150},
                  {"MarginBottom", 150}});
    window.ResizeTwips(6000, 4995);
    window.Show();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(LayoutTestWindow::TwipsOf(data), QRect(150, 4995 - 1440, 5700, 1290));
    EXPECT_EQ(LayoutTestWindow::TwipsOf(category), QRect(0, 675, 6000 - 3015, 315));
    window.ResizeTwips(9000, 6000);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(data), QRect(150, 6000 - 1440, 8700, 1290));
    EXPECT_EQ(LayoutTestWindow::TwipsOf(category), QRect(0, 675, 9000 - 3015, 315));
}

TEST(ExpanderTest, MissingTargetIsReportedOncePerBindingAttempt)
{
    RecordingMessageService messages;
    LayoutTestWindow window;
    Expander* expander = MakeExpander(window.get(), QStringLiteral("expLog"), kExpLog);
    window.Show();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("txtLog が frmMain にありません。"));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("frmMain.expLog"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(expander->Target(), nullptr);
    // Resizes of an unbound expander do nothing and say nothing.
    window.ResizeTwips(6000, 6000);
    EXPECT_EQ(messages.shown.size(), 1);

    // Each new name is an attempt of its own.
    expander->SetTargetName(QStringLiteral("txtNone"));
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("txtNone が frmMain にありません。"));

    auto* text = new QTextEdit(window.get());
    text->setObjectName(QStringLiteral("txtLog"));
    text->setGeometry(10, 10, 50, 50);
    expander->SetTargetName(QStringLiteral("txtLog"));
    EXPECT_EQ(expander->Target(), text);
    EXPECT_EQ(messages.shown.size(), 2);

    // An empty name is ignored; a missing one keeps the bound target quietly.
    expander->SetTargetName(QString());
    EXPECT_EQ(expander->TargetName(), QStringLiteral("txtLog"));
    expander->SetTargetName(QStringLiteral("txtGone"));
    EXPECT_EQ(expander->TargetName(), QStringLiteral("txtGone"));
    EXPECT_EQ(expander->Target(), text);
    EXPECT_EQ(messages.shown.size(), 2);
    window.ResizeTwips(9000, 6000);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(text), QRect(150, 150, 8700, 6000 - 1665));
}

TEST(ExpanderTest, LoadedDisabledBindsNothingUntilANameIsAssigned)
{
    RecordingMessageService messages;
    LayoutTestWindow window;
    auto* text = new QTextEdit(window.get());
    text->setObjectName(QStringLiteral("txtLog"));
    text->setGeometry(10, 10, 50, 50);
    QVariantMap bag = kExpLog;
    bag.insert(QStringLiteral("Enabled"), false);
    Expander* expander = MakeExpander(window.get(), QStringLiteral("expLog"), bag);
    window.ResizeTwips(6000, 4005);
    window.Show();
    EXPECT_EQ(expander->AttachedWindow(), nullptr);
    EXPECT_EQ(expander->Target(), nullptr);

    expander->SetEnabled(true);
    EXPECT_EQ(expander->AttachedWindow(), window.get());
    EXPECT_EQ(expander->Target(), nullptr);
    window.ResizeTwips(9000, 6000);
    EXPECT_EQ(text->geometry(), QRect(10, 10, 50, 50));

    expander->SetTargetName(QStringLiteral("txtLog"));
    EXPECT_EQ(expander->Target(), text);
    window.ResizeTwips(6000, 4005);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(text), QRect(150, 150, 5700, 2340));

    // Disabled again: the binding stays, the window no longer reaches it.
    expander->SetEnabled(false);
    window.ResizeTwips(9000, 6000);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(text), QRect(150, 150, 5700, 2340));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(ExpanderTest, InAMainWindowTheInteriorIsBelowTheMenuBar)
{
    RecordingMessageService messages;
    QMainWindow window;
    window.setObjectName(QStringLiteral("frmMain"));
    window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    auto* text = new QTextEdit(central);
    text->setObjectName(QStringLiteral("txtLog"));
    text->setGeometry(10, 10, 50, 50);
    Expander* expander = MakeExpander(central, QStringLiteral("expLog"), kExpLog);
    window.resize(400, 300);
    window.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(expander->AttachedWindow(), central);
    ASSERT_LT(central->height(), window.height());
    window.resize(500, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(LayoutTestWindow::TwipsOf(text),
              QRect(150, 150, central->width() * 15 - 300, central->height() * 15 - 1665));
}
