// Twips and pixels: 15 twips to a pixel, and coordinates that read back exactly as written
// although the widget holds whole pixels.
#include "services/Twips.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(ToPixels, RoundsHalvesAwayFromZero) {
    struct Case {
        int twips;
        int pixels;
    };
    const Case cases[] = {
        {0, 0},   {7, 0},    {8, 1},    {15, 1},     {22, 1},     {23, 2},     {-7, 0},
        {-8, -1}, {-15, -1}, {-23, -2}, {1935, 129}, {1930, 129}, {6930, 462},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(twips::ToPixels(c.twips), c.pixels) << c.twips << " twips";
    }
}

TEST(FromPixels, IsFifteenTwipsAPixel) {
    EXPECT_EQ(twips::FromPixels(0), 0);
    EXPECT_EQ(twips::FromPixels(2), 30);
    EXPECT_EQ(twips::FromPixels(129), 1935);
    EXPECT_EQ(twips::FromPixels(-3), -45);
}

TEST(TwipsProperty, ReadsBackTheValueWrittenWhileTheWidgetKeepsItsPixels) {
    twips::TwipsProperty left;
    EXPECT_EQ(left.Write(1935), 129);
    EXPECT_EQ(left.Read(129), 1935);

    twips::TwipsProperty top;
    EXPECT_EQ(top.Write(1930), 129);
    EXPECT_EQ(top.Read(129), 1930);  // not 129 × 15
}

TEST(TwipsProperty, ReadsWholePixelsOnceTheWidgetWasMovedFromOutside) {
    twips::TwipsProperty left;
    left.Write(1930);
    EXPECT_EQ(left.Read(130), 1950);
    EXPECT_EQ(left.Read(7), 105);
}

TEST(TwipsProperty, ReadsWholePixelsBeforeAnyWrite) {
    const twips::TwipsProperty left;
    EXPECT_EQ(left.Read(0), 0);
    EXPECT_EQ(left.Read(129), 1935);
}

TEST(TwipsProperty, TheLatestWriteWins) {
    twips::TwipsProperty width;
    width.Write(1930);
    EXPECT_EQ(width.Write(1940), 129);
    EXPECT_EQ(width.Read(129), 1940);
}

TEST(TwipsProperty, EveryValueUpToTwentyThousandSurvivesWriteThenRead) {
    std::optional<int> firstLost;
    for (int value = 0; value <= 20000 && !firstLost; ++value) {
        twips::TwipsProperty property;
        const int pixels = property.Write(value);
        if (pixels != twips::ToPixels(value) || property.Read(pixels) != value) {
            firstLost = value;
        }
    }
    EXPECT_FALSE(firstLost.has_value()) << "first value lost: " << firstLost.value_or(-1);
}

}  // namespace
