// What the editor knows of HTML for typing, the completion contexts and
// items, tag pairing and fold levels.
#include "text/htmltree.h"
#include "typing/completion.h"
#include "typing/folding.h"
#include "typing/htmlknowledge.h"
#include "typing/tagmatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using tv::CompletionKind;

// The tables against the standard: 112 HTML elements (with math and svg,
// which HTML pages hold), 13 of them void; 2125 named references written
// with their semicolon; and each table sorted, so look-ups find everything.
TEST(HtmlKnowledge, TheStandardsCounts) {
    const auto& elements = tv::htmlElements();
    EXPECT_EQ(elements.size(), 114u);
    EXPECT_EQ(std::count_if(elements.begin(), elements.end(), [](const tv::ElementInfo& e) { return e.isVoid; }), 13);
    for (const auto& e : elements) {
        EXPECT_EQ(tv::htmlElement(e.name), &e) << e.name;
        EXPECT_EQ(e.isVoid, tv::isVoidElement(e.name)) << e.name;
    }
    EXPECT_EQ(tv::htmlElement("blink"), nullptr);
    const auto& refs = tv::namedReferences();
    EXPECT_EQ(refs.size(), 2125u);
    EXPECT_TRUE(std::is_sorted(refs.begin(), refs.end(), [](const auto& a, const auto& b) { return a.name < b.name; }));
    const auto img = tv::attributesOf("img");
    EXPECT_EQ(img.front(), "alt");
    EXPECT_NE(std::find(img.begin(), img.end(), "class"), img.end());
    EXPECT_EQ(tv::attributeValues("button", "type"), (std::vector<std::string_view>{"button", "reset", "submit"}));
    EXPECT_EQ(tv::attributeValues("form", "method"), (std::vector<std::string_view>{"dialog", "get", "post"}));
    EXPECT_TRUE(tv::attributeValues("a", "href").empty());
}

struct ContextCase {
    const char* name;
    const char* before;
    CompletionKind kind;
    const char* typed;
    const char* element = "";
    const char* attribute = "";
};

class Contexts : public testing::TestWithParam<ContextCase> {};

TEST_P(Contexts, FromTheTextBeforeTheCaret) {
    const ContextCase& c = GetParam();
    const tv::CompletionContext got = tv::completionContext(c.before);
    EXPECT_EQ(got.kind, c.kind);
    if (c.kind == CompletionKind::None) return;
    EXPECT_EQ(got.typed, c.typed);
    EXPECT_EQ(got.start + got.typed.size(), std::string_view(c.before).size());
    EXPECT_EQ(got.element, c.element);
    EXPECT_EQ(got.attribute, c.attribute);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Contexts,
    testing::Values(
        ContextCase{"ElementAfterLt", "text <", CompletionKind::Element, ""},
        ContextCase{"ElementTyped", "<p><TA", CompletionKind::Element, "TA"},
        ContextCase{"EndTag", "<b>x</", CompletionKind::EndTag, ""},
        ContextCase{"EndTagTyped", "<b>x</b", CompletionKind::EndTag, "b"},
        ContextCase{"Reference", "caf&eacu", CompletionKind::Reference, "eacu"},
        ContextCase{"NumericReferenceIsNot", "&#23", CompletionKind::None, ""},
        ContextCase{"AttributeAfterBlank", "<a ", CompletionKind::Attribute, "", "a"},
        ContextCase{"AttributeTyped", "<img src=\"x.gif\" al", CompletionKind::Attribute, "al", "img"},
        ContextCase{"AttributeOnANewLine", "<div\r\n  cl", CompletionKind::Attribute, "cl", "div"},
        ContextCase{"QuotedValue", "<input type=\"ch", CompletionKind::AttributeValue, "ch", "input", "type"},
        ContextCase{"SingleQuotedValue", "<a target='", CompletionKind::AttributeValue, "", "a", "target"},
        ContextCase{"BareValue", "<form method=po", CompletionKind::AttributeValue, "po", "form", "method"},
        ContextCase{"AfterAClosedValue", "<a href=\"x>y\" ", CompletionKind::Attribute, "", "a"},
        ContextCase{"TagEnded", "<a href=\"x\">te", CompletionKind::None, ""},
        ContextCase{"PlainText", "just words", CompletionKind::None, ""},
        ContextCase{"LessThanInText", "a < b", CompletionKind::None, ""},
        ContextCase{"SelfClosingSlash", "<br/", CompletionKind::None, ""},
        ContextCase{"InAComment", "<!-- <di", CompletionKind::None, ""},
        ContextCase{"AfterAComment", "<!-- x --><di", CompletionKind::Element, "di"}),
    [](const testing::TestParamInfo<ContextCase>& i) { return std::string(i.param.name); });

