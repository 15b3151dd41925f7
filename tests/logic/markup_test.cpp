#include "editor/markup.h"
#include "text/search.h"

#include <gtest/gtest.h>

namespace {

using tv::LineMode;

struct LinesCase {
    const char* name;
    std::string sel;
    LineMode mode;
    bool startsLine;
    std::string out;
};

class MarkLinesTable : public testing::TestWithParam<LinesCase> {};

TEST_P(MarkLinesTable, Tags) {
    const LinesCase& c = GetParam();
    EXPECT_EQ(tv::MarkLines(c.sel, c.mode == LineMode::Starts ? "<LI>" : "<BR>", c.mode, c.startsLine), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MarkLinesTable,
    testing::Values(
        LinesCase{"EndsOfThreeLines", "a\r\nb\r\nc\r\n", LineMode::Ends, true, "a<BR>\r\nb<BR>\r\nc<BR>\r\n"},
        LinesCase{"BlankLineGetsNone", "a\r\n\r\nc\r\n", LineMode::Ends, true, "a<BR>\r\n\r\nc<BR>\r\n"},
        LinesCase{"LastLineWithoutBreak", "a\r\nb", LineMode::Ends, true, "a<BR>\r\nb"},
        LinesCase{"StartsOfTwoLines", "one\r\ntwo\r\n", LineMode::Starts, true, "<LI>one\r\n<LI>two\r\n"},
        LinesCase{"StartsAfterLeadingBlanks", "  one\r\n   two", LineMode::Starts, true, "  <LI>one\r\n   <LI>two"},
        LinesCase{"MidLineStartGetsNone", "ne\r\ntwo", LineMode::Starts, false, "ne\r\n<LI>two"},
        LinesCase{"EmptyLineSkipped", "a\r\n\r\nb", LineMode::Starts, true, "<LI>a\r\n\r\n<LI>b"}),
    [](const testing::TestParamInfo<LinesCase>& i) { return std::string(i.param.name); });

TEST(TagTexts, ParagraphListsAndSettings) {
    const tv::TagCommand& p = *tv::tagCommand("Paragraph1");
    EXPECT_EQ(tv::tagTexts(p, false, "<UL>", "<OL>").second, "");
    EXPECT_EQ(tv::tagTexts(p, true, "<UL>", "<OL>").second, "</P>");
    const tv::TagCommand& ol = *tv::tagCommand("OrderedList1");
    EXPECT_EQ(tv::tagTexts(ol, true, "<UL>", "<OL TYPE=a>").first, "<OL TYPE=a>\r\n");
    EXPECT_EQ(tv::tagTexts(*tv::tagCommand("HTML1"), true, "", "").second, "\r\n</HTML>");
    EXPECT_EQ(tv::tagCommand("Bold1")->shortcut, std::string("Ctrl+B"));
    EXPECT_EQ(tv::tagCommand("Nothing"), nullptr);
}

TEST(Comment, BracketsBecomeGuillemets) {
    EXPECT_EQ(tv::commentText("<B>x</B>"), "«B»x«/B»");
    EXPECT_EQ(tv::commentText("é<€>"), "é«€»");  // characters stay whole
}

TEST(Markup, WhereALineStarts) {
    EXPECT_TRUE(tv::startsLine("ab", 0));
    EXPECT_FALSE(tv::startsLine("ab", 1));
    EXPECT_TRUE(tv::startsLine("\r\nab", 2));
    EXPECT_TRUE(tv::startsLine("x\r\nab", 3));
    EXPECT_FALSE(tv::startsLine("x\r\nab", 4));
}

TEST(ColorCode, FoundAtOrBeforeTheCaret) {
    const std::string t = "<BODY BGCOLOR=\"#00ff7F\">";
    EXPECT_EQ(tv::ColorCodeAt(t, 15, 7), 15);  // the code selected
    EXPECT_EQ(tv::ColorCodeAt(t, 18, 0), 15);  // caret inside it
    EXPECT_EQ(tv::ColorCodeAt(t, 16, 0), 15);
    EXPECT_EQ(tv::ColorCodeAt(t, 23, 0), std::nullopt);  // after the closing quote
    EXPECT_EQ(tv::ColorCodeAt("#12345", 6, 0), std::nullopt);  // too short
    EXPECT_EQ(tv::ColorCodeAt("x #12AB9f", 5, 0), 2);             // at the very end of the text
    EXPECT_EQ(tv::ColorCodeAt("x #12AB9f", 2, 7), 2);
    EXPECT_EQ(tv::ColorCodeAt("x", 1, 0), std::nullopt);
    EXPECT_EQ(tv::ColorCodeAt("#12AB9f", 3, 0), 0);                // at the very start
    EXPECT_EQ(tv::ColorCodeAt("x #12AB9f y", 2, 3), std::nullopt); // part of a code selected
    EXPECT_EQ(tv::ColorCodeAt("", 0, 0), std::nullopt);
}

TEST(Search, FindsForwardOnly) {
    const std::string t = "Word word WORD";
    EXPECT_EQ(tv::findText(t, 0, "word", true), 5);
    EXPECT_EQ(tv::findText(t, 1, "word", false), 5);
    EXPECT_EQ(tv::findText(t, 6, "word", false), 10);
    EXPECT_EQ(tv::findText(t, 11, "word", false), std::nullopt);
    EXPECT_EQ(tv::findText(t, 0, "", false), std::nullopt);
    // Letters beyond ASCII fold too; the match is as long as the text looked for.
    EXPECT_EQ(tv::findText("un café, CAFÉ", 0, "CAFÉ", false), 3);
    EXPECT_EQ(tv::findText("un café, CAFÉ", 5, "café", false), 10);
    EXPECT_EQ(tv::findText("x Привет", 0, "пРИВЕТ", false), 2);
    EXPECT_EQ(tv::findText("café", 0, "CAFÉ", true), std::nullopt);
    EXPECT_EQ(tv::findText("ÿ Ÿ", 0, "Ÿ", false), 0);
    EXPECT_TRUE(tv::selectionMatches("ÉTÉ", "été", false));
    EXPECT_TRUE(tv::selectionMatches("WORD", "word", false));
    EXPECT_FALSE(tv::selectionMatches("WORD", "word", true));
    EXPECT_FALSE(tv::selectionMatches("", "", false));
}

TEST(Search, LineNumbers) {
    EXPECT_EQ(tv::parseLineNumber("12").value, 12);
    EXPECT_EQ(tv::parseLineNumber("0").value, 0);
    EXPECT_EQ(tv::parseLineNumber("99999999999").error, "'99999999999' is not a valid integer value");
    EXPECT_FALSE(tv::parseLineNumber("1a").value);
}

} // namespace
