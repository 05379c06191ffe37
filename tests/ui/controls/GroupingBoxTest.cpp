#include "ui/controls/GroupingBox.h"

#include "LayoutTestWindow.h"

#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "support/QtPrinters.h"

TEST(GroupingBoxTest, PinAndCentreArithmetic)
{
    using G = GroupingBox;
    // Pinned 150 from the right of a 6000-twip window, a 2000-twip box sits at 3850.
    EXPECT_EQ(G::Position(G::Pin, 6000, 2000, 0, 150), 3850);
    // Centred between margins of 150.
    EXPECT_EQ(G::Position(G::Centre, 6000, 2000, 150, 150), 2000);
    // A window narrower than the box gives a negative place, taken as it is.
    EXPECT_EQ(G::Position(G::Pin, 1000, 2000, 0, 150), -1150);
    EXPECT_EQ(G::Position(G::Centre, 1000, 2000, 150, 150), -500);
    // Odd numerators truncate toward zero on both sides of zero.
    EXPECT_EQ(G::Position(G::Centre, 4001, 0, 0, 0), 2000);
    EXPECT_EQ(G::Position(G::Centre, -4001, 0, 0, 0), -2000);
    // A fractional numerator is rounded half to even before halving.
    EXPECT_EQ(G::Position(G::Centre, 4000.5, 0, 0, 0), 2000);
    EXPECT_EQ(G::Position(G::Centre, 4001.5, 0, 0, 0), 2001);
    EXPECT_EQ(G::Position(G::Centre, 4002.5, 0, 0, 0), 2001);
    // Any other rule leaves the axis alone.
    EXPECT_FALSE(G::Position(0, 6000, 2000, 0, 150).has_value());
    EXPECT_FALSE(G::Position(3, 6000, 2000, 0, 150).has_value());
}

TEST(GroupingBoxTest, FollowsTheWindowAndKeepsItsChildrenInPlace)
{
    LayoutTestWindow window;
    auto* box = new GroupingBox(window.get());
    box->setGeometry(200, 185, 120, 45); // 1800 x 675 twips
    box->ReadProperties({{"MarginRight", 150}, {"MarginBottom", 180}});
    auto* button = new QPushButton(box);
    button->setGeometry(60, 0, 50, 41);
    window.ResizeTwips(6000, 4500);
    window.Show();
    EXPECT_TRUE(box->IsLoaded());
    EXPECT_EQ(box->AttachedWindow(), window.get());
    EXPECT_EQ(LayoutTestWindow::TwipsOf(box), QRect(4050, 3645, 1800, 675));

    window.ResizeTwips(7500, 5250);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(box), QRect(5550, 4395, 1800, 675));
    EXPECT_EQ(button->geometry(), QRect(60, 0, 50, 41));

    // Centred horizontally, vertical position left alone.
    box->SetHorizontalLayout(GroupingBox::Centre);
    box->SetMarginLeft(150);
    box->SetVerticalLayout(0);
    // Nothing moves until the window is resized again.
    EXPECT_EQ(LayoutTestWindow::TwipsOf(box), QRect(5550, 4395, 1800, 675));
    window.ResizeTwips(6000, 3000);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(box), QRect(2100, 4395, 1800, 675));

    // A window narrower than the box puts it at a negative place.
    box->SetHorizontalLayout(GroupingBox::Pin);
    window.ResizeTwips(1500, 3000);
    EXPECT_EQ(box->x() * 15, 1500 - (1800 + 150));
}

TEST(GroupingBoxTest, EnabledStopsAndResumesFollowing)
{
    LayoutTestWindow window;
    auto* box = new GroupingBox(window.get());
    box->resize(30, 30);
    window.ResizeTwips(3000, 3000);
    window.Show();
    window.ResizeTwips(4500, 4500);
    EXPECT_EQ(box->pos(), QPoint(270, 270));

    QSignalSpy changed(box, &LayoutControl::PropertyChanged);
    box->SetEnabled(false);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), QStringLiteral("Enabled"));
    EXPECT_EQ(box->AttachedWindow(), nullptr);
    window.ResizeTwips(6000, 6000);
    EXPECT_EQ(box->pos(), QPoint(270, 270));
    // The controls inside are not disabled with it.
    EXPECT_TRUE(box->isEnabled());

    box->SetEnabled(true);
    EXPECT_EQ(box->pos(), QPoint(270, 270));
    window.ResizeTwips(7500, 6000);
    EXPECT_EQ(box->pos(), QPoint(470, 370));
}

TEST(GroupingBoxTest, PropertyStoreKeepsOnlyWhatDiffersFromTheDefaults)
{
    LayoutTestWindow window;
    LayoutControl* control = LayoutControl::Create(QStringLiteral("Quillmere.GroupingBox"),
                                                   window.get(), QStringLiteral("gbData"),
                                                   {{"HorizontalLayout", 0},
                                                    {"MarginLeft", 150},
                                                    {"MarginRight", 2865},
                                                    {"MarginTop", 150},
                                                    {"MarginBottom", 150}});
    auto* box = qobject_cast<GroupingBox*>(control);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->objectName(), QStringLiteral("gbData"));
    EXPECT_EQ(box->Identifier(), QStringLiteral("Quillmere.GroupingBox"));
    EXPECT_EQ(box->HorizontalLayout(), 0);
    EXPECT_EQ(box->VerticalLayout(), 1);
    EXPECT_EQ(box->property("MarginRight").toInt(), 2865);
    EXPECT_TRUE(box->Enabled());

    const QVariantMap stored = box->WriteProperties();
    EXPECT_EQ(stored.keys(), (QStringList{"HorizontalLayout", "MarginBottom", "MarginLeft",
                                          "MarginRight", "MarginTop"}));
    EXPECT_TRUE(GroupingBox(nullptr).WriteProperties().isEmpty());
    EXPECT_EQ(LayoutControl::Create(QStringLiteral("Quillmere.Unknown"), window.get()), nullptr);
}
