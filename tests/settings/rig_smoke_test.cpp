#include <gtest/gtest.h>
TEST(Rig, Runs) { EXPECT_EQ(2, 1 + 1); }
