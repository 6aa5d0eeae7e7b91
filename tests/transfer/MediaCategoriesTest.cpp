#include <gtest/gtest.h>

#include "MediaCategories.h"

namespace tonvale {
namespace {

TEST(MediaCategories, DialogFilterHoldsThePairsInTableOrder) {
    const auto categories = mediaCategories();
    using namespace std::string_literals;
    EXPECT_EQ(dialogFilterString(categories[3].filter), L"SPCOLOR(*.sch)\0*.sch\0\0"s);
    EXPECT_EQ(dialogFilterString(categories[4].filter), L"MMA_UCP\0MMA_UCP\0\0"s);
    EXPECT_EQ(dialogFilterString(categories[1].filter),
              L"MP3(*.mp3)\0*.mp3\0MIDI(*.mid;*.midi)\0*.mid;*.midi\0IMY(*.imy)\0*.imy\0"
              L"Motomixer(*.bas)\0*.bas\0All formats\0*.mp3;*.mid;*.midi;*.imy;*.bas\0\0"s);
    ASSERT_EQ(categories[0].filter.size(), 6u);
    // Both picture patterns that hold ".jpeg", the first and the last.
    EXPECT_EQ(categories[0].filter.front().text, L"JPEG(*.jpg;*.jpeg)");
    EXPECT_EQ(categories[0].filter.front().patterns, L"*.jpg;*.jpeg");
    EXPECT_EQ(categories[0].filter.back().patterns,
              L"*.jpg;*.jpeg;*.gif;*.png;*.emp;*.ems;*.wbmp;*.bmp");
    ASSERT_EQ(categories[2].filter.size(), 5u);
    EXPECT_EQ(categories[2].filter[4].text, L"All(*.*)");
}

}  // namespace
}  // namespace tonvale
