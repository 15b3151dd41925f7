#include "app/bounds.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(FrameBounds, TheFrameOpensOnTheScreen) {
    const tv::Bounds screen{0, 0, 1920, 1050};
    struct Case {
        const char* name;
        std::optional<tv::Bounds> stored;
        tv::Bounds expected;
    };
    const Case cases[] = {
        {"first start: 80% centred", std::nullopt, {192, 105, 1536, 840}},
        {"stored and on the screen: kept", tv::Bounds{10, 10, 500, 373}, {10, 10, 500, 373}},
        {"far right: 100 pixels stay", tv::Bounds{5000, 10, 500, 373}, {1820, 10, 500, 373}},
        {"far left", tv::Bounds{-5000, 10, 500, 373}, {-400, 10, 500, 373}},
        {"above: the title bar comes down", tv::Bounds{10, -300, 500, 373}, {10, 0, 500, 373}},
        {"huge coordinates", tv::Bounds{INT_MAX, INT_MIN, 500, 373}, {1820, 0, 500, 373}},
        {"larger than the screen", tv::Bounds{0, 0, 5000, 4000}, {0, 0, 1920, 1050}},
        {"too small", tv::Bounds{10, 10, 0, -5}, {10, 10, 100, 100}},
    };
    for (const Case& c : cases) EXPECT_EQ(tv::frameBounds(c.stored, screen), c.expected) << c.name;
    // A second screen to the left of the first.
    EXPECT_EQ(tv::frameBounds(tv::Bounds{-1500, 20, 800, 600}, {-1920, 0, 1920, 1080}), (tv::Bounds{-1500, 20, 800, 600}));
}

TEST(FrameBounds, PartsStayWithinTheWhole) {
    EXPECT_EQ(tv::keepWithin(109, 40, 500, 100), 109);
    EXPECT_EQ(tv::keepWithin(INT_MAX, 40, 500, 100), 400);
    EXPECT_EQ(tv::keepWithin(INT_MIN, 40, 500, 100), 40);
    EXPECT_EQ(tv::keepWithin(300, 40, 100, 100), 40);  // no room: the least
}

} // namespace