std::vector<std::string> shown(const char* before, const tv::CompletionSources& sources = {}) {
    std::vector<std::string> out;
    for (const auto& i : tv::completionItems(tv::completionContext(before), sources)) out.push_back(i.shown);
    return out;
}

TEST(CompletionItems, WhatIsOfferedAndWritten) {
    EXPECT_EQ(shown("<tab"), std::vector<std::string>{"table"});
    EXPECT_EQ(shown("<TAB"), std::vector<std::string>{"TABLE"});
    EXPECT_EQ(shown("<h"), (std::vector<std::string>{"h1", "h2", "h3", "h4", "h5", "h6", "head", "header", "hgroup", "hr", "html"}));
    tv::CompletionSources own;
    own.ownElements = {"CENTER", "table"};
    EXPECT_EQ(shown("<c", own).back(), "CENTER");  // one's own, after the standard's; a standard one once
    const auto t = shown("<t", own);
    EXPECT_EQ(std::count(t.begin(), t.end(), "table"), 1);
    tv::CompletionSources open;
    open.openElements = {"b", "P", "div"};
    const auto endItems = tv::completionItems(tv::completionContext("</"), open);
    ASSERT_EQ(endItems.size(), 3u);
    EXPECT_EQ(endItems[0].inserted, "b>");
    EXPECT_EQ(endItems[1].inserted, "P>");  // as written
    EXPECT_EQ(shown("</D", open), std::vector<std::string>{"DIV"});
    const auto attr = tv::completionItems(tv::completionContext("<a id=x hr"), {});
    ASSERT_EQ(attr.size(), 2u);  // href, hreflang
    EXPECT_EQ(attr[0].inserted, "href=\"\"");
    EXPECT_EQ(attr[0].caretBack, 1u);
    // An attribute written already is not offered again.
    const auto again = shown("<a id=x i");
    EXPECT_EQ(std::find(again.begin(), again.end(), "id"), again.end());
    EXPECT_EQ(shown("<input type=\"ch"), std::vector<std::string>{"checkbox"});
    EXPECT_TRUE(shown("<a href=\"").empty());
    // References: those of the typed case first; the character beside each.
    const auto refs = tv::completionItems(tv::completionContext("&Eacu"), {});
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_EQ(refs[0].shown, "Eacute  \xC3\x89");
    EXPECT_EQ(refs[1].inserted, "eacute;");
    tv::CompletionSources cp1252;
    cp1252.windows1252 = true;
    EXPECT_EQ(shown("&alpha", cp1252).front(), "alpha  &#945;");
    EXPECT_EQ(shown("&eacute", cp1252).front(), "eacute  \xC3\xA9");  // the code page holds it
    EXPECT_EQ(tv::completionItems(tv::completionContext("&"), {}).size(), 2125u);
    // Only the last few KB before the caret are read; positions stay the text's.
    const std::string longText = std::string(6000, 'p') + "<tab";
    EXPECT_EQ(tv::completionContext(longText).start, 6001u);
    EXPECT_EQ(tv::completionContext(std::string("<a ") + std::string(5000, 'x')).kind, CompletionKind::None);
}

// Pairing as a browser pairs tags. Positions: the caret in the text marked |.
struct MatchCase {
    const char* name;
    const char* text;  // '|' marks the caret
    const char* partner;  // the partner's text, or "" for none
    bool isVoid = false;
};

class Pairing : public testing::TestWithParam<MatchCase> {};

