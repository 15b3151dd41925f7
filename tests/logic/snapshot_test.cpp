#include "editor/snapshot.h"

#include <gtest/gtest.h>

namespace {

TEST(StyleRuns, RoundTrip) {
    const std::string styles = std::string(5, '\0') + std::string(3, '\x09') + std::string(1, '\x02');
    const auto runs = tv::encodeStyleRuns(styles);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1], (tv::StyleRun{9, 3}));
    EXPECT_EQ(tv::decodeStyleRuns(runs), styles);
    EXPECT_TRUE(tv::encodeStyleRuns("").empty());
    // Styled text alternates characters and styles.
    EXPECT_EQ(tv::encodeStyledText(std::string("a\x01" "b\x01" "c\x02", 6)),
              (std::vector<tv::StyleRun>{{1, 2}, {2, 1}}));
}

// Splicing must give what encoding the whole new style string gives: kept
// ends cut inside runs, runs merged at both joins, empty ends and middles.
TEST(StyleRuns, SpliceEqualsEncodingTheWhole) {
    struct Case {
        std::string old;
        std::size_t front, back;
        std::string middle;
    };
    const std::string o = std::string("\0\0\0\x05\x05\x02\x02\x02\0", 9);
    const Case cases[] = {
        {o, 0, 0, ""},
        {o, 9, 0, ""},
        {o, 0, 9, ""},
        {o, 4, 3, "\x05\x05"},          // joins merge on both sides
        {o, 2, 2, std::string("\0\x07", 2)},
        {o, 4, 5, std::string(3, '\x09')}, // pure insertion inside a run
        {o, 1, 1, ""},                    // deletion joining two runs
        {o, 3, 6, std::string("\x05", 1)},
        {"", 0, 0, "\x01\x01"},
        {std::string(4, '\x03'), 2, 2, std::string(2, '\x03')},
    };
    for (const Case& c : cases) {
        const std::string whole = c.old.substr(0, c.front) + c.middle + c.old.substr(c.old.size() - c.back);
        EXPECT_EQ(tv::spliceStyleRuns(tv::encodeStyleRuns(c.old), c.front, c.back, tv::encodeStyleRuns(c.middle)),
                  tv::encodeStyleRuns(whole))
            << "front " << c.front << " back " << c.back << " middle " << c.middle.size();
    }
}

TEST(SnapshotLists, LimitDropsTheOldest) {
    tv::SnapshotLists<int> l(10);
    for (int i = 0; i < 11; ++i) l.pushUndo(i, true);
    ASSERT_EQ(l.undoList().size(), 10u);
    EXPECT_EQ(l.undoList().front(), 1);
    int taken = 0;
    while (l.takeUndo()) ++taken;
    EXPECT_EQ(taken, 10);
    EXPECT_FALSE(l.takeUndo().has_value());
}

TEST(SnapshotLists, NewStepEmptiesRedoUnlessAsked) {
    tv::SnapshotLists<int> l(5);
    l.pushRedo(1);
    l.pushUndo(2, false);
    EXPECT_TRUE(l.canRedo());
    l.pushUndo(3, true);
    EXPECT_FALSE(l.canRedo());
    EXPECT_EQ(*l.takeUndo(), 3);
}

TEST(SnapshotLists, SettingTheLimit) {
    tv::SnapshotLists<int> l(10);
    for (int i = 0; i < 10; ++i) {
        l.pushUndo(i, false);
        l.pushRedo(100 + i);
    }
    l.setLimit(0);
    EXPECT_EQ(l.limit(), 10);
    l.setLimit(3);
    EXPECT_EQ(l.limit(), 3);
    EXPECT_EQ(l.undoList(), (std::deque<int>{7, 8, 9}));
    EXPECT_EQ(l.redoList(), (std::deque<int>{107, 108, 109}));
}

} // namespace
