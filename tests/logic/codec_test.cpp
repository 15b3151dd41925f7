#include "text/codec.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252Codec, EveryByteSurvivesATripThroughUnicode) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const tv::DocumentCodec& codec = tv::windows1252();
    EXPECT_EQ(codec.encode(codec.decode(all)), all);
}

struct EncodeCase {
    const char* name;
    std::string utf8;
    std::string bytes;
};

class Encode : public testing::TestWithParam<EncodeCase> {};

TEST_P(Encode, TurnsUnicodeIntoDocumentBytes) {
    EXPECT_EQ(tv::windows1252().encode(GetParam().utf8), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Encode,
    testing::Values(
        EncodeCase{"Ascii", "<p>", "<p>"},
        EncodeCase{"Latin1", "caf\xC3\xA9", "caf\xE9"},
        EncodeCase{"EuroAndQuotes", "\xE2\x82\xAC\xE2\x80\x9Cx\xE2\x80\x9D", "\x80\x93x\x94"},
        EncodeCase{"MissingCharacterBecomesReference", "\xE4\xB8\xAD", "&#20013;"},
        EncodeCase{"BeyondTheBasicPlane", "\xF0\x9F\x98\x80", "&#128512;"},
        EncodeCase{"MalformedSequence", "a\xC3(", "a&#65533;("},
        EncodeCase{"OverlongForm", "\xC0\xAF", "&#65533;&#65533;"},
        EncodeCase{"TruncatedAtTheEnd", "x\xE2\x82", "x&#65533;&#65533;"}),
    [](const testing::TestParamInfo<EncodeCase>& i) { return std::string(i.param.name); });

TEST(ClipboardLineEnds, PastedLineEndsBecomeCrLfAndCopiedOnesLf) {
    EXPECT_EQ(tv::clipboardToDocumentLineEnds("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(tv::clipboardToDocumentLineEnds("\r"), "\r\n");
    EXPECT_EQ(tv::documentToClipboardLineEnds("a\r\nb\rc\n"), "a\nb\rc\n");
}

} // namespace
