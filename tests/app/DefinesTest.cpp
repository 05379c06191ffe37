#include "app/Defines.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

TEST(Defines, IncrementAndDecrementStopAtTheLimitsInsteadOfWrapping)
{
    qint32 value = std::numeric_limits<qint32>::max() - 1;
    Increment(value);
    EXPECT_EQ(value, std::numeric_limits<qint32>::max());
    EXPECT_THROW(Increment(value), std::overflow_error);
    EXPECT_EQ(value, std::numeric_limits<qint32>::max());
    Decrement(value);
    EXPECT_EQ(value, std::numeric_limits<qint32>::max() - 1);

    value = std::numeric_limits<qint32>::min() + 1;
    Decrement(value);
    EXPECT_EQ(value, std::numeric_limits<qint32>::min());
    EXPECT_THROW(Decrement(value), std::overflow_error);
    EXPECT_EQ(value, std::numeric_limits<qint32>::min());
    Increment(value);
    EXPECT_EQ(value, std::numeric_limits<qint32>::min() + 1);

    value = -1;
    Increment(value);
    EXPECT_EQ(value, 0);
    Decrement(value);
    Decrement(value);
    EXPECT_EQ(value, -2);
}

TEST(Defines, TheProgramIconComesFromTheProgramItself)
{
    const QPixmap icon = LoadProgramIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_FALSE(ProgramWindowIcon().isNull());
}
