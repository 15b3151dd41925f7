#include "dialogs/headtags.h"

#include <gtest/gtest.h>

namespace {

std::string edited(const tv::TagSpec& spec, std::string tag) {
    tv::Fields f;
    tv::readTagFields(spec, tag, f);
    return tv::buildTag(spec, tag, f);
}

TEST(EditedTags, UnchangedDialogsMoveKnownAttributesToTheEnd) {
    EXPECT_EQ(edited(tv::bodySpec(), "<BODY bgcolor=white onload=\"go()\">"), "<BODY onload=\"go()\" BGCOLOR=\"white\">");
    EXPECT_EQ(edited(tv::ruleSpec(), "<HR noshade width=50%>"), "<HR WIDTH=50% NOSHADE>");
    EXPECT_EQ(tv::buildTag(tv::ruleSpec(), "<HR>", {}), "<HR>");
    EXPECT_EQ(tv::bodyPending(tv::buildTag(tv::bodySpec(), "<BODY>", {{"bground", "#FFFFFF"}})).start,
              "<BODY BGCOLOR=\"#FFFFFF\">\r\n");
}

TEST(FontTags, SizeRules) {
    std::string tag = "<FONT SIZE=+2 COLOR=red>";
    const tv::FontSize size = tv::readFontSize(tv::ExtractAttribute(tag, "size"));
    EXPECT_EQ(size.type, 1);
    EXPECT_EQ(size.size, "2");
    tv::Fields f{{"face", tv::ExtractAttribute(tag, "face")}, {"color", tv::ExtractAttribute(tag, "color")}, {"size", size.size}};
    EXPECT_EQ(tv::buildFontTag(tag, f, true, size.type), "<FONT SIZE=\"+2\" COLOR=\"red\">");
    EXPECT_EQ(tv::buildFontTag("<FONT>", {{"size", "3"}}, false, 0), "");  // nothing to write
    EXPECT_EQ(tv::readFontSize("-1").type, 2);
    EXPECT_EQ(tv::readFontSize("4").type, 0);
    EXPECT_EQ(tv::readFontSize("9").type, 0);
    EXPECT_EQ(tv::readFontSize("0").type, 0);
    EXPECT_EQ(tv::readFontSize("x").type, -1);
    EXPECT_EQ(tv::readFontSize("x").size, "x");
    EXPECT_EQ(tv::fontSampleSize(true, 1, 2), 16);   // 3 + 2 = 5 -> 5 * 2 + 6
    EXPECT_EQ(tv::fontSampleSize(true, 2, 7), 8);    // below 1 counts as 1
    EXPECT_EQ(tv::fontSampleSize(true, 1, 7), 22);   // above 8 counts as 8
    EXPECT_EQ(tv::fontSampleSize(false, 0, 7), 12);
    EXPECT_EQ(tv::baseFontSampleSize(true, 9), 20);
}

struct InsertCase {
    const char* name;
    tv::PendingTexts (*build)(const tv::Fields&);
    tv::Fields fields;
    std::string start;
    std::string end;
};

class InsertOnly : public testing::TestWithParam<InsertCase> {};

TEST_P(InsertOnly, Builds) {
    const tv::PendingTexts t = GetParam().build(GetParam().fields);
    EXPECT_EQ(t.start, GetParam().start);
    EXPECT_EQ(t.end, GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    Table, InsertOnly,
    testing::Values(
        InsertCase{"BaseEmpty", tv::baseTexts, {}, "", ""},
        InsertCase{"BaseTarget", tv::baseTexts, {{"target", "_top"}}, "<BASE TARGET=\"_top\">", ""},
        InsertCase{"IsIndexAlways", tv::isIndexTexts, {}, "<ISINDEX>", ""},
        InsertCase{"Meta", tv::metaTexts, {{"name", "description"}, {"content", "x"}},
                   "<META NAME=\"description\" CONTENT=\"x\">", ""},
        InsertCase{"LinkStyleSheet", tv::linkTexts, {{"url", "s.css"}, {"ltype", "text/css"}, {"rel", "StyleSheet"}},
                   "<LINK HREF=\"s.css\" TYPE=\"text/css\" REL=StyleSheet>", ""},
        InsertCase{"BaseFontSizeOnlyWhenTicked", tv::baseFontTexts, {{"size", "3"}, {"color", "red"}},
                   "<BASEFONT COLOR=\"red\">", ""},
        InsertCase{"BaseFontNothing", tv::baseFontTexts, {{"size", "3"}}, "", ""},
        InsertCase{"Heading", tv::headingTexts, {{"Level", "3"}, {"align", "center"}}, "<H3 ALIGN=center>", "</H3>"},
        InsertCase{"Frameset", tv::framesetTexts, {{"cols", "25%,*"}}, "<FRAMESET COLS=\"25%,*\">\r\n", "\r\n</FRAMESET>"},
        InsertCase{"FramesetEmpty", tv::framesetTexts, {{"border", "1"}}, "", ""},
        InsertCase{"FrameWithoutBorder", tv::frameTexts, {{"src", "a.html"}, {"noresize", "1"}},
                   "<FRAME SRC=\"a.html\" NORESIZE>", ""},
        InsertCase{"FrameNeedsASource", tv::frameTexts, {{"name", "n"}}, "", ""},
        InsertCase{"Division", tv::divisionTexts, {}, "<DIV>", "</DIV>"}),
    [](const testing::TestParamInfo<InsertCase>& i) { return std::string(i.param.name); });

TEST(StyleSheets, OutputTypes) {
    const tv::Fields h1{{"tag", "H1"}, {"size", "12"}, {"fstype", "pt"}};
    EXPECT_EQ(tv::styleSheetTexts(3, h1, "Red", "").start, "H1 {font-size: 12pt; color: Red;}\r\n");
    EXPECT_EQ(tv::styleSheetTexts(1, {{"weight", "bold"}}, "", "").start, "STYLE=\"font-weight: bold;\"");
    const tv::PendingTexts span = tv::styleSheetTexts(2, {{"decor", "none"}}, "", "Aqua");
    EXPECT_EQ(span.start, "<SPAN STYLE=\"text-decoration: none; background: Aqua;\">\r\n");
    EXPECT_EQ(span.end, "</SPAN>");
    EXPECT_EQ(tv::styleSheetTexts(0, {{"tag", "B"}, {"indent", "2"}, {"titype", ""}}, "", "").start,
              "<STYLE TYPE=\"text/css\">\r\n<!--\r\nB {text-indent: 2;}\r\n-->\r\n</STYLE>");
    EXPECT_EQ(tv::styleSheetTexts(0, {{"tag", "B"}}, "", "").start, "");
}

TEST(FramePieces, RowsAndColumns) {
    std::string cols = tv::addFramePiece("", "25", 0);
    cols = tv::addFramePiece(cols, "", 3);
    EXPECT_EQ(cols, "25%,*");
    EXPECT_EQ(tv::addFramePiece("1", "2", 1), "1,2*");
    EXPECT_EQ(tv::addFramePiece("1", "40", 2), "1,40");
    EXPECT_EQ(tv::addFramePiece("1", "", 0), "1");
}

} // namespace
