#include "editor/colouring.h"

#include <gtest/gtest.h>

namespace {

using tv::TagKind;
using tv::WalkStop;

// The kinds a text ends up with, one letter per character: p plain, t tag,
// a anchor, i image, c comment; "." for characters no stretch touched.
std::string paint(std::string_view text, int start, WalkStop stop, int endPos = 0) {
    std::string out(text.size(), '.');
    for (const tv::ColorStretch& s : tv::ColorWalk(text, start, stop, endPos)) {
        const char k = "ptaic"[static_cast<int>(s.kind)];
        for (int i = s.start; i < s.start + s.length; ++i) out[static_cast<std::size_t>(i)] = k;
    }
    return out;
}

struct WalkCase {
    const char* name;
    std::string text;
    std::string kinds;
};

class WholeDocument : public testing::TestWithParam<WalkCase> {};

TEST_P(WholeDocument, Colours) { EXPECT_EQ(paint(GetParam().text, 0, WalkStop::Document), GetParam().kinds); }

INSTANTIATE_TEST_SUITE_P(
    Table, WholeDocument,
    testing::Values(
        WalkCase{"TagAtPositionOneTakesTheFirstCharacter", "x<B>y", "ttttp"},
        WalkCase{"LettersBetweenTags", "ab<B>c</B>d", "pptttpttttp"},
        WalkCase{"Anchors", "<a href=x>w</A>", "aaaaaaaaaapaaaa"},
        WalkCase{"BareAnchorIsATag", "<A>w", "tttp"},
        WalkCase{"AnchorBeforeALineBreakIsATag", "<A\r\nx>", "tttttt"},
        WalkCase{"Image", "<img src=a>", "iiiiiiiiiii"},
        WalkCase{"BareImageIsATag", "<IMG>", "ttttt"},
        WalkCase{"Comment", "<!-- x -->", "cccccccccc"},
        WalkCase{"GreaterThanEndsTheComment", "<!-- a>b -->", "cccccccppppp"},
        WalkCase{"UnterminatedTagAtTheEnd", "<B>xy<B", "tttpppp"},
        WalkCase{"NoTagsAtAll", "plain", "ppppp"},
        WalkCase{"DoubleOpening", "ab<<B>", "pptttt"},
        // A text that begins with "><": the walk goes on past the first ">".
        WalkCase{"GreaterThenTagAtTheStart", "></B>x", "tttttp"},
        WalkCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<WalkCase>& i) { return std::string(i.param.name); });

TEST(ColorWalk, RangeStopsAfterTheEndPosition) {
    //                     0123456789012345678
    const std::string t = "<B>a</B>b<I>c</I>d";
    EXPECT_EQ(paint(t, 0, WalkStop::Range, 4), "tttpttttp.........");
    EXPECT_EQ(paint(t, 0, WalkStop::Range, 9), "tttpttttptttp.....");
    EXPECT_EQ(paint("></B>x<I>", 0, WalkStop::Range, 3), "tttttp...");
}

TEST(ColorWalk, AroundCaretColoursTwoTags) {
    const std::string t = "xx <B>a</B>b<I>c</I>d";
    EXPECT_EQ(paint(t, 3, WalkStop::AroundCaret), "...tttpttttp.........");
    // A typed "<" makes one tag of itself and the end of the next tag.
    const std::string typed = "ab< <B>c";
    EXPECT_EQ(paint(typed, tv::TagStartBefore(typed, 3), WalkStop::AroundCaret), "..tttttp");
}

TEST(ColorWalk, StartBeforeCaretAndCaretInTag) {
    EXPECT_EQ(tv::TagStartBefore("ab<B>cd", 6), 2);
    EXPECT_EQ(tv::TagStartBefore("ab<B>cd", 2), 0);   // the caret's own position never counts
    EXPECT_EQ(tv::TagStartBefore("<B>cd", 4), 0);     // position 0 never counts either
    EXPECT_EQ(tv::TagStartBefore("a<<B>", 5), 1);     // the second "<" directly after the first is skipped
    EXPECT_EQ(tv::TagStartBefore("ab<<B>", 6), 2);
    EXPECT_TRUE(tv::CaretInTagAt("a<B", 3));
    EXPECT_FALSE(tv::CaretInTagAt("a<B>x", 5));
    EXPECT_FALSE(tv::CaretInTagAt("abc", 2));
}

TEST(ColorBytes, LaterStretchesWin) {
    const tv::KindColors colors{0, 6, 9, 2, 7};
    int from = -1;
    const std::string bytes = tv::colorBytes(tv::ColorWalk("x<B>y", 0, WalkStop::Document), colors, from);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(bytes, std::string("\x06\x06\x06\x06\x00", 5));
}

// A whole-page walk done a piece at a time colours as the one walk does:
// pieces end before a tag, in the middle of text, at tags at the start,
// inside comments holding "<", and before an unterminated tag.
TEST(ColorBytes, PiecesColourAsTheWholeWalk) {
    const tv::KindColors colors{0, 6, 9, 2, 7};
    const std::string texts[] = {
        "<P>a <A HREF=x>link</A> <!-- c <b> --> <IMG SRC=y> b<B>c</B>\r\n<I>d",
        "x<B>y<<I>z",
        "plain text only",
        "<B>bold</B> and then <unterminated tag",
        "",
    };
    for (const std::string& text : texts) {
        for (int start : {0, 1, 3}) {
            if (start > static_cast<int>(text.size())) continue;
            int from = 0;
            const std::string whole = tv::colorBytes(tv::ColorWalk(text, start, WalkStop::Document), colors, from);
            for (int window : {1, 2, 5, 100}) {
                std::string pieced;
                int next = -1;
                tv::colorDocumentInPieces(text, start, colors, window, [&](int at, std::string_view bytes) {
                    if (next < 0) EXPECT_EQ(at, from);
                    else EXPECT_EQ(at, next);  // in order, no gap
                    pieced += bytes;
                    next = at + static_cast<int>(bytes.size());
                });
                EXPECT_EQ(pieced, whole) << text << " from " << start << " window " << window;
            }
        }
    }
}

// A walk handed over a window at a time gives what the whole does, windows
// cutting through tags, overlapping stretches and the text between.
TEST(ColorBytes, WindowsAddUpToTheWhole) {
    const tv::KindColors colors{0, 6, 9, 2, 7};
    const std::string text = "<P>a <A HREF=x>link</A> <!-- c --> <IMG SRC=y> b<B>c</B>\r\n<I>d";
    const auto walk = tv::ColorWalk(text, 0, WalkStop::Document);
    int from = 0;
    const std::string whole = tv::colorBytes(walk, colors, from);
    for (int window : {1, 3, 7, 16, 1000}) {
        std::string pieced;
        const auto [lo, hi] = tv::colorSpan(walk);
        EXPECT_EQ(lo, from);
        for (int at = lo; at < hi; at += window) pieced += tv::colorBytes(walk, colors, at, std::min(hi, at + window));
        EXPECT_EQ(pieced, whole) << "window " << window;
    }
}

} // namespace
