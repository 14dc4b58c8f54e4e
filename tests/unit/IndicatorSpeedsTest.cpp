// The five speeds of the indicator speed menu.
#include "menu/IndicatorSpeeds.h"

#include <gtest/gtest.h>

namespace {

TEST(IndicatorSpeeds, AreTheFiveMenuSpeedsInMenuOrder) {
    const int expected[] = {60, 90, 120, 150, 180};
    ASSERT_EQ(speed_menu::kIndicatorSpeeds.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(speed_menu::kIndicatorSpeeds[static_cast<std::size_t>(i)], expected[i]);
        EXPECT_EQ(speed_menu::SpeedItemIndex(expected[i]), i);
    }
}

TEST(IndicatorSpeeds, StartAtSixty) {
    EXPECT_EQ(speed_menu::kStartSpeed, 60);
    EXPECT_EQ(speed_menu::SpeedItemIndex(speed_menu::kStartSpeed), 0);
}

TEST(SpeedItemIndex, IsMinusOneForASpeedTheMenuDoesNotHave) {
    for (int speed : {100, 0, -60, 59, 61, 181, 210, 60 + 256}) {
        EXPECT_EQ(speed_menu::SpeedItemIndex(speed), -1) << speed;
    }
}

}  // namespace
