#include "preview/previewpage.h"

#include <gtest/gtest.h>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

// The page's text without its mark, and the element numbers written as #N.
std::string shown(const tv::PreviewPage& p) {
    std::string out = p.bytes.substr(kBom.size());
    const std::string attr = " " + std::string(tv::kPreviewAttribute) + "=\"";
    for (std::size_t at = out.find(attr); at != std::string::npos; at = out.find(attr, at)) {
        const std::size_t close = out.find('"', at + attr.size());
        out.replace(at, close + 1 - at, "#" + out.substr(at + attr.size(), close - at - attr.size()));
    }
    return out;
}

TEST(PreviewPage, NumbersStartTagsAndPlacesTheBase) {
    struct Row {
        const char* text;
        const char* base;
        const char* page;
    } rows[] = {
        {"<p>a<b>b</b></p>", "", "<p#0>a<b#1>b</b></p>"},
        // After the doctype, <html> and <head>; before anything else.
        {"<!DOCTYPE html>\r\n<html lang=en>\r\n<head><title>T</title>", "file:///s/",
         "<!DOCTYPE html>\r\n<html#0 lang=en>\r\n<head#1><base href=\"file:///s/\"><title#2>T</title>"},
        {"Hello <b>x</b>", "file:///a&b\"/", "<base href=\"file:///a&amp;b&quot;/\">Hello <b#0>x</b>"},
        // Comments, doctype-like and script text hold no tags.
        {"<!-- <p> --><script>if (a<b) x='<p>';</script><i>", "",
         "<!-- <p> --><script#0>if (a<b) x='<p>';</script><i#1>"},
        // A '>' in a quoted value, a '<' inside a tag, a tag without its '>'.
        {"<a title=\"x>y\" href=b>c</a><img src='d e'/>", "", "<a#0 title=\"x>y\" href=b>c</a><img#1 src='d e'/>"},
        {"<TABLE border=1\r\n<TR><TD>Cell", "", "<TABLE#0 border=1\r\n<TR><TD#1>Cell"},
        {"<br/><p/>x", "", "<br#0/><p#1/>x"},
        // Raw text ends only at its own end tag, whatever its case and blanks.
        {"<script>x</scriptx><p></SCRIPT\f><i>", "", "<script#0>x</scriptx><p></SCRIPT\f><i#1>"},
        // Not tags: a lone '<', "< p", an end tag's name stays as it was.
        {"a < b <3 </P>", "", "a < b <3 </P>"},
        // The text's own byte order mark is kept once.
        {"\xEF\xBB\xBF<p>", "", "<p#0>"},
    };
    for (const Row& r : rows) {
        const tv::PreviewPage p = tv::makePreviewPage(r.text, r.base);
        EXPECT_EQ(p.bytes.substr(0, 3), kBom) << r.text;
        EXPECT_EQ(shown(p), r.page) << r.text;
    }
}

TEST(PreviewPage, TheElementAtAPlaceIsTheInnermostAsABrowserNestsThem) {
    const std::string t = "<ul><li>one<li>two <b>x</b></ul><p>a<p>b<img src=x>c<div>d</div>";
    const tv::PreviewPage p = tv::makePreviewPage(t, "");
    struct Row {
        std::size_t pos;
        int element;
    } rows[] = {
        {0, 0},    // on the '<' of <ul>
        {8, 1},    // "one": the first li
        {11, 2},   // the second <li> ends the first
        {22, 3},   // inside <b>
        {28, 0},   // in </ul>: the list (the li ended where </ul> begins)
        {35, 4},   // "a"
        {40, 6},   // on <img>
        {51, 5},   // "c": the second p, the image is void
        {57, 7},   // "d": <div> ended the second p
        {62, 7},   // in </div>
        {64, -1},  // past everything
    };
    for (const Row& r : rows) EXPECT_EQ(tv::previewElementAt(p, r.pos), r.element) << r.pos;
    EXPECT_EQ(p.elements[1].end, 11u);
    EXPECT_EQ(p.elements[0].end, 32u);
    EXPECT_EQ(p.elements[2].end, 27u);
    // Table cells and rows end each other; the table holds them all.
    const tv::PreviewPage table = tv::makePreviewPage("<table><tr><td>a<td>b<tr><td>c</table>z", "");
    EXPECT_EQ(tv::previewElementAt(table, 20), 3);   // "b"
    EXPECT_EQ(tv::previewElementAt(table, 29), 5);   // "c"
    EXPECT_EQ(table.elements[2].parent, 1);
    EXPECT_EQ(table.elements[4].parent, 0);
    EXPECT_EQ(tv::previewElementAt(table, 38), -1);  // "z"
    // End tags close whatever the letter case.
    EXPECT_EQ(tv::previewElementAt(tv::makePreviewPage("<Z>a</z>b", ""), 8), -1);
}

TEST(PreviewPage, TheBaseThePageGivesItself) {
    EXPECT_EQ(tv::pageBaseHref("<head><BASE target=_top HREF='/x/ y'>"), "/x/ y");
    EXPECT_EQ(tv::pageBaseHref("<base target=_top><base href=a/>"), "a/");
    EXPECT_EQ(tv::pageBaseHref("<!-- <base href=no> --><p>"), "");
    EXPECT_EQ(tv::pageBaseHref("<basefont href=no>"), "");
}

} // namespace
