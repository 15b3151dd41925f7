#include "base/docfile.h"
#include "text/encoding.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <random>

using tv::FileEncoding;

namespace {

struct DetectCase {
    const char* name;
    std::string bytes;
    FileEncoding fallback;
    FileEncoding expected;
};

class Detection : public testing::TestWithParam<DetectCase> {};

TEST_P(Detection, FindsTheFilesEncoding) {
    EXPECT_EQ(tv::detectEncoding(GetParam().bytes, GetParam().fallback), GetParam().expected);
}

const std::string kPad(1100, ' ');

INSTANTIATE_TEST_SUITE_P(
    Table, Detection,
    testing::Values(
        DetectCase{"ByteOrderMark", "\xEF\xBB\xBF<p>x", FileEncoding::Windows1252, FileEncoding::Utf8Bom},
        DetectCase{"ValidUtf8", "<p>Caf\xC3\xA9", FileEncoding::Windows1252, FileEncoding::Utf8},
        DetectCase{"InvalidUtf8IsWindows1252", "<p>Caf\xE9", FileEncoding::Utf8, FileEncoding::Windows1252},
        DetectCase{"CutSequence", "a\xC3", FileEncoding::Utf8, FileEncoding::Windows1252},
        DetectCase{"OverlongForm", "\xC0\xAF", FileEncoding::Utf8, FileEncoding::Windows1252},
        DetectCase{"MetaCharsetUtf8", "<meta charset=\"utf-8\"><p>x", FileEncoding::Windows1252, FileEncoding::Utf8},
        DetectCase{"HttpEquivWindows1252",
                   "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">",
                   FileEncoding::Utf8, FileEncoding::Windows1252},
        DetectCase{"Latin1", "<meta charset=ISO-8859-1>", FileEncoding::Utf8, FileEncoding::Windows1252},
        DetectCase{"UsAscii", "<meta charset='us-ascii'>", FileEncoding::Utf8, FileEncoding::Windows1252},
        DetectCase{"UnknownCharsetTakesTheDefault", "<meta charset=shift_jis>", FileEncoding::Windows1252,
                   FileEncoding::Windows1252},
        DetectCase{"NoDeclarationTakesTheDefault", "<p>plain", FileEncoding::Utf8, FileEncoding::Utf8},
        DetectCase{"DeclarationTooFarIsNotSeen", kPad + "<meta charset=windows-1252>", FileEncoding::Utf8,
                   FileEncoding::Utf8},
        DetectCase{"HighBytesWinOverADeclaration", "<meta charset=utf-8>\xE9", FileEncoding::Utf8,
                   FileEncoding::Windows1252},
        DetectCase{"Empty", "", FileEncoding::Windows1252, FileEncoding::Windows1252},
        DetectCase{"AWordThatBeginsWithCharsetIsNoDeclaration",
                   "<meta name=\"charsets\" content=\"x\"><meta charset=\"windows-1252\">", FileEncoding::Utf8,
                   FileEncoding::Windows1252},
        DetectCase{"BomAsTheDefaultNeedsTheMark", "<p>x", FileEncoding::Utf8Bom, FileEncoding::Utf8}),
    [](const testing::TestParamInfo<DetectCase>& i) { return std::string(i.param.name); });

// Load then save without an edit gives back every byte.
void expectRoundTrip(const std::string& bytes, FileEncoding fallback = FileEncoding::Utf8) {
    const tv::LoadedDocument d = tv::documentFromFile(bytes, fallback);
    EXPECT_TRUE(tv::isValidUtf8(d.text));
    EXPECT_EQ(tv::documentToFile(d.text, d.lineEnds, d.encoding), bytes);
}

TEST(FileRoundTrip, EveryByteOfEveryKindOfFileComesBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    expectRoundTrip(all);
    expectRoundTrip(all + all, FileEncoding::Windows1252);
    expectRoundTrip(std::string("\0a\0\r\n\0", 6));
    expectRoundTrip("mixed\r\nline\nends\rhere\xE9");
    expectRoundTrip("lf only\nline\n\xC3\xA9\n");
    expectRoundTrip("\xEF\xBB\xBF" "bom\r\n\xE2\x80\x94\r\n");
    expectRoundTrip("\xEF\xBB\xBF");
    expectRoundTrip("<p>no mark: the first bytes stay", FileEncoding::Utf8Bom);
    expectRoundTrip("caf\xE9 \x80 \x81\x8D\x8F\x90\x9D");  // invalid UTF-8, the undefined bytes too
    std::mt19937 random(42);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int n = static_cast<int>(random() % 200);
        for (int i = 0; i < n; ++i) {
            char32_t cp = 0;
            switch (random() % 5) {
            case 0: cp = static_cast<char32_t>(random() % 0x80); break;
            case 1: cp = 0x80 + static_cast<char32_t>(random() % 0x780); break;
            case 2: cp = 0x800 + static_cast<char32_t>(random() % 0xD000); break;
            case 3: cp = 0xE000 + static_cast<char32_t>(random() % 0x2000); break;
            default: cp = 0x10000 + static_cast<char32_t>(random() % 0x100000); break;
            }
            tv::appendUtf8(text, cp);
        }
        ASSERT_TRUE(tv::isValidUtf8(text));
        expectRoundTrip(text);
        expectRoundTrip("\xEF\xBB\xBF" + text);
    }
}

