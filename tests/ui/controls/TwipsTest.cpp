#include "ui/controls/Twips.h"

#include <QWidget>

#include <gtest/gtest.h>

TEST(TwipsTest, FifteenPerPixelOnTheTestScreenRoundedToWholePixels)
{
    QWidget widget;
    ASSERT_DOUBLE_EQ(Twips::PerPixelX(&widget), 15.0);
    ASSERT_DOUBLE_EQ(Twips::PerPixelY(), 15.0);
    EXPECT_EQ(Twips::ToPixelsX(150), 10);
    EXPECT_EQ(Twips::ToPixelsX(2335), 156);
    EXPECT_EQ(Twips::ToPixelsY(7.5), 1);
    EXPECT_EQ(Twips::ToPixelsY(-7.5), -1);
    EXPECT_EQ(Twips::ToPixelsX(-150), -10);
    EXPECT_DOUBLE_EQ(Twips::FromPixelsY(-500), -7500);

    Twips::Place(&widget, 150, 2250, 2715, 1290);
    EXPECT_EQ(widget.geometry(), QRect(10, 150, 181, 86));

    EXPECT_EQ(Twips::RoundHalfEven(2.5), 2);
    EXPECT_EQ(Twips::RoundHalfEven(3.5), 4);
    EXPECT_EQ(Twips::RoundHalfEven(-2.5), -2);
    EXPECT_EQ(Twips::RoundHalfEven(2.51), 3);
}
