#include "dialogs/tagreader.h"

#include <gtest/gtest.h>

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
        FindCase{"LineBreakAfterTheName", "<TR\r\nALIGN=x>", 2, 0, "tr", false, 2, 0},
        FindCase{"UnfinishedTagMovesTheCaret", "a <TABLE b", 9, 0, "table", false, 2, 0},
        FindCase{"HandSelectionAccepted", "<ABBR>", 0, 6, "a", true, 0, 6},
        FindCase{"NoTagBefore", "plain text", 5, 0, "table", false, 5, 0},
        FindCase{"EmptyText", "", 0, 0, "table", false, 0, 0},
        FindCase{"QuotedGreaterCutsTheTag", "<TD ALT=\"a>b\">", 5, 0, "td", true, 0, 11},
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

TEST(TagHelpers, ValueQuirks) {
    // A bare value runs on through a line break.
    EXPECT_EQ(tv::ReadAttribute("<IMG WIDTH=5\r\nHEIGHT=7>", "width"), "5\r\nHEIGHT=7");
    // Single quotes are not quotes.
    EXPECT_EQ(tv::ReadAttribute("<IMG ALT='a b'>", "alt"), "'a");
    // The first occurrence counts, even inside another quoted value.
    EXPECT_EQ(tv::ReadAttribute("<IMG ALT=\"x width=9\" WIDTH=3>", "width"), "9\"");
    EXPECT_EQ(tv::ReadAttribute("<A>", "href"), "");
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
    testing::Values(InputCase{"Text", 7, {{"name", "q"}, {"size", "20"}}, "<INPUT TYPE=text NAME=\"q\" SIZE=20>"},
                    InputCase{"Submit", 6, {{"value", "Submit"}, {"name", "ignored"}}, "<INPUT TYPE=submit VALUE=\"Submit\">"},
                    InputCase{"ImageHasNoValue", 2, {{"name", "i"}, {"value", "v"}, {"src", "a.gif"}, {"align", "top"}},
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
