#include "editor/snapshot.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A snapshot after a change takes over the old pieces at both ends and
// reads only between them: whatever the change, the text is the new one,
// and a small change in a large text copies little.
TEST(SharedText, SpliceGivesTheNewTextAndSharesTheRest) {
    const std::size_t P = tv::SharedText::kPiece;
    std::string big;
    for (std::size_t i = 0; big.size() < 5 * P + 123; ++i) big += "<P>line " + std::to_string(i) + "</P>\r\n";
    struct Case {
        const char* what;
        std::size_t at, removed;
        std::string inserted;
    };
    const Case cases[] = {
        {"a letter in the middle", 2 * P + 17, 0, "x"},
        {"at the very start", 0, 0, "<B>"},
        {"at the very end", big.size(), 0, "</HTML>"},
        {"over a piece boundary", P - 3, 6, "abc"},
        {"a deletion of a whole piece and more", P / 2, 2 * P, ""},
        {"everything replaced", 0, big.size(), "new"},
        {"nothing changed", 3 * P, 0, ""},
    };
    for (const Case& c : cases) {
        const tv::SharedText old(big);
        std::string now = big;
        now.replace(c.at, c.removed, c.inserted);
        std::size_t asked = 0;
        const auto t = tv::SharedText::splice(old, now.size(), c.at, big.size() - c.at - c.removed,
                                              [&](std::size_t from, std::size_t to) {
                                                  asked += to - from;
                                                  return now.substr(from, to - from);
                                              });
        // The first difference, not the two texts (printing 330 KB twice
        // over would flood the log).
        const std::string got = t.str();
        ASSERT_EQ(got.size(), now.size()) << c.what;
        const auto differ = std::mismatch(got.begin(), got.end(), now.begin());
        EXPECT_EQ(differ.first - got.begin(), static_cast<std::ptrdiff_t>(now.size())) << c.what << ": first difference";
        EXPECT_EQ(t.size(), now.size()) << c.what;
        // Only the pieces the change touched are read again.
        EXPECT_LE(asked, c.inserted.size() + 2 * P) << c.what;
        if (now.size() > 3 * P) {
            EXPECT_GE(t.piecesSharedWith(old), t.pieceCount() - 2) << c.what;
        }
    }
    // From nothing, and ends larger than the texts.
    const auto fresh = tv::SharedText::splice(tv::SharedText(), 3, 99, 99, [](std::size_t, std::size_t) { return std::string("abc"); });
    EXPECT_EQ(fresh.str(), "abc");
    EXPECT_EQ(tv::SharedText("").pieceCount(), 0u);
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
