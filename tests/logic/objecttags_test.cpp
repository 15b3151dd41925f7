#include "dialogs/objecttags.h"

#include <gtest/gtest.h>

namespace {

TEST(ObjectTags, AnchorAndImageEditAndInsert) {
    std::string tag = "<A href=old.html name=top>";
    tv::Fields f;
    tv::readTagFields(tv::anchorSpec(), tag, f);
    EXPECT_EQ(f["url"], "old.html");
    f["url"] = "new.html";
    EXPECT_EQ(tv::buildTag(tv::anchorSpec(), tag, f), "<A HREF=\"new.html\" NAME=\"top\">");
    EXPECT_EQ(tv::buildTag(tv::anchorSpec(), "<A>", {{"url", ""}}), "<A>");

    tv::Fields img{{"src", "a.gif"}, {"width", "10"}, {"height", "20"}, {"alt", "x"}, {"ismap", "1"}, {"border", "0"}};
    EXPECT_EQ(tv::buildImageTag("<IMG>", img), "<IMG SRC=\"a.gif\" ALT=\"x\" BORDER=0 ISMAP>");
    img["wh"] = "1";
    EXPECT_EQ(tv::buildImageTag("<IMG>", img), "<IMG SRC=\"a.gif\" ALT=\"x\" HEIGHT=20 WIDTH=10 BORDER=0 ISMAP>");
    EXPECT_EQ(tv::pendingFor(tv::imageSpec(), "<IMG>").end, "");
    EXPECT_EQ(tv::pendingFor(tv::anchorSpec(), "<A>").end, "</A>");
}

TEST(ObjectTags, SchemesReplaceTheAddresssOwn) {
    const struct {
        const char *url, *scheme, *result;
    } cases[] = {{"http://host/x", "ftp://", "ftp://host/x"},
                 {"mailto:ann@host", "news:", "news:ann@host"},
                 {"host/page", "http://", "http://host/page"},
                 {"", "finger:", "finger:"}};
    for (const auto& c : cases) EXPECT_EQ(tv::applyScheme(c.url, c.scheme), c.result);
}

TEST(ObjectTags, InsertOnlyTags) {
    auto texts = [](const std::optional<tv::PendingTexts>& t) { return t ? t->start + "|" + t->end : std::string("none"); };
    EXPECT_EQ(texts(tv::embedTexts({{"src", ""}, {"width", "5"}})), "none");
    EXPECT_EQ(texts(tv::embedTexts({{"src", "a.mid"}, {"border", "1"}, {"align", "top"}, {"height", "8"}})),
              "<EMBED SRC=\"a.mid\" HEIGHT=8 BORDER=1 ALIGN=\"top\">|");
    EXPECT_EQ(texts(tv::soundTexts({{"src", "s.wav"}, {"loop", "1"}})), "<BGSOUND SRC=\"s.wav\" LOOP=1>|");
    EXPECT_EQ(texts(tv::soundTexts({{"src", "s.wav"}, {"loop", "3"}, {"infinite", "1"}})),
              "<BGSOUND SRC=\"s.wav\" LOOP=infinite>|");
    EXPECT_EQ(texts(tv::appletTexts({})), "none");
    EXPECT_EQ(texts(tv::appletTexts({{"width", "50"}, {"code", "A.class"}})),
              "<APPLET CODE=\"A.class\" WIDTH=50>\r\n|</APPLET>");
    EXPECT_EQ(texts(tv::appletTexts({{"codebase", "c"}, {"name", "n"}, {"alt", "a"}, {"align", "top"}, {"height", "9"},
                                     {"vspace", "1"}, {"hspace", "2"}})),
              "<APPLET CODEBASE=\"c\" NAME=\"n\" ALT=\"a\" ALIGN=top HEIGHT=9 VSPACE=1 HSPACE=2>\r\n|</APPLET>");
    EXPECT_EQ(texts(tv::paramTexts({{"name", "speed"}})), "<PARAM NAME=\"speed\">\r\n|");
    EXPECT_EQ(texts(tv::paramTexts({{"value", ""}})), "none");
    const tv::PendingTexts m = tv::marqueeTexts({{"text", "Hello"}, {"Infinite", "1"}, {"loop", "4"}});
    EXPECT_EQ(m.start + "|" + m.end, "<MARQUEE LOOP=infinite>Hello|</MARQUEE>");
    const tv::PendingTexts m2 = tv::marqueeTexts({{"width", "100"}, {"behavior", "slide"}, {"bgcolor", "#FF0000"}});
    EXPECT_EQ(m2.start, "<MARQUEE WIDTH=100 BGCOLOR=\"#FF0000\" BEHAVIOR=\"slide\">");
    const tv::PendingTexts m3 = tv::marqueeTexts({{"height", "20"}, {"align", "top"}, {"hspace", "1"}, {"vspace", "2"},
                                                  {"scrollamount", "3"}, {"scrolldelay", "4"}, {"direction", "left"}});
    EXPECT_EQ(m3.start, "<MARQUEE HEIGHT=20 ALIGN=top HSPACE=1 VSPACE=2 SCROLLAMOUNT=3 SCROLLDELAY=4 DIRECTION=\"left\">");
}

} // namespace
