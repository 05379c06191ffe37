#include "ui/controls/Pictures.h"

#include <gtest/gtest.h>

TEST(Pictures, TheProgramIconComesFromTheProgramItself)
{
    const QPixmap icon = LoadProgramIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_FALSE(ProgramWindowIcon().isNull());
}
