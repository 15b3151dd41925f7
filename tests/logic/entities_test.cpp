#include "text/entities.h"

#include "text/codec.h"

#include <gtest/gtest.h>

using tv::EntityDirection;
using tv::TranslateEntities;

namespace {

struct Case {
    const char* name;
    std::string in;
    std::string out;
};

class ToEntities : public testing::TestWithParam<Case> {};
class ToCharacters : public testing::TestWithParam<Case> {};

TEST_P(ToEntities, Converts) {
    EXPECT_EQ(TranslateEntities(GetParam().in, EntityDirection::ToEntities), GetParam().out);
}

TEST_P(ToCharacters, Converts) {
    EXPECT_EQ(TranslateEntities(GetParam().in, EntityDirection::ToCharacters), GetParam().out);
}

std::string caseName(const testing::TestParamInfo<Case>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    Table, ToEntities,
    testing::Values(
        Case{"NamedRowsAndNumericRule", "éÇ®™î", "&eacute;&Ccedil;&reg;&trade;&#238;"},
        Case{"MarkupCharactersStay", "<a href=\"x\">", "<a href=\"x\">"},
        Case{"AmpersandOnlyBeforeABlank", "a & b &c", "a &amp; b &c"},
        Case{"CopyrightAndHighPunctuation", "© “q”", "&copy; &#8220;q&#8221;"},
        Case{"AnyCharacterByItsCodePoint", "中 😀 €", "&#20013; &#128512; &#8364;"},
        Case{"PlainAsciiUnchanged", "abc", "abc"},
        Case{"EmptyText", "", ""}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Table, ToCharacters,
    testing::Values(
        Case{"WithAndWithoutSemicolon", "&eacute &eacute;", "é é"},
        Case{"NumericWithAndWithoutSemicolon", "&#65;&#65", "AA"},
        Case{"HexadecimalStays", "&#x41;", "&#x41;"},
        Case{"NameFollowedByLetters", "&copyX", "©X"},
        Case{"AmpRowRunsBeforeLt", "&amp;lt;", "<"},
        Case{"NestedAmpCollapses", "&amp;amp;", "&"},
        Case{"CaseMatters", "&EACUTE;", "&EACUTE;"},
        Case{"BlanksAndDashes", "a&nbsp;b&emdash;c&shy;", "a b-c-"},
        Case{"HashWithoutDigits", "&#;&#", "&#;&#"},
        Case{"AnyCodePoint", "&#8364; &#256 &#20013;", "€ Ā 中"},
        Case{"CodesOfTheCodePageAsBrowsersReadThem", "&#128;&#150;", "€–"},
        Case{"NoCharacterStays", "&#55296; &#1114112;", "&#55296; &#1114112;"},
        Case{"CodeZeroStays", "&#0;", "&#0;"},
        Case{"LeadingZeros", "&#00000000000065;", "A"},
        Case{"DecodedAmpersandIsNotScannedAgain", "&#38;#65;", "&#65;"}),
    caseName);

TEST(TranslateEntitiesErrors, NumberTooLargeNamesTheDigits) {
    try {
        TranslateEntities("x &#99999999999; y", EntityDirection::ToCharacters);
        FAIL() << "no error";
    } catch (const tv::EntityNumberError& e) {
        EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
    }
}

TEST(TranslateEntities, AWindows1252DocumentTakesOnlyItsOwnCharacters) {
    EXPECT_EQ(TranslateEntities("&#8364; &#256; &#20013; &#233; &#128;", EntityDirection::ToCharacters, false),
              "€ &#256; &#20013; é €");
}

TEST(TranslateEntitiesRoundTrip, EveryCharacterOfTheCodePageComesBack) {
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b) bytes += static_cast<char>(b);
    const std::string all = tv::windows1252().decode(bytes);
    const std::string encoded = TranslateEntities(all, EntityDirection::ToEntities);
    for (char c : encoded) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    for (bool anyCharacter : {true, false})
        EXPECT_EQ(TranslateEntities(encoded, EntityDirection::ToCharacters, anyCharacter), all);
}

struct ReplaceCase {
    const char* name;
    std::string text, find, repl;
    bool caseSensitive;
    int count;
    std::string result;
};

class ReplaceAllTable : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTable, Replaces) {
    const ReplaceCase& c = GetParam();
    std::string text = c.text;
    EXPECT_EQ(tv::ReplaceAll(c.find, c.repl, text, c.caseSensitive), c.count);
    EXPECT_EQ(text, c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceAllTable,
    testing::Values(
        ReplaceCase{"Simple", "a-b-c", "-", "+", true, 2, "a+b+c"},
        ReplaceCase{"InsertedTextNotSearchedAgain", "aa", "a", "aa", true, 2, "aaaa"},
        ReplaceCase{"CaseFoldsAsciiOnly", "Abc ABC é É", "é", "x", false, 1, "Abc ABC x É"},
        ReplaceCase{"CaseSensitive", "Abc abc", "abc", "x", true, 1, "Abc x"},
        ReplaceCase{"EmptyFindReplacesNothing", "abc", "", "x", true, 0, "abc"},
        ReplaceCase{"NonOverlapping", "aaa", "aa", "b", true, 1, "ba"}),
    [](const testing::TestParamInfo<ReplaceCase>& i) { return std::string(i.param.name); });

} // namespace
