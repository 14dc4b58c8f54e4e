// The colour a lesson button takes from the best speed in its caption.
#include "menu/SpeedColourBands.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using colour::BgrColour;

TEST(ColourForSpeed, EachBandHoldsBothEndsAndTheEarlierRowWinsASharedEnd) {
    struct Case {
        double speed;
        std::optional<BgrColour> colour;
    };
    const Case cases[] = {
        {0.0, std::nullopt}, {59.9, std::nullopt},  {59.99, std::nullopt},
        {60.0, 0x008080FF},                                              // light red
        {75.0, 0x008080FF},  {90.0, 0x008080FF},    {90.1, 0x0080FFFF},  // light yellow
        {120.0, 0x0080FFFF}, {120.1, 0x00FF8080},                        // light blue
        {150.0, 0x00FF8080}, {150.1, 0x0080FF80},   {180.0, 0x0080FF80},
        {180.1, 0x00FF00FF}, {210.0, 0x00FF00FF},   {210.1, 0x000080FF},
        {240.0, 0x000080FF}, {240.1, 0x00E0E0E0},   {270.0, 0x00E0E0E0},
        {270.1, 0x0000FFFF}, {300.0, 0x0000FFFF},   {300.1, 0x00FFFFFF},
        {500.0, 0x00FFFFFF}, {500.1, std::nullopt}, {512.3, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed);
        const std::optional<BgrColour> colour = menu_colours::ColourForSpeed(c.speed);
        ASSERT_EQ(colour.has_value(), c.colour.has_value());
        if (c.colour) {
            EXPECT_EQ(*colour, *c.colour) << std::hex << *colour;
        }
    }
}

TEST(ColourForSpeed, NoBandIsASystemColour) {
    for (const menu_colours::SpeedBand& band : menu_colours::SpeedColourBands) {
        EXPECT_FALSE(colour::IsSystemColour(band.backColor)) << band.from;
    }
}

}  // namespace