TEST(Encoding, WritingKeepsWhatTheEncodingHolds) {
    EXPECT_EQ(tv::encodeFile("é€—中", FileEncoding::Windows1252), "\xE9\x80\x97&#20013;");
    EXPECT_EQ(tv::encodeFile("é", FileEncoding::Utf8), "\xC3\xA9");
    EXPECT_EQ(tv::encodeFile("é", FileEncoding::Utf8Bom), "\xEF\xBB\xBF\xC3\xA9");
    EXPECT_EQ(tv::limitToEncoding("é—中😀", FileEncoding::Windows1252), "é—&#20013;&#128512;");
    EXPECT_EQ(tv::limitToEncoding("é—中😀", FileEncoding::Utf8), "é—中😀");
    EXPECT_TRUE(tv::fitsEncoding("€ plain", FileEncoding::Windows1252));
    EXPECT_FALSE(tv::fitsEncoding("Ā", FileEncoding::Windows1252));
    EXPECT_FALSE(tv::fitsEncoding("plain text, then Ā", FileEncoding::Windows1252));
    for (FileEncoding e : {FileEncoding::Utf8, FileEncoding::Utf8Bom, FileEncoding::Windows1252})
        EXPECT_EQ(tv::encodingNamed(tv::encodingName(e)), e);
    EXPECT_EQ(tv::encodingNamed("EBCDIC"), std::nullopt);
}

TEST(Utf8, CountingAndCutting) {
    const std::string s = "aé中😀";
    EXPECT_EQ(tv::characterCount(s), 4u);
    EXPECT_EQ(tv::prefixOfCharacters(s, 2), 3u);
    EXPECT_EQ(tv::prefixOfCharacters(s, 9), s.size());
    EXPECT_EQ(tv::cutAtCharacter(s, 5), "aé");
    EXPECT_EQ(tv::cutAtCharacter(s, 6), "aé中");
    std::size_t i = s.size();
    EXPECT_EQ(tv::previousCodePoint(s, i), U'😀');
    EXPECT_EQ(tv::previousCodePoint(s, i), U'中');
    EXPECT_EQ(i, 3u);
    EXPECT_EQ(tv::upperText("ça ÿ ħ ω ж ё ǆ"), "ÇA Ÿ Ħ Ω Ж Ё ǆ");
    EXPECT_EQ(tv::lowerOf(U'Σ'), U'σ');
    EXPECT_EQ(tv::upperOf(U'ς'), U'Σ');
    EXPECT_TRUE(tv::isLetter(U'ß'));
    EXPECT_FALSE(tv::isLetter(U'×'));
    EXPECT_FALSE(tv::isLetter(U'中'));
}

} // namespace
