#include "app/frametext.h"
#include "app/palette.h"
#include "app/paths.h"

#include <gtest/gtest.h>

namespace {

TEST(Hints, ShortAndLongParts) {
    EXPECT_EQ(tv::shortHint("Save|Save file to disk"), "Save");
    EXPECT_EQ(tv::longHint("Save|Save file to disk"), "Save file to disk");
    EXPECT_EQ(tv::longHint("Find Next"), "Find Next");
    EXPECT_EQ(tv::shortHint("Find Next"), "Find Next");
    EXPECT_EQ(tv::caretPositionText(0, 0), "0: 0");
}

TEST(DialogFilter, BuildsTheFileDialogsForm) {
    EXPECT_EQ(tv::dialogFilter("HTML files|*.html; *.htm|All files|*.*"),
              "HTML files (*.html *.htm);;All files (*.*)");
    EXPECT_EQ(tv::dialogFilter("HTML     (*.html)|*.html|Text        (*.txt)|*.txt"),
              "HTML     (*.html);;Text        (*.txt)");
}

struct PathCase {
    const char* name;
    std::string in;
    std::string cwd;
    std::string out;
};

class ExpandLongPathTable : public testing::TestWithParam<PathCase> {};

TEST_P(ExpandLongPathTable, MakesNamesAbsolute) {
    EXPECT_EQ(tv::ExpandLongPath(GetParam().in, GetParam().cwd), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExpandLongPathTable,
    testing::Values(PathCase{"Relative", "page.html", "/home/u", "/home/u/page.html"},
                    PathCase{"DotsResolved", "./a/../b/./c.html", "/w", "/w/b/c.html"},
                    PathCase{"AbsoluteKept", "/x/Y.HTML", "/w", "/x/Y.HTML"},
                    PathCase{"ParentOfRoot", "/../a", "/w", "/a"},
                    PathCase{"TrailingSeparator", "/x/y/", "/w", "/x/y"},
                    PathCase{"Root", "/", "/w", "/"},
                    PathCase{"Empty", "", "/w", ""}),
    [](const testing::TestParamInfo<PathCase>& i) { return std::string(i.param.name); });

TEST(FileNames, Parts) {
    EXPECT_EQ(tv::fileNameOnly("/a/b/page.html"), "page.html");
    EXPECT_EQ(tv::fileNameOnly("page.html"), "page.html");
    EXPECT_EQ(tv::folderOf("/a/b/page.html"), "/a/b");
    EXPECT_EQ(tv::folderOf("/page.html"), "/");
    EXPECT_EQ(tv::lowerExtension("/a.b/Project.VKP"), ".vkp");
    EXPECT_EQ(tv::lowerExtension("/a.b/README"), "");
    EXPECT_TRUE(tv::IsUntitledName("Untitled 0"));
    EXPECT_FALSE(tv::IsUntitledName("/home/Untitled 0"));
    EXPECT_EQ(tv::untitledName(3), "Untitled 3");
}

TEST(Palette, IndexesAndOutOfRange) {
    EXPECT_EQ(tv::PaletteColor(0), 0x000000u);
    EXPECT_EQ(tv::PaletteColor(6), 0x808000u);  // teal: red 0, green 128, blue 128
    EXPECT_EQ(tv::PaletteColor(9), 0x0000FFu);  // red in the low byte
    EXPECT_EQ(tv::PaletteColor(15), 0xFFFFFFu);
    EXPECT_EQ(tv::PaletteColor(200), 0xFFFFFFu);
}

} // namespace
