#include "editor/textmodel.h"
#include "editor/undorules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using tv::KeyKind;
using tv::ShiftState;

TEST(WordCharacters, Ranges) {
    EXPECT_TRUE(tv::isWordChar('a', '!', ';'));
    EXPECT_TRUE(tv::isWordChar('Z', '!', ';'));
    EXPECT_TRUE(tv::isWordChar(';', '!', ';'));
    EXPECT_FALSE(tv::isWordChar(' ', '!', ';'));
    EXPECT_TRUE(tv::isWordChar(' ', ' ', ';'));
    EXPECT_FALSE(tv::isWordChar('<', '!', ';'));
    EXPECT_FALSE(tv::isWordChar('@', '!', ';'));
    EXPECT_FALSE(tv::isWordChar(0xE9, '!', ';'));
}

struct PressCase {
    const char* name;
    unsigned char ch;
    bool selection;
    bool undoEmpty;
    bool redoNonEmpty;
    bool save;
    bool pending;
};

class KeyPressTable : public testing::TestWithParam<PressCase> {};

TEST_P(KeyPressTable, Effect) {
    const PressCase& c = GetParam();
    const tv::KeyEffect e = tv::keyPressEffect(c.ch, c.selection, {c.undoEmpty, c.redoNonEmpty});
    EXPECT_EQ(e.saveUndo, c.save);
    EXPECT_EQ(e.colorPending, c.pending);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyPressTable,
    testing::Values(PressCase{"LetterContinues", 'a', false, false, false, false, false},
                    PressCase{"FirstLetterStarts", 'a', false, true, false, true, false},
                    PressCase{"LetterAfterUndoStarts", 'a', false, false, true, true, false},
                    PressCase{"BlankStarts", ' ', false, false, false, true, false},
                    PressCase{"OpeningBracket", '<', false, false, false, true, true},
                    PressCase{"ClosingBracket", '>', false, false, false, true, true},
                    PressCase{"QuestionMarkStarts", '?', false, false, false, true, false},
                    PressCase{"SelectionAlwaysStarts", 'a', true, false, false, true, false},
                    PressCase{"BackspaceNeverHere", '\b', true, true, false, false, false},
                    PressCase{"HighCharacterStarts", 0xE9, false, false, false, true, false}),
    [](const testing::TestParamInfo<PressCase>& i) { return std::string(i.param.name); });

struct DownCase {
    const char* name;
    tv::KeyDownInput in;
    bool undoEmpty;
    bool save;
    bool pending;
};

class KeyDownTable : public testing::TestWithParam<DownCase> {};

TEST_P(KeyDownTable, Effect) {
    const DownCase& c = GetParam();
    const tv::KeyEffect e = tv::keyDownEffect(c.in, {c.undoEmpty, false});
    EXPECT_EQ(e.saveUndo, c.save);
    EXPECT_EQ(e.colorPending, c.pending);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyDownTable,
    testing::Values(
        DownCase{"DeleteSelectionWithBracket", {KeyKind::Delete, ShiftState::None, true, true, false, 0}, false, true, true},
        DownCase{"DeleteSelectionPlain", {KeyKind::Delete, ShiftState::None, true, false, false, 0}, false, true, false},
        DownCase{"ArrowOverBracket", {KeyKind::Other, ShiftState::None, true, true, false, 0}, false, false, true},
        DownCase{"ShiftArrowOverBracket", {KeyKind::Other, ShiftState::ShiftOnly, true, true, false, 0}, false, false, true},
        DownCase{"CtrlKeyOverBracket", {KeyKind::Other, ShiftState::Other, true, true, false, 0}, false, false, false},
        DownCase{"BackspaceBlankContinues", {KeyKind::Backspace, ShiftState::None, false, false, true, ' '}, false, false, false},
        DownCase{"BackspaceLetterFirstStep", {KeyKind::Backspace, ShiftState::None, false, false, true, 'a'}, true, true, false},
        DownCase{"DeleteBracket", {KeyKind::Delete, ShiftState::None, false, false, true, '>'}, false, true, true},
        DownCase{"DeleteLineBreak", {KeyKind::Delete, ShiftState::None, false, false, true, '\r'}, false, true, false},
        DownCase{"NothingToRemove", {KeyKind::Delete, ShiftState::None, false, false, false, 0}, true, false, false},
        DownCase{"ArrowWithoutSelection", {KeyKind::Other, ShiftState::None, false, false, false, 0}, true, false, false}),
    [](const testing::TestParamInfo<DownCase>& i) { return std::string(i.param.name); });

TEST(Clamping, LinesAndColumns) {
    EXPECT_EQ(tv::clampLine(-3, 5), 0);
    EXPECT_EQ(tv::clampLine(9, 5), 4);
    EXPECT_EQ(tv::clampLine(2, 0), 0);
    EXPECT_EQ(tv::clampColumn(10, 3), 3);
    EXPECT_EQ(tv::clampColumn(-1, 3), 0);
}

TEST(Title, TakenBetweenTheFirstTags) {
    EXPECT_EQ(tv::GetTitleText("<html><title>A &amp; B</title><title>x</title>"), "A & B");
    EXPECT_EQ(tv::GetTitleText("<TITLE></TITLE>"), "");
    EXPECT_EQ(tv::GetTitleText("<title>&#99999999999;</title>"), "&#99999999999;");
    EXPECT_EQ(tv::GetTitleText("<title"), "");
}

// The tracker looks only around a change where it can; whatever the edits,
// its title is the one a look at the whole text finds.
// The first title removed: the next one, far beyond the change, is found.
TEST(Title, ANextTitleFarAwayIsFound) {
    const std::string pad(5000, 'p');
    std::string text = "<P><TITLE>a</TITLE>" + pad + "<TITLE>b</TITLE>";
    tv::TitleTracker tracker;
    ASSERT_EQ(tracker.update(text, 0, 0), "a");
    text.erase(3, 16);
    EXPECT_EQ(tracker.update(text, 3, text.size() - 3), "b");
}

TEST(Title, TrackerAgreesWithTheWholeText) {
    const std::string pieces[] = {"<TITLE>", "</TITLE>", "<title>", "</title>", "x", "A &amp; B", "<", ">",
                                  "TITLE", "/", "<P>", "\r\n", "</TITL", "E>",
                                  std::string(5000, 'p')};  // a title far from a change is looked for in the whole text
    std::mt19937 rng(7);
    auto piece = [&] { return pieces[rng() % std::size(pieces)]; };
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0, n = static_cast<int>(rng() % 12); i < n; ++i) text += piece();
        tv::TitleTracker tracker;
        ASSERT_EQ(tracker.update(text, 0, 0), tv::GetTitleText(text));
        for (int step = 0; step < 40; ++step) {
            // One to three edits before the title is asked for again.
            std::size_t front = text.size(), back = text.size();
            for (int e = 0, edits = 1 + static_cast<int>(rng() % 3); e < edits; ++e) {
                const std::size_t start = text.empty() ? 0 : rng() % (text.size() + 1);
                const std::size_t removed = std::min<std::size_t>(rng() % 9, text.size() - start);
                const std::string inserted = rng() % 3 == 0 ? std::string() : piece();
                text.replace(start, removed, inserted);
                front = std::min(front, start);
                back = std::min(back, text.size() - start - inserted.size());
            }
            ASSERT_EQ(tracker.update(text, front, back), tv::GetTitleText(text))
                << "round " << round << " step " << step << ": " << text;
        }
    }
}

} // namespace
