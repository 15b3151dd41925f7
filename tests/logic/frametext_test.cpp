#include "base/frametext.h"
#include "app/handover.h"
#include "base/palette.h"
#include "base/paths.h"
#include "base/settings.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <unistd.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

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
    EXPECT_EQ(tv::folderOf("page.html"), "");
    EXPECT_EQ(tv::fileNameOnly("/a/b\\c.html"), "b\\c.html");  // a backslash is part of a name here
    EXPECT_EQ(tv::lowerExtension("/a/Page.HTA"), ".hta");
    EXPECT_EQ(tv::lowerExtension("/a.b/Project.VKP"), ".vkp");
    EXPECT_EQ(tv::lowerExtension("/a.b/README"), "");
    EXPECT_TRUE(tv::IsUntitledName("Untitled 0"));
    EXPECT_FALSE(tv::IsUntitledName("/home/Untitled 0"));
    EXPECT_EQ(tv::untitledName(3), "Untitled 3");
}

// The program's own folder: $TAVIRON_HOME, else under $XDG_DATA_HOME, else
// under the home folder; an empty variable counts as none.
TEST(FileNames, ProgramFolderFromTheEnvironment) {
    const char* names[] = {"TAVIRON_HOME", "XDG_DATA_HOME", "HOME"};
    std::optional<std::string> kept[3];
    for (int i = 0; i < 3; ++i)
        if (const char* v = std::getenv(names[i])) kept[i] = v;
    const fs::path tmp = fs::temp_directory_path() / ("taviron-home-" + std::to_string(::getpid()));
    ::unsetenv("TAVIRON_HOME");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", tmp.c_str(), 1);
    EXPECT_EQ(tv::programFolder(), (tmp / ".local/share/Taviron").string());
    EXPECT_TRUE(fs::is_directory(tmp / ".local/share/Taviron"));
    ::setenv("XDG_DATA_HOME", "", 1);
    EXPECT_EQ(tv::programFolder(), (tmp / ".local/share/Taviron").string());
    ::setenv("XDG_DATA_HOME", (tmp / "data").c_str(), 1);
    EXPECT_EQ(tv::programFolder(), (tmp / "data/Taviron").string());
    ::setenv("TAVIRON_HOME", (tmp / "own").c_str(), 1);
    EXPECT_EQ(tv::programFolder(), (tmp / "own").string());
    for (int i = 0; i < 3; ++i) {
        if (kept[i]) ::setenv(names[i], kept[i]->c_str(), 1);
        else ::unsetenv(names[i]);
    }
    fs::remove_all(tmp);
}

TEST(Palette, IndexesAndOutOfRange) {
    EXPECT_EQ(tv::PaletteColor(0), 0x000000u);
    EXPECT_EQ(tv::PaletteColor(6), 0x808000u);  // teal: red 0, green 128, blue 128
    EXPECT_EQ(tv::PaletteColor(9), 0x0000FFu);  // red in the low byte
    EXPECT_EQ(tv::PaletteColor(15), 0xFFFFFFu);
    EXPECT_EQ(tv::PaletteColor(200), 0xFFFFFFu);
}

// WCAG contrast ratio of two colours.
double contrast(tv::ColorValue a, tv::ColorValue b) {
    auto lum = [](tv::ColorValue c) {
        auto lin = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lin(tv::redOf(c)) + 0.7152 * lin(tv::greenOf(c)) + 0.0722 * lin(tv::blueOf(c));
    };
    const double x = lum(a), y = lum(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

TEST(Palette, DarkSchemeReadsOnItsBackground) {
    // The light scheme is the palette itself.
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(tv::EditorColor(std::uint8_t(i), false), tv::PaletteColor(std::uint8_t(i)));
    const tv::Settings defaults;
    const tv::ColorValue back = tv::EditorColor(defaults.backColor, true);
    EXPECT_TRUE(tv::IsDark(back));
    // Text and the four kinds of tag stay readable (4.5:1 is the usual bar
    // for body text); every other index at least stands out from it.
    for (std::uint8_t i : {defaults.fontColor, defaults.tagColor, defaults.anchColor, defaults.imgColor,
                           defaults.commColor})
        EXPECT_GE(contrast(tv::EditorColor(i, true), back), 4.5) << int(i);
    for (int i = 0; i < 15; ++i) EXPECT_GE(contrast(tv::EditorColor(std::uint8_t(i), true), back), 3.0) << i;
    // The darkness test, on the colours a desktop palette gives its windows.
    struct { tv::ColorValue c; bool dark; } cases[] = {
        {0xEFEFEF, false}, {0xFFFFFF, false}, {0x353535, true}, {0x000000, true},
        {0x2A2A2A, true},  {0xC0C0C0, false}, {0xFF0000, true},  // pure blue: luma 18
        {0x00FF00, false},
    };
    for (const auto& c : cases) EXPECT_EQ(tv::IsDark(c.c), c.dark) << std::hex << c.c;
    // Only the six colour settings decide whether the defaults are in use.
    tv::Settings chosen;
    EXPECT_TRUE(tv::UsesDefaultColors(chosen));
    chosen.fontSize = 14;
    EXPECT_TRUE(tv::UsesDefaultColors(chosen));
    chosen.tagColor = 4;
    EXPECT_FALSE(tv::UsesDefaultColors(chosen));
}

TEST(HandOver, FramesAndTakesMessagesAsTheyArrive) {
    using F = tv::HandOverFrame;
    EXPECT_EQ(tv::frameHandOver("ab"), std::string("\0\0\0\2ab", 6));
    EXPECT_EQ(tv::frameHandOver(""), std::string("\0\0\0\0", 4));
    struct Case {
        std::string buffer;
        F got;
        std::string message, left;
    } cases[] = {
        {"", F::Incomplete, "", ""},
        {std::string("\0\0\0", 3), F::Incomplete, "", std::string("\0\0\0", 3)},
        {std::string("\0\0\0\3ab", 6), F::Incomplete, "", std::string("\0\0\0\3ab", 6)},
        {std::string("\0\0\0\0", 4), F::Message, "", ""},  // "show yourself"
        {std::string("\0\0\0\2ab\0\0", 8), F::Message, "ab", std::string("\0\0", 2)},
        {std::string("\0\0\0\x10", 4), F::Message, "", ""},  // patched below: exactly the bound
        {std::string("\0\0\0\x11", 4), F::TooLong, "", std::string("\0\0\0\x11", 4)},
        {std::string("\xFF\xFF\xFF\xFF", 4), F::TooLong, "", std::string("\xFF\xFF\xFF\xFF", 4)},
    };
    cases[5].buffer += std::string(16, 'x');
    cases[5].message = std::string(16, 'x');
    for (auto& c : cases) {
        std::string buffer = c.buffer, message;
        EXPECT_EQ(tv::takeHandOver(buffer, message, 16), c.got) << c.buffer.size();
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(buffer, c.left);
    }
}

} // namespace