TEST_P(Pairing, FindsThePartner) {
    std::string text = GetParam().text;
    const std::size_t caret = text.find('|');
    text.erase(caret, 1);
    const auto m = tv::matchTag(text, caret);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->isVoid, GetParam().isVoid);
    const std::string partner = m->partner ? text.substr(m->partner->start, m->partner->end - m->partner->start) : "";
    EXPECT_EQ(partner, GetParam().partner);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Pairing,
    testing::Values(
        MatchCase{"NestedDivsOuter", "<d|iv id=1><div>x</div></div>", "</div>"},
        MatchCase{"NestedDivsBackFromTheEnd", "<div id=1><div>x</div></di|v>", "<div id=1>"},
        MatchCase{"InnerDiv", "<div id=1>|<div>x</div></div>", "</div>"},
        MatchCase{"CaretJustAfterTheTag", "<b>|x</b>", "</b>"},
        MatchCase{"UpperCase", "<TABLE|><tr><td>x</TABLE>", "</TABLE>"},
        MatchCase{"ParagraphEndedByTheNext", "<p|>one<p>two</p>", ""},
        MatchCase{"ParagraphWithItsEnd", "<p>one<p|>two</p>", "</p>"},
        MatchCase{"ListItems", "<ul><li|>a<li>b</ul>", ""},
        MatchCase{"ParagraphEndedByItsParent", "<div><p|>text</div>", ""},
        MatchCase{"StrayEndTag", "<div>x</i|></div>", ""},
        MatchCase{"EndTagThroughUnclosedInner", "<div><span>x</di|v>", "<div>"},
        MatchCase{"Void", "<b|r>", "", true},
        MatchCase{"QuotedGreaterThan", "<a title=\"a>b\" |href=x>y</a>", "</a>"},
        MatchCase{"ScriptText", "<scr|ipt>if (a<b) x = '</div>';</script>", "</script>"},
        MatchCase{"CommentsHoldNoTags", "<div|><!-- </div> --></div>", "</div>"},
        MatchCase{"UnclosedToTheEnd", "<section|><p>x", ""}),
    [](const testing::TestParamInfo<MatchCase>& i) { return std::string(i.param.name); });

TEST(Pairing, NoTagAndElementsAround) {
    EXPECT_FALSE(tv::matchTag("plain <b>x</b>", 2).has_value());
    EXPECT_FALSE(tv::matchTag("a < b", 3).has_value());
    const std::string t = "<ul>\r\n<li>one\r\n<li>two <b>bold</b>\r\n</ul>";
    const auto li = tv::elementAround(t, t.find("two"));
    ASSERT_TRUE(li.has_value());
    EXPECT_EQ(t.substr(li->start, li->end - li->start), "<li>two <b>bold</b>\r\n");  // ended by </ul>
    const auto b = tv::elementAround(t, t.find("old"));
    EXPECT_EQ(t.substr(b->start, b->end - b->start), "<b>bold</b>");
    EXPECT_FALSE(tv::elementAround("no tags", 2).has_value());
    // A p ended by its parent's end tag ends there, whatever follows.
    const std::string ended = "<div><p>text</div><p>next";
    const auto p = tv::matchTag(ended, 6);
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(ended.substr(p->element.start, p->element.end - p->element.start), "<p>text");
    // A tag is looked for at most 64 KB back from the caret.
    const std::string huge = "<a title=\"" + std::string(70000, 'x') + "\">y</a>";
    EXPECT_FALSE(tv::matchTag(huge, 69000).has_value());
    EXPECT_TRUE(tv::matchTag(huge, 100).has_value());
    const auto open = tv::openElementsAt(t, t.find("bold"));
    ASSERT_EQ(open.size(), 3u);
    EXPECT_EQ(open[1].name, "li");
    EXPECT_EQ(t.substr(open[1].start, 4), "<li>");  // the second li: the first was ended by it
}

// Fold levels: each line's state from the line before; a line that opens
// more than it closes is a fold header.
TEST(Folding, LevelsLineByLine) {
    const char* lines[] = {"<div class=\"a\">\r\n", "<p>text<br>\r\n", "<ul><li>a</li>\r\n", "</ul></div>\r\n",
                           "<!-- a\r\n",         "</div> inside -->\r\n", "<style>\r\n", "p > a { }\r\n",
                           "</style><script\r\n", "src=x>if (a</div>) {}\r\n", "</script>\r\n", "end"};
    const int depths[] = {0, 1, 1, 2, 0, 1, 0, 1, 1, 1, 1, 0};  // at each line's start
    tv::FoldState s;
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(lines[i]);
        EXPECT_EQ(s.depth, depths[i]);
        EXPECT_EQ(tv::FoldState::decode(s.encode()), s);
        s = tv::foldLine(lines[i], s);
    }
    EXPECT_EQ(s.depth, 0);
    EXPECT_EQ(s.mode, tv::FoldState::Text);
    EXPECT_FALSE(tv::foldsElement("li"));
    EXPECT_FALSE(tv::foldsElement("img"));
    EXPECT_TRUE(tv::foldsElement("table"));
    EXPECT_EQ(tv::foldLine("</div></div>", {}).depth, 0);  // never below nothing
    // A name ends at any blank, '/' or '>', and at the end of the text.
    for (const char* line : {"<li", "<li\t", "<li\n", "<li\f", "<li ", "<li/", "<li>", "<li\r\n"})
        EXPECT_EQ(tv::foldLine(line, {}).depth, 0) << line;
}

} // namespace
