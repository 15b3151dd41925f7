#include "tools/texttools.h"
#include "editor/markup.h"

#include <gtest/gtest.h>

namespace {

using tv::CaseMode;

struct CaseCase {
    const char* name;
    std::string text;  // the whole document
    int selStart;
    int selLength;
    CaseMode mode;
    std::string out;
};

class ChangeCaseTable : public testing::TestWithParam<CaseCase> {};

TEST_P(ChangeCaseTable, Changes) {
    const CaseCase& c = GetParam();
    EXPECT_EQ(tv::ChangeCase(c.text, c.selStart, c.selLength, c.mode), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChangeCaseTable,
    testing::Values(
        CaseCase{"Upper", "café x", 0, 7, CaseMode::Upper, "CAFÉ X"},
        CaseCase{"Lower", "ABCÉ", 0, 5, CaseMode::Lower, "abcé"},
        CaseCase{"ToggleTurnsAccentedLettersToo", "aBéÅ", 0, 6, CaseMode::Toggle, "AbÉå"},
        CaseCase{"GreekAndCyrillic", "ελλάδα привет", 0, 25, CaseMode::Upper, "ΕΛΛΆΔΑ ПРИВЕТ"},
        CaseCase{"WordsWithAccentedLetters", "émile zola", 0, 11, CaseMode::Words, "Émile Zola"},
        CaseCase{"WordsAfterAnAccentedLetter", "cafébar", 5, 3, CaseMode::Words, "bar"},
        CaseCase{"OtherCharactersStay", "中文 😀 ß", 0, 14, CaseMode::Upper, "中文 😀 ß"},
        CaseCase{"WordsAtLineStart", "x\r\no'neil and sons", 3, 15, CaseMode::Words, "O'neil And Sons"},
        CaseCase{"WordsFromTheMiddleOfAWord", "hello world", 2, 9, CaseMode::Words, "llo World"},
        CaseCase{"WordsAtTheDocumentStart", "abc", 0, 3, CaseMode::Words, "Abc"},
        CaseCase{"Sentences", "x\r\none. two! three", 3, 15, CaseMode::Sentences, "One. Two! three"},
        CaseCase{"SentencesAfterAWord", "ab cd. ef", 3, 6, CaseMode::Sentences, "cd. Ef"}),
    [](const testing::TestParamInfo<CaseCase>& i) { return std::string(i.param.name); });

TEST(TextTools, RemoveLineBreaksAndTags) {
    EXPECT_EQ(tv::RemoveLineBreaks("one\r\ntwo"), "onetwo");
    EXPECT_EQ(tv::RemoveTags("a > b <i>c</i> d < e"), "a  b c d < e");
    EXPECT_EQ(tv::RemoveTags("<<b>>"), ">");
    EXPECT_EQ(tv::RemoveTags("x>"), "x>");
}

TEST(TextTools, Indent) {
    EXPECT_EQ(tv::IndentLines("a\r\nb", true), "  a\r\n  b");
    EXPECT_EQ(tv::IndentLines("a\r\nb", false), "a\r\n  b");
    EXPECT_EQ(tv::lineStartOf("ab\r\ncd", 5), 4);
    EXPECT_EQ(tv::lineStartOf("abcd", 2), 0);
}

TEST(TextTools, UncommentUndoesComment) {
    EXPECT_EQ(tv::Uncomment("<!-- «B»x«/B» -->"), " <B>x</B> ");
    EXPECT_EQ(tv::Uncomment(tv::commentText("<p>é€</p>")), "<p>é€</p>");
    EXPECT_EQ(tv::Uncomment("\xC2\xA9 \xC2"), "\xC2\xA9 \xC2");  // other characters untouched
    EXPECT_EQ(tv::Uncomment("plain"), "plain");
    EXPECT_EQ(tv::Uncomment("-->a<!--"), "a");
}

TEST(TextTools, EightToSeven) {
    EXPECT_EQ(tv::ZapHighBits("Smørrebrød"), "Smorrebrod");
    EXPECT_EQ(tv::ZapHighBits("ß"), "B");
    EXPECT_EQ(tv::ZapHighBits("“q”…«»"), "\"q\"...<<>>");
    EXPECT_EQ(tv::ZapHighBits("î×÷©中😀"), "î×÷©中😀");  // no look-alike: stays
}

struct UrlCase {
    const char* name;
    std::string in;
    bool labels;
    int delimit;
    std::string out;
};

class UrlDecodeTable : public testing::TestWithParam<UrlCase> {};

TEST_P(UrlDecodeTable, Decodes) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(tv::UrlDecode(c.in, c.labels, c.delimit), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UrlDecodeTable,
    testing::Values(UrlCase{"LabelsAndCommas", "name=Jo+Ann&city=S%E3o+Paulo", true, 1, "Jo Ann,São Paulo"},
                    UrlCase{"Utf8Sequences", "city=S%C3%A3o+Paulo%E2%80%94ok", true, 0, "São Paulo—ok"},
                    UrlCase{"KeepLabelsOnLines", "a=1&b=2", false, 0, "a=1\r\nb=2"},
                    UrlCase{"Pipes", "a&b", false, 2, "a|b"},
                    UrlCase{"PercentAtTheEnd", "100%", false, 0, "100%"},
                    UrlCase{"EscapedPercentNotDecodedAgain", "%41%2541", false, 0, "A%41"},
                    UrlCase{"DatesStay", "10/05/98", false, 0, "10/05/98"},
                    UrlCase{"ZeroStays", "%00", false, 0, "%00"},
                    UrlCase{"EncodedSeparatorsSurvive", "a=%26%2B%3D", true, 0, "&+="},
                    UrlCase{"PercentBeforeABlank", "5% off", false, 0, "5% off"}),
    [](const testing::TestParamInfo<UrlCase>& i) { return std::string(i.param.name); });

TEST(TextTools, UrlDecodeInAWindows1252Document) {
    // Each byte is a character of the code page.
    EXPECT_EQ(tv::UrlDecode("S%C3%A3o", false, 0, false), "SÃ£o");
    EXPECT_EQ(tv::UrlDecode("S%E3o", false, 0, false), "São");
}

} // namespace
