#include "text/search.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

struct ReplaceAllCase {
    const char* name;
    const char* text;
    int selStart, selLength;
    const char* find;
    const char* replacement;
    bool caseSensitive;
    const char* after;  // the whole text afterwards
    int count;
    int caret;
};

class ReplaceAllFromTable : public testing::TestWithParam<ReplaceAllCase> {};

TEST_P(ReplaceAllFromTable, ReplacesFromTheSelectionOn) {
    const ReplaceAllCase& c = GetParam();
    const std::string text = c.text;
    const tv::ReplaceAllResult r =
        tv::replaceAllFrom(text, c.selStart, c.selLength, c.find, c.replacement, c.caseSensitive);
    EXPECT_EQ(r.count, c.count);
    EXPECT_EQ(r.caret, c.caret);
    std::string whole = text;
    if (r.count > 0) whole.replace(static_cast<std::size_t>(r.from), static_cast<std::size_t>(r.to - r.from), r.text);
    EXPECT_EQ(whole, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceAllFromTable,
    testing::Values(
        ReplaceAllCase{"every match from the caret", "a-a-a", 0, 0, "a", "aa", false, "aa-aa-aa", 3, 8},
        ReplaceAllCase{"replacements are not searched again", "aaa", 0, 0, "a", "aa", false, "aaaaaa", 3, 6},
        ReplaceAllCase{"matches before the caret stay", "x x x", 2, 0, "x", "y", false, "x y y", 2, 5},
        ReplaceAllCase{"a matching selection is the first", "ab ab", 3, 2, "AB", "c", false, "ab c", 1, 4},
        ReplaceAllCase{"a selection that does not match is skipped", "xab ab", 0, 1, "ab", "c", false, "xc c", 2, 4},
        ReplaceAllCase{"letter case ignored", "Word X WORD", 0, 0, "word", "w", false, "w X w", 2, 5},
        ReplaceAllCase{"letter case kept", "Word X WORD", 0, 0, "WORD", "w", true, "Word X w", 1, 8},
        ReplaceAllCase{"nothing found leaves the caret", "abc", 1, 1, "z", "y", false, "abc", 0, 1},
        ReplaceAllCase{"an empty find replaces nothing", "abc", 0, 0, "", "y", false, "abc", 0, 0},
        ReplaceAllCase{"line breaks are text like any other", "a\r\nb\r\n", 0, 0, "\r\n", "<BR>\r\n", false,
                       "a<BR>\r\nb<BR>\r\n", 2, 14}),
    [](const testing::TestParamInfo<ReplaceAllCase>& i) {
        std::string n = i.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

TEST(ReplaceAllFrom, ManyMatchesInALargeText) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "<td>cell</td>\r\n";
    const tv::ReplaceAllResult r = tv::replaceAllFrom(text, 0, 0, "<TD>", "<TH>", false);
    EXPECT_EQ(r.count, 2000);
    EXPECT_EQ(r.from, 0);
    EXPECT_EQ(r.to, static_cast<int>(text.size()) - 15 + 4);
    EXPECT_EQ(r.text.substr(0, 10), "<TH>cell</");
}

} // namespace
