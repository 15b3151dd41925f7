#include "dialogs/headtags.h"
#include "dialogs/objecttags.h"
#include "dialogs/tagreader.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <optional>

namespace {

struct FindCase {
    const char* name;
    std::string text;
    int selStart, selLength;
    std::string element;
    bool found;
    int newStart, newLength;
};

class FindTagTable : public testing::TestWithParam<FindCase> {};

TEST_P(FindTagTable, Walks) {
    const FindCase& c = GetParam();
    const tv::FoundTag f = tv::FindTagIn(c.text, c.selStart, c.selLength, c.element);
    EXPECT_EQ(f.found, c.found);
    EXPECT_EQ(f.selStart, c.newStart);
    EXPECT_EQ(f.selLength, c.newLength);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindTagTable,
    testing::Values(
        FindCase{"InsideTheTag", "x<TABLE BORDER=1>y", 8, 0, "table", true, 1, 16},
        FindCase{"RightAfterTheOpening", "<TABLE>", 1, 0, "table", true, 0, 7},
        FindCase{"JustAfterTheClosing", "<TABLE>x", 7, 0, "table", false, 7, 0},
        FindCase{"LowerCaseElement", "<table>", 3, 0, "TABLE", true, 0, 7},
        FindCase{"OtherElementNearer", "<TABLE><TD>", 9, 0, "table", false, 9, 0},
        FindCase{"NameGoesOn", "<TABLEX>", 3, 0, "table", false, 3, 0},
        FindCase{"LineBreakAfterTheName", "<TR\r\nALIGN=x>", 2, 0, "tr", true, 0, 13},
        FindCase{"UnfinishedTagEndsBeforeTheNextTag", "<TABLE border=1\r\n<TR><TD>x", 3, 0, "table", true, 0, 15},
        FindCase{"CaretInTheBlanksOfAnUnfinishedTag", "<TABLE border=1\r\n<TR>", 16, 0, "table", true, 0, 15},
        FindCase{"UnfinishedAtTheEnd", "a <TABLE b", 9, 0, "table", true, 2, 8},
        FindCase{"CaretAfterAQuotedGreater", "<IMG ALT=\"a>b\" SRC=x>", 13, 0, "img", true, 0, 21},
        FindCase{"SingleQuotedGreater", "<IMG ALT='>' SRC=x>", 10, 0, "img", true, 0, 19},
        FindCase{"InsideAnEndTag", "<A>x</A>", 6, 0, "a", false, 6, 0},
        FindCase{"HandSelectionAccepted", "<ABBR>", 0, 6, "a", true, 0, 6},
        FindCase{"NoTagBefore", "plain text", 5, 0, "table", false, 5, 0},
        FindCase{"EmptyText", "", 0, 0, "table", false, 0, 0},
        FindCase{"QuotedGreaterStaysInTheValue", "<TD ALT=\"a>b\">", 5, 0, "td", true, 0, 14},
        FindCase{"CharactersBeyondAscii", "é<IMG ALT=\"Zoë 中\">ü", 10, 0, "img", true, 2, 20}),
    [](const testing::TestParamInfo<FindCase>& i) { return std::string(i.param.name); });

TEST(TagHelpers, ExtractAttributes) {
    std::string tag = "<TABLE BORDER=1 WIDTH=\"100%\">";
    EXPECT_EQ(tv::ExtractAttribute(tag, "width"), "100%");
    EXPECT_EQ(tag, "<TABLE BORDER=1>");
    EXPECT_EQ(tv::ExtractAttribute(tag, "border"), "1");
    EXPECT_EQ(tag, "<TABLE>");
    EXPECT_EQ(tv::ExtractAttribute(tag, "border"), "");
    EXPECT_EQ(tag, "<TABLE>");
}

TEST(TagHelpers, ValuesBeyondAscii) {
    std::string tag = "<IMG SRC=\"café.png\" ALT=\"Zoë — 中文 😀\" WIDTH=20>";
    EXPECT_EQ(tv::ExtractAttribute(tag, "alt"), "Zoë — 中文 😀");
    EXPECT_EQ(tv::ExtractAttribute(tag, "src"), "café.png");
    EXPECT_EQ(tag, "<IMG WIDTH=20>");
    tv::AppendAttribute(tag, "ALT=\"naïve\"");
    EXPECT_EQ(tag, "<IMG WIDTH=20 ALT=\"naïve\">");
}

TEST(TagHelpers, ValuesAsABrowserReadsThem) {
    EXPECT_EQ(tv::ReadAttribute("<IMG WIDTH=5\r\nHEIGHT=7>", "height"), "7");
    EXPECT_EQ(tv::ReadAttribute("<IMG ALT='a b'>", "alt"), "a b");
    EXPECT_EQ(tv::ReadAttribute("<IMG ALT=\"x width=9\" WIDTH=3>", "width"), "3");
    EXPECT_EQ(tv::ReadAttribute("<HR width = 50%>", "width"), "50%");
    EXPECT_EQ(tv::ReadAttribute("<IMG SRC=a.gif/>", "src"), "a.gif/");
    EXPECT_EQ(tv::ReadAttribute("<A>", "href"), "");
    // A flag has no value: the key with "=" is what counts.
    std::string tag = "<TD NOWRAP ALIGN=left>";
    EXPECT_EQ(tv::ExtractAttribute(tag, "nowrap"), "");
    EXPECT_EQ(tag, "<TD NOWRAP ALIGN=left>");
}

TEST(TagHelpers, AttributeTexts) {
    EXPECT_EQ(tv::attributeText("ALIGN", "left", false), " ALIGN=left");
    EXPECT_EQ(tv::attributeText("ALIGN", "top left", false), " ALIGN=\"top left\"");
    EXPECT_EQ(tv::attributeText("ALT", "", true), "");
    EXPECT_EQ(tv::attributeText("ALT", "say \"hi\"", true), " ALT='say \"hi\"'");
    EXPECT_EQ(tv::attributeText("ALT", "it's \"x\"", true), " ALT=\"it's &quot;x&quot;\"");
    EXPECT_EQ(tv::attributeText("WIDTH", "a=b", false), " WIDTH=\"a=b\"");
}

TEST(TagHelpers, UnclosedQuoteKeepsTheClosingBracket) {
    std::string tag = "<TD ALIGN=\"left>";
    EXPECT_EQ(tv::ExtractAttribute(tag, "align"), "left");
    EXPECT_EQ(tag, "<TD>");
    tv::AppendAttribute(tag, "ALIGN=left");
    EXPECT_EQ(tag, "<TD ALIGN=left>");
}

TEST(TagHelpers, FlagsAndAppend) {
    std::string tag = "<TD nowrap colspan=2>";
    EXPECT_TRUE(tv::ExtractFlag(tag, "NOWRAP"));
    EXPECT_EQ(tag, "<TD colspan=2>");
    EXPECT_FALSE(tv::ExtractFlag(tag, "NOWRAP"));
    std::string t = "<TABLE>";
    tv::AppendAttribute(t, "BORDER=2");
    tv::AppendAttribute(t, "");
    tv::AppendAttribute(t, " ID=x");
    EXPECT_EQ(t, "<TABLE BORDER=2 ID=x>");
}

struct EditCase {
    const char* name;
    const tv::TagSpec* spec;
    std::string oldTag;
    tv::Fields changes;
    std::string newTag;
};

class EditTable : public testing::TestWithParam<EditCase> {};

TEST_P(EditTable, RebuildsTheTag) {
    const EditCase& c = GetParam();
    std::string tag = c.oldTag;
    tv::Fields fields;
    tv::readTagFields(*c.spec, tag, fields);
    for (const auto& [k, v] : c.changes) fields[k] = v;
    EXPECT_EQ(tv::buildTag(*c.spec, tag, fields), c.newTag);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditTable,
    testing::Values(
        EditCase{"TableBorderChanged", &tv::tableSpec(), "<TABLE border=1 Width=\"50%\" ID=x>", {{"border", "2"}},
                 "<TABLE ID=x BORDER=2 WIDTH=\"50%\">"},
        EditCase{"LowerCaseNameKept", &tv::tableSpec(), "<table>", {{"border", "1"}}, "<table BORDER=1>"},
        EditCase{"CellUnchanged", &tv::tableDataSpec(), "<TD nowrap colspan=2>", {}, "<TD COLSPAN=2 NOWRAP>"},
        EditCase{"ColourNameQuoted", &tv::tableSpec(), "<TABLE BGCOLOR=red>", {}, "<TABLE BGCOLOR=\"red\">"},
        EditCase{"FormWithoutMethod", &tv::formSpec(), "<FORM ACTION=x.cgi>", {}, "<FORM ACTION=\"x.cgi\">"},
        EditCase{"SelectMultiple", &tv::selectSpec(), "<SELECT multiple NAME=s>", {}, "<SELECT NAME=\"s\" MULTIPLE>"},
        EditCase{"TextAreaOrder", &tv::textAreaSpec(), "<TEXTAREA wrap=virtual cols=4 name=t>", {{"rows", "2"}},
                 "<TEXTAREA NAME=\"t\" ROWS=2 COLS=4 WRAP=\"virtual\">"}),
    [](const testing::TestParamInfo<EditCase>& i) { return std::string(i.param.name); });

TEST(TagBuilders, NewTables) {
    const std::string t = tv::buildTag(tv::tableSpec(), "<TABLE>", {{"border", "1"}, {"width", "100%"}});
    EXPECT_EQ(t, "<TABLE BORDER=1 WIDTH=\"100%\">");
    const tv::PendingTexts p = tv::tablePending(t, "Prices");
    EXPECT_EQ(p.start + "S" + p.end, "<TABLE BORDER=1 WIDTH=\"100%\">\r\n<CAPTION>Prices</CAPTION>\r\nS\r\n</TABLE>");
    const tv::PendingTexts empty = tv::tablePending(tv::buildTag(tv::tableSpec(), "<TABLE>", {}), "");
    EXPECT_EQ(empty.start + "S" + empty.end, "<TABLE>\r\nS\r\n</TABLE>");
    const tv::PendingTexts form = tv::pendingFor(tv::formSpec(), tv::buildTag(tv::formSpec(), "<FORM>", {{"method", "post"}}));
    EXPECT_EQ(form.start + form.end, "<FORM METHOD=\"post\"></FORM>");
    const tv::PendingTexts select = tv::pendingFor(tv::selectSpec(), tv::buildTag(tv::selectSpec(), "<SELECT>", {{"size", "1"}}));
    EXPECT_EQ(select.start + "S" + select.end, "<SELECT SIZE=\"1\">\r\nS\r\n</SELECT>");
}

// Real-world tags, edited with a dialog and written back: the text around
// the tag stays, and every attribute keeps the value a browser reads.
struct RoundTripCase {
    const char* name;
    std::string text;
    int caret;
    const tv::TagSpec* spec;
    tv::Fields changes;
    std::string after;
};

class RoundTripTable : public testing::TestWithParam<RoundTripCase> {};

// The first value of each attribute name, as a browser takes it.
std::map<std::string, std::optional<std::string>> firstValues(std::string_view text, std::size_t at) {
    const tv::TagShape shape = tv::scanTag(text, at);
    std::map<std::string, std::optional<std::string>> out;
    for (const tv::TagAttribute& a : shape.attributes) {
        std::string name(a.nameIn(text));
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        std::optional<std::string> v;
        if (a.hasValue) v = std::string(a.valueIn(text));
        out.emplace(name, v);
    }
    return out;
}

TEST_P(RoundTripTable, KeepsTheTextAndTheValues) {
    const RoundTripCase& c = GetParam();
    const tv::FoundTag f = tv::FindTagIn(c.text, c.caret, 0, c.spec->element);
    ASSERT_TRUE(f.found);
    std::string tag = c.text.substr(static_cast<std::size_t>(f.selStart), static_cast<std::size_t>(f.selLength));
    tv::Fields fields;
    tv::readTagFields(*c.spec, tag, fields);
    for (const auto& [k, v] : c.changes) fields[k] = v;
    const std::string rebuilt = tv::buildTag(*c.spec, tag, fields);
    const std::string after = c.text.substr(0, static_cast<std::size_t>(f.selStart)) + rebuilt +
                              c.text.substr(static_cast<std::size_t>(f.selStart + f.selLength));
    EXPECT_EQ(after, c.after);
    auto before = firstValues(c.text, static_cast<std::size_t>(f.selStart));
    auto now = firstValues(after, static_cast<std::size_t>(f.selStart));
    for (const auto& [k, v] : c.changes) {
        std::string name;
        for (const tv::TagItem& item : c.spec->write)
            if (item.field == k) name = item.attr;
        before.erase(name);
        now.erase(name);
    }
    for (const auto& [name, value] : before) {
        ASSERT_TRUE(now.count(name)) << name;
        if (value && now[name]) {
            EXPECT_EQ(*now[name], *value) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundTripTable,
    testing::Values(
        RoundTripCase{"SingleQuotes", "<p><img src='pic one.gif' alt='a b' class=foo></p>", 8, &tv::imageSpec(), {},
                      "<p><img class=foo SRC=\"pic one.gif\" ALT=\"a b\"></p>"},
        RoundTripCase{"NameInsideAValue", "<img alt=\"x width=9\" src=b.gif width=10>", 3, &tv::imageSpec(), {},
                      "<img SRC=\"b.gif\" ALT=\"x width=9\" WIDTH=10>"},
        RoundTripCase{"GreaterInsideAValue", "<a href=\"x.html\" title=\"a > b\">link</a>", 2, &tv::anchorSpec(), {},
                      "<a HREF=\"x.html\" TITLE=\"a > b\">link</a>"},
        RoundTripCase{"OverSeveralLines", "<TABLE\r\n  border=1\r\n  class=\"grid\"\r\n  width=\"100%\">\r\n<TR>", 3,
                      &tv::tableSpec(), {{"border", "2"}}, "<TABLE\r\n  class=\"grid\" BORDER=2 WIDTH=\"100%\">\r\n<TR>"},
        RoundTripCase{"MissingGreater", "<TABLE border=1\r\n<TR><TD>Cell one\r\n<A HREF=x>y</A>", 3, &tv::tableSpec(), {},
                      "<TABLE BORDER=1\r\n<TR><TD>Cell one\r\n<A HREF=x>y</A>"},
        RoundTripCase{"UnknownAttributesEntitiesAndWideText",
                      "<a href=\"a.html?x=1&amp;y=2\" data-x='{\"k\":1}' title=\"Zoë — 中文\">", 2, &tv::anchorSpec(), {},
                      "<a data-x='{\"k\":1}' HREF=\"a.html?x=1&amp;y=2\" TITLE=\"Zoë — 中文\">"},
        RoundTripCase{"EmptyValueStays", "<img src=\"s.gif\" alt=\"\">", 2, &tv::imageSpec(), {},
                      "<img alt=\"\" SRC=\"s.gif\">"},
        RoundTripCase{"EmptyValueGivenOne", "<img src=\"s.gif\" alt=\"\">", 2, &tv::imageSpec(), {{"alt", "Logo"}},
                      "<img SRC=\"s.gif\" ALT=\"Logo\">"},
        RoundTripCase{"DoubleQuotesInSingle", "<img alt='say \"hi\"' src=a.gif>", 2, &tv::imageSpec(), {},
                      "<img SRC=\"a.gif\" ALT='say \"hi\"'>"},
        RoundTripCase{"SelfClosing", "<img src=\"a.gif\" class=x/>", 2, &tv::imageSpec(), {},
                      "<img class=x/ SRC=\"a.gif\">"},
        RoundTripCase{"SelfClosingWithBlank", "<img src=\"a.gif\" alt=\"x\" />", 2, &tv::imageSpec(), {},
                      "<img SRC=\"a.gif\" ALT=\"x\" />"},
        RoundTripCase{"SlashRightAfterTheName", "<hr/>", 2, &tv::ruleSpec(), {{"size", "2"}}, "<hr SIZE=2 />"},
        RoundTripCase{"FlagWithAValueStays", "<td nowrap=\"nowrap\" colspan=2>", 2, &tv::tableDataSpec(), {},
                      "<td nowrap=\"nowrap\" COLSPAN=2>"},
        RoundTripCase{"FlagUnticked", "<td nowrap=\"nowrap\" colspan=2>", 2, &tv::tableDataSpec(), {{"nowrap", ""}},
                      "<td COLSPAN=2>"},
        RoundTripCase{"TheFirstOfTwoCounts", "<td align=left align=right>", 2, &tv::tableDataSpec(), {},
                      "<td ALIGN=left>"},
        RoundTripCase{"BlanksAroundTheEquals", "<hr width = 50% noshade>", 2, &tv::ruleSpec(), {},
                      "<hr WIDTH=50% NOSHADE>"},
        RoundTripCase{"TypedValueWithABlank", "<TR align=center>", 2, &tv::tableRowSpec(), {{"valign", "top left"}},
                      "<TR ALIGN=center VALIGN=\"top left\">"},
        RoundTripCase{"NoBlankBetweenAttributes", "<img src=\"a\"alt=\"b\" title=c>", 2, &tv::imageSpec(), {},
                      "<img title=c SRC=\"a\" ALT=\"b\">"},
        RoundTripCase{"QuoteRunningIntoTheNextTag", "<a title=\"x <b>y</b>\">z</a>", 2, &tv::anchorSpec(),
                      {{"url", "p.html"}}, "<a HREF=\"p.html\" title=\"x <b>y</b>\">z</a>"},
        RoundTripCase{"UnclosedQuoteEndsAtTheGreater", "<TD ALIGN=\"left>x", 2, &tv::tableDataSpec(), {},
                      "<TD ALIGN=left>x"}),
    [](const testing::TestParamInfo<RoundTripCase>& i) { return std::string(i.param.name); });

struct InputCase {
    const char* name;
    int type;
    tv::Fields fields;
    std::string tag;
};

class InputTable : public testing::TestWithParam<InputCase> {};

TEST_P(InputTable, Builds) { EXPECT_EQ(tv::buildInputTag(GetParam().type, GetParam().fields), GetParam().tag); }

INSTANTIATE_TEST_SUITE_P(
    Table, InputTable,
    testing::Values(InputCase{"Text", 7, {{"name", "q"}, {"size", "20"}, {"maxlength", "9"}},
                              "<INPUT TYPE=text NAME=\"q\" SIZE=20 MAXLENGTH=9>"},
                    InputCase{"Submit", 6, {{"value", "Submit"}, {"name", "ignored"}}, "<INPUT TYPE=submit VALUE=\"Submit\">"},
                    InputCase{"ImageHasNoValue", 2,
                              {{"name", "i"}, {"value", "v"}, {"src", "a.gif"}, {"align", "top"}, {"checked", "1"}, {"size", "3"}},
                              "<INPUT TYPE=image NAME=\"i\" SRC=\"a.gif\" ALIGN=top>"},
                    InputCase{"CheckedCheckbox", 0, {{"name", "c"}, {"value", "1"}, {"checked", "1"}},
                              "<INPUT TYPE=checkbox NAME=\"c\" VALUE=\"1\" CHECKED>"},
                    InputCase{"NameRequired", 4, {{"value", "x"}}, ""},
                    InputCase{"HiddenIgnoresSizes", 1, {{"name", "h"}, {"size", "3"}}, "<INPUT TYPE=hidden NAME=\"h\">"}),
    [](const testing::TestParamInfo<InputCase>& i) { return std::string(i.param.name); });

TEST(TagBuilders, OptionListsAndScript) {
    EXPECT_EQ(tv::buildOptionTag("3", true), "<OPTION VALUE=\"3\" SELECTED>");
    EXPECT_EQ(tv::buildOptionTag("", false), "<OPTION>");
    EXPECT_EQ(tv::buildOrderedTag(3, "I"), "<OL TYPE=I START=I>");
    EXPECT_EQ(tv::buildOrderedTag(0, "5"), "<OL TYPE=1 START=5>");
    EXPECT_EQ(tv::buildOrderedTag(5, "7"), "<OL>");
    EXPECT_EQ(tv::buildOrderedTag(-1, "7"), "<OL>");
    EXPECT_EQ(tv::buildUnorderedTag("square"), "<UL TYPE=square>");
    EXPECT_EQ(tv::buildUnorderedTag(""), "<UL>");
    EXPECT_EQ(tv::buildUnorderedTag(std::string(300, 'x')).size(), 255u);
    EXPECT_EQ(tv::orderTypeOf("i"), 4);
    EXPECT_EQ(tv::orderTypeOf("x"), -1);
    const tv::PendingTexts js = tv::scriptPending("JavaScript", "L");
    EXPECT_EQ(js.start + js.end, "<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\nL\r\n//-->\r\n</SCRIPT>");
    const tv::PendingTexts bare = tv::scriptPending("", "L");
    EXPECT_EQ(bare.start, "<SCRIPT>L");
}

TEST(RelativeReferences, FromTheDocumentsFolder) {
    EXPECT_EQ(tv::RelativeReference("/site/img/a.gif", true, false, "/site/pages/p.html", false, "/opt/taviron"),
              "../img/a.gif");
    EXPECT_EQ(tv::RelativeReference("/site/pages/sub/a.gif", true, false, "/site/pages/p.html", false, ""),
              "sub/a.gif");
    EXPECT_EQ(tv::RelativeReference("/site/a.gif", true, false, "Untitled 0", true, ""), "a.gif");
    EXPECT_EQ(tv::RelativeReference("/home/u/foot.txt", false, true, "Untitled 0", true, "/home/u/bin/taviron"),
              "../foot.txt");
    // Folders differing only in letter case are different folders here.
    EXPECT_EQ(tv::RelativeReference("/Site/a.gif", true, false, "/site/p.html", false, ""), "../Site/a.gif");
}

} // namespace
