#include "app/mrulist.h"
#include "base/palette.h"
#include "base/settings.h"
#include "text/lines.h"
#include "tools/dateformat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>
#include <unistd.h>

namespace {

using tv::MemoryStore;

struct IntCase {
    const char* name;
    std::string text;
    std::optional<long long> value;
};

class StoredIntegers : public testing::TestWithParam<IntCase> {};

TEST_P(StoredIntegers, Parse) { EXPECT_EQ(tv::parseStoredInt(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Table, StoredIntegers,
    testing::Values(IntCase{"Decimal", "373", 373}, IntCase{"Negative", "-5", -5},
                    IntCase{"Hexadecimal", "0x0C", 12}, IntCase{"UpperX", "0X1f", 31},
                    IntCase{"BareZeroX", "0x", std::nullopt},
                    IntCase{"NotAHexDigit", "0x1G", std::nullopt}, IntCase{"SignInHex", "0x1-", std::nullopt}, IntCase{"NotANumber", "twelve", std::nullopt},
                    IntCase{"Empty", "", std::nullopt}, IntCase{"TrailingJunk", "12px", std::nullopt},
                    IntCase{"HexPattern", "0xFFFFFFFF", -1}, IntCase{"TooLarge", "99999999999", std::nullopt}),
    [](const testing::TestParamInfo<IntCase>& i) { return std::string(i.param.name); });

TEST(Encodings, ValuesOfEachKind) {
    MemoryStore s;
    s.write("Settings", "Big", "300");
    s.write("Settings", "Two", "2");
    s.write("Settings", "Junk", "x");
    EXPECT_EQ(tv::readByte(s, "Settings", "Big", 7), 44);  // a byte keeps the low eight bits
    EXPECT_TRUE(tv::readBool(s, "Settings", "Two", false));
    EXPECT_TRUE(tv::readBool(s, "Settings", "Junk", true));
    EXPECT_EQ(tv::readInt(s, "Settings", "Junk", 9), 9);
    EXPECT_EQ(tv::readInt(s, "Missing", "Top", 10), 10);
    s.write("Settings", "Octal", "012");  // decimal, not hexadecimal
    EXPECT_EQ(tv::readInt(s, "Settings", "Octal", 9), 12);
    s.write("Settings", "Least", "-2147483648");  // the smallest 32-bit integer
    EXPECT_EQ(tv::readInt(s, "Settings", "Least", 9), INT_MIN);
    s.write("Settings", "Beyond", "-2147483649");
    EXPECT_EQ(tv::readInt(s, "Settings", "Beyond", 9), 9);
    s.write("Settings", "Long", std::string(300, 'a'));
    EXPECT_EQ(tv::readString(s, "Settings", "Long", "", 255).size(), 255u);
    // Key paths ignore letter case and separators, as the registry does.
    EXPECT_EQ(tv::readInt(s, "SETTINGS", "big", 0), 300);
    s.write("SOFTWARE\\Taviron\\Toolbars", "X", "1");
    EXPECT_EQ(s.read("software/taviron/toolbars", "x"), "1");
}

TEST(Encodings, Lists) {
    EXPECT_EQ(tv::joinLines({"html", "htm"}), "html\r\nhtm\r\n");
    EXPECT_EQ(tv::splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(tv::splitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(tv::splitLines("").empty());
    EXPECT_EQ(tv::StripValueNames({"F0=a|b=c", "x", "H1="}), (std::vector<std::string>{"a|b=c", "", ""}));
}

TEST(Encodings, ListSectionsReadInNumericOrder) {
    MemoryStore s;
    for (const char* n : {"F10", "Other", "F2", "F0", "F1"}) s.write("Browsers", n, std::string("v") + n);
    EXPECT_EQ(tv::readListSection(s, "Browsers"),
              (std::vector<std::string>{"vF0", "vF1", "vF2", "vF10", "vOther"}));
    MemoryStore h;
    for (const char* n : {"H10", "X3", "h2", "f1", "Other"}) h.write("Lists", n, std::string("v") + n);
    EXPECT_EQ(tv::readListSection(h, "Lists"), (std::vector<std::string>{"vf1", "vh2", "vH10", "vX3", "vOther"}));
    tv::writeListSection(s, "Browsers", {"a", "b"});
    EXPECT_EQ(s.values("Browsers"), (std::vector<std::pair<std::string, std::string>>{{"F0", "a"}, {"F1", "b"}}));
}

TEST(ReadSettings, FirstStartGivesTheDefaults) {
    MemoryStore empty;
    const tv::Settings s = tv::ReadSettings(empty);
    EXPECT_EQ(s.left, 10);
    EXPECT_EQ(s.top, 10);
    EXPECT_EQ(s.width, 500);
    EXPECT_EQ(s.height, 373);
    EXPECT_FALSE(s.maximized());
    EXPECT_FALSE(s.fileList);
    EXPECT_FALSE(s.tabControl);
    EXPECT_TRUE(s.statusBar);
    EXPECT_TRUE(s.wordWrap);
    EXPECT_EQ(s.textExt, (std::vector<std::string>{"html", "htm", "shtml", "txt"}));
    EXPECT_EQ(s.currentDir, "");  // the pane then starts with the first document's folder or home
    EXPECT_EQ(s.custDate, "\"Last Updated:\" c");
    EXPECT_EQ(s.projFile, "Untitled.vkp");
    EXPECT_EQ(s.ol, "<OL>");
    EXPECT_FALSE(s.settingsChanged);
}

TEST(ReadSettings, StoredValues) {
    MemoryStore st;
    st.write("Settings", "FontSize", "0x0C");
    st.write("Settings", "TextExt", "htm\r\nphp\r\n");
    st.write("Settings", "WindowState", "Maximized");
    st.write("Options", "UL", "<UL TYPE=square>");
    st.write("Browsers", "first", "Firefox|/usr/bin/firefox");
    st.write("Browsers", "x", "Chromium|/usr/bin/chromium");
    st.write("Toolbars\\TableTbar", "DockedTo", "DockLeft");
    st.write("Toolbars\\TableTbar", "Visible", "0");
    const tv::Settings s = tv::ReadSettings(st);
    EXPECT_EQ(s.fontSize, 12);
    EXPECT_EQ(s.textExt, (std::vector<std::string>{"htm", "php"}));
    EXPECT_TRUE(s.maximized());
    EXPECT_EQ(s.ul, "<UL TYPE=square>");
    EXPECT_EQ(s.browsers, (std::vector<std::string>{"Firefox|/usr/bin/firefox", "Chromium|/usr/bin/chromium"}));
    EXPECT_EQ(s.toolBars[3].dockedTo, "DockLeft");
    EXPECT_FALSE(s.toolBars[3].visible);
    // The preview's choice and pause, and values beyond them.
    for (const auto& [refresh, pause, wantRefresh, wantPause] :
         {std::tuple{"2", "1000", 2, 1000}, {"3", "10", 0, 50}, {"x", "99999", 0, 5000}}) {
        st.write("Settings", "PreviewRefresh", refresh);
        st.write("Settings", "PreviewPause", pause);
        const tv::Settings p = tv::ReadSettings(st);
        EXPECT_EQ(p.previewRefresh, wantRefresh) << refresh;
        EXPECT_EQ(p.previewPause, wantPause) << pause;
    }
}

// The frame's panes: each kept under its key in "Panes"; the file pane,
// before it was kept there, by its older "FileList" and "Sizer2".
TEST(ReadSettings, PaneLayouts) {
    MemoryStore older;
    older.write("Settings", "FileList", "1");
    older.write("Settings", "Sizer2", "150");
    const tv::Settings first = tv::ReadSettings(older);
    EXPECT_TRUE(first.panes.at("FileList").shown);
    EXPECT_EQ(first.panes.at("FileList").size, 150);

    tv::Settings s;
    s.panes["PreviewPane"] = {true, "Right", 420, false, 0, 0, 0, 0};
    s.panes["Results"] = {false, "Bottom", 0, true, -20, 30, 400, 200};
    MemoryStore st;
    tv::WriteSettings(st, s);
    const tv::Settings back = tv::ReadSettings(st);
    EXPECT_EQ(back.panes.at("PreviewPane"), s.panes["PreviewPane"]);
    EXPECT_EQ(back.panes.at("Results"), s.panes["Results"]);
    // A damaged value gives what it can and defaults for the rest.
    const tv::PaneLayout d = tv::decodePaneLayout("1,Middle,x,1,5");
    EXPECT_TRUE(d.shown && d.floating);
    EXPECT_EQ(d.side, "Left");
    EXPECT_EQ(d.size, 0);
    EXPECT_EQ(d.left, 5);
    EXPECT_EQ(tv::decodePaneLayout(""), tv::PaneLayout{});
}

// The names a log holds for one kind of access, in order.
std::vector<std::string> accesses(const MemoryStore& s, const std::string& kind) {
    std::vector<std::string> out;
    for (const std::string& l : s.log)
        if (l.rfind(kind + " ", 0) == 0) out.push_back(l.substr(kind.size() + 1, l.find('=') - kind.size() - 1));
    return out;
}

TEST(ReadSettings, TableOrder) {
    MemoryStore st;
    tv::ReadSettings(st);
    std::vector<std::string> reads = accesses(st, "read");
    // Skip the tool-bar layouts (position 6) after checking where they stand.
    const auto firstBar = std::find_if(reads.begin(), reads.end(), [](const std::string& r) {
        return r.rfind("Toolbars/", 0) == 0;
    });
    ASSERT_EQ(firstBar - reads.begin(), 5);
    EXPECT_EQ(*firstBar, "Toolbars/MainTbar/Visible");
    reads.erase(std::remove_if(reads.begin(), reads.end(), [](const std::string& r) { return r.rfind("Toolbars/", 0) == 0; }),
                reads.end());
    const std::vector<std::string> expected = {
        "Settings/Top", "Settings/Left", "Settings/Height", "Settings/Width", "Settings/WindowState",
        "Settings/Sizer2", "Settings/Sizer1", "Settings/Sizer3", "Settings/nbook", "Settings/CurrentDir",
        "Settings/FilterIndex", "Settings/FileList", "Settings/TabControl", "Settings/DateFormat",
        "Settings/CustDate", "Settings/NewFiles", "Settings/WordWrap", "Settings/StatusBar", "Settings/FontSize",
        "Settings/FontName", "Settings/Delimit", "Settings/FontColor", "Settings/BackColor", "Settings/TagColor",
        "Settings/AnchColor", "Settings/ImgColor", "Settings/CommColor", "Settings/ColorCode", "Settings/Labels",
        "Settings/AddExt", "Settings/AutoSave", "Settings/Browser1", "Settings/ProjFile", "Settings/TextExt",
        "Settings/DefaultEncoding", "Settings/LineNumbers", "Settings/PreviewRefresh", "Settings/PreviewPause",
        "Settings/CheckAsYouType", "Settings/CheckWarnings", "Settings/CheckAccess", "Settings/CompleteMarkup",
        "Settings/CloseTags", "Settings/MatchTags", "Settings/Folding", "Options/OL", "Options/UL"};
    EXPECT_EQ(reads, expected);
    EXPECT_EQ(st.log.back(), "values Browsers");
}

TEST(WriteSettings, StepsAndOrder) {
    MemoryStore st;
    tv::Settings s = tv::ReadSettings(st);
    st.log.clear();
    tv::WriteSettings(st, s);
    std::vector<std::string> writes = accesses(st, "write");
    writes.erase(std::remove_if(writes.begin(), writes.end(), [](const std::string& w) { return w.rfind("Toolbars/", 0) == 0; }),
                 writes.end());
    const std::vector<std::string> unchanged = {
        "Settings/WindowState", "Settings/Top", "Settings/Left", "Settings/Height", "Settings/Width",
        "Settings/Browser1", "Settings/ProjFile", "Settings/WordWrap", "Settings/StatusBar", "Settings/FileList",
        "Settings/TabControl", "Options/OL", "Options/UL", "Settings/Sizer2", "Settings/Sizer1", "Settings/Sizer3",
        "Settings/nbook", "Settings/CurrentDir", "Settings/FilterIndex", "Settings/LineNumbers", "Settings/Folding",
        "Panes/FileList"};
    EXPECT_EQ(writes, unchanged);  // nothing of the option values without a change

    st.log.clear();
    s.settingsChanged = true;
    s.browsers = {"A|/a", "B|/b"};
    tv::WriteSettings(st, s);
    writes = accesses(st, "write");
    const auto at = [&](const std::string& w) { return std::find(writes.begin(), writes.end(), w) - writes.begin(); };
    EXPECT_LT(at("Settings/Width"), at("Settings/DateFormat"));
    EXPECT_LT(at("Settings/ColorCode"), at("Browsers/F0"));
    EXPECT_LT(at("Browsers/F1"), at("Settings/TextExt"));
    EXPECT_LT(at("Settings/TextExt"), at("Settings/Browser1"));
    EXPECT_EQ(st.read("Settings", "TextExt"), "html\r\nhtm\r\nshtml\r\ntxt\r\n");
    EXPECT_EQ(st.read("Settings", "AddExt"), "1");
    EXPECT_EQ(st.read("Settings", "PreviewPause"), "300");
}

TEST(WriteSettings, MaximizedKeepsTheNormalBounds) {
    MemoryStore st;
    st.write("Settings", "Width", "640");
    tv::Settings s = tv::ReadSettings(st);
    s.windowState = "Maximized";
    s.width = 1920;
    tv::WriteSettings(st, s);
    EXPECT_EQ(st.read("Settings", "WindowState"), "Maximized");
    EXPECT_EQ(st.read("Settings", "Width"), "640");
}

TEST(IniStore, RoundTripsEveryValue) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("taviron-ini-" + std::to_string(::getpid())) / "Taviron.conf").string();
    const std::vector<std::pair<std::string, std::string>> values = {
        {"TextExt", "html\r\nhtm\r\n"}, {"Blanks", "  two sides  "}, {"Trailing", "last blank "}, {"Quote", "\"quoted\""},
        {"Back", "C:\\dir\\"}, {"Eq", "a=b"}, {"Empty", ""}, {"CustDate", "\"Last Updated:\" c"}};
    {
        tv::IniStore st(path);
        for (const auto& [n, v] : values) st.write("Settings", n, v);
        st.write("MRU List", "F0", "/home/u/a b.html");
        st.write("Toolbars\\MainTbar", "DockedTo", "Docktop");
        st.flush();
    }
    // Plain values stand as they are in the file; blanks at either end are kept by quotes.
    std::ifstream file(path);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Eq=a=b\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Trailing=\"last blank \"\n"), std::string::npos) << text;
    tv::IniStore again(path);
    for (const auto& [n, v] : values) EXPECT_EQ(again.read("Settings", n), v) << n;
    EXPECT_EQ(again.read("MRU List", "F0"), "/home/u/a b.html");
    EXPECT_EQ(again.read("toolbars/maintbar", "DockedTo"), "Docktop");
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}

TEST(IniStore, ReadsAHandWrittenFile) {
    tv::IniStore st("/nonexistent/Taviron.conf");
    st.parse("; options\n[Settings]\nTop = 20\r\nFontName=Courier\n\n[Browsers]\nb=x|/x\n");
    EXPECT_EQ(st.read("Settings", "Top"), "20");
    EXPECT_EQ(st.read("Settings", "FontName"), "Courier");
    EXPECT_EQ(tv::readListSection(st, "Browsers"), std::vector<std::string>{"x|/x"});
    // Lines beginning with '#' or ';' are comments, not values.
    st.parse("# a comment\n[Settings]\n#Top=5\n;Left=3\n Height=4\nName = a b \t\nQuoted=\"a b \"\n");
    EXPECT_EQ(st.read("Settings", "Name"), "a b");  // blanks after an unquoted value are layout
    EXPECT_EQ(st.read("Settings", "Quoted"), "a b ");
    EXPECT_EQ(st.read("Settings", "#Top"), std::nullopt);
    EXPECT_EQ(st.read("Settings", ";Left"), std::nullopt);
    EXPECT_EQ(st.read("Settings", "Height"), "4");
}

TEST(Colors, HtmlTextsAndBack) {
    EXPECT_EQ(tv::ColorToHTML(tv::PaletteColor(6)), "#008080");
    EXPECT_EQ(tv::ColorToHTML(0x00A0B0C0), "#C0B0A0");
    EXPECT_EQ(tv::HTMLToColor("#C0B0A0", 0), 0x00A0B0C0u);
    EXPECT_EQ(tv::HTMLToColor("#ff0000", 0), 0x0000FFu);
    EXPECT_EQ(tv::HTMLToColor("", 7), 7u);
    EXPECT_EQ(tv::HTMLToColor("red", 7), 7u);
    EXPECT_EQ(tv::HTMLToColor("#FF00001", 7), 7u);
    EXPECT_THROW(tv::HTMLToColor("#GG0000", 7), tv::ColorTextError);
}

TEST(DatePatterns, IndexAndCustom) {
    EXPECT_EQ(tv::datePattern(0, "c"), "mmmm d, yyyy");
    EXPECT_EQ(tv::datePattern(4, "c"), "mm/dd/yyyy");
    EXPECT_EQ(tv::datePattern(5, "\"Updated\" c"), "\"Updated\" c");
}

TEST(RecentFiles, AddMoveAndLimit) {
    tv::MruList l;
    for (int i = 0; i < 11; ++i) l.AddItem("/d/f" + std::to_string(i) + ".html");
    ASSERT_EQ(l.items().size(), 10u);
    EXPECT_EQ(l.items().front(), "/d/f10.html");
    EXPECT_EQ(l.items().back(), "/d/f1.html");  // the oldest went
    l.AddItem("/d/f5.html");                    // again: moves to the top
    EXPECT_EQ(l.items().size(), 10u);
    EXPECT_EQ(l.items().front(), "/d/f5.html");
    l.AddItem("/D/F5.HTML");                    // another file: letter case counts
    EXPECT_EQ(l.items().size(), 10u);
    EXPECT_EQ(l.items().front(), "/D/F5.HTML");
    EXPECT_EQ(l.items()[1], "/d/f5.html");
    l.Remove("/d/f10.html");
    EXPECT_EQ(l.items().size(), 9u);
    MemoryStore st;
    l.Save(st, "MRU List");
    EXPECT_EQ(st.read("MRU List", "F0"), "/D/F5.HTML");
    tv::MruList back;
    back.Load(st, "MRU List");
    EXPECT_EQ(back.items(), l.items());
    EXPECT_EQ(tv::MruList::menuCaption(0, "/d/R&D.html", false), "&0 /d/R&&D.html");
    EXPECT_EQ(tv::MruList::dropDownCaption("/d/page.html"), "&page.html");
}

} // namespace

#include "app/browsers.h"
#include "tools/dateformat.h"

#include <fstream>
#include <sys/stat.h>

namespace {

TEST(Browsers, EntriesAndConversations) {
    EXPECT_EQ(tv::browserCaption("Firefox|/usr/bin/firefox"), "Firefox");
    EXPECT_EQ(tv::browserPath("Firefox|/usr/bin/firefox"), "/usr/bin/firefox");
    EXPECT_EQ(tv::browserPath("/usr/bin/lynx"), "/usr/bin/lynx");
    const tv::DdeRequests n = tv::ddeRequests("C:\\Program Files\\Netscape\\NETSCAPE.EXE", "C:\\a.html");
    EXPECT_EQ(n.service, "NETSCAPE");
    EXPECT_EQ(n.openItem, "\"C:\\a.html\",,0xFFFFFFFF");
    EXPECT_EQ(n.activateItem, "0xFFFFFFFF,0x0");
    EXPECT_EQ(tv::ddeRequests("c:\\iexplore.exe", "x").service, "IExplore");
    EXPECT_EQ(tv::ddeRequests("/usr/bin/firefox", "x").service, "");
    EXPECT_EQ(tv::normalizeExtension(".HTM"), "htm");
    EXPECT_EQ(tv::normalizeExtension("..x"), ".x");
    EXPECT_EQ(tv::nextNewFilesMode(2), 0);
    EXPECT_EQ(tv::nextNewFilesMode(-1), 0);
    EXPECT_EQ(tv::nextNewFilesMode(1), 2);
}

TEST(Browsers, FoundOnThePath) {
    const std::string folder = std::filesystem::temp_directory_path() / ("taviron-path-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/chromium") << "#!/bin/sh\n";
    ::chmod((folder + "/chromium").c_str(), 0755);
    std::ofstream(folder + "/firefox") << "not executable";
    EXPECT_EQ(tv::FindBrowsers("/nonexistent:" + folder), std::vector<std::string>{"Chromium|" + folder + "/chromium"});
    EXPECT_EQ(tv::findOnPath("firefox", folder), "");
    std::filesystem::remove_all(folder);
}

TEST(DateFormats, Patterns) {
    tv::DateTime t;
    t.year = 1998;
    t.month = 10;
    t.day = 5;
    t.weekday = 1;
    t.hour = 14;
    t.minute = 7;
    t.second = 9;
    EXPECT_EQ(tv::FormatDateTime("mmmm d, yyyy", t), "October 5, 1998");
    EXPECT_EQ(tv::FormatDateTime("dddd, mmmm d, yyyy", t), "Monday, October 5, 1998");
    EXPECT_EQ(tv::FormatDateTime("dd-mmm-yy", t), "05-Oct-98");
    EXPECT_EQ(tv::FormatDateTime("m/d/yy", t), "10/5/98");
    EXPECT_EQ(tv::FormatDateTime("MM/DD/YYYY", t), "10/05/1998");
    EXPECT_EQ(tv::FormatDateTime("\"Last Updated:\" c", t), "Last Updated: 10/5/1998 2:07:09 PM");
    EXPECT_EQ(tv::FormatDateTime("hh:mm", t), "14:07");  // minutes after an hour
    EXPECT_EQ(tv::FormatDateTime("h:nn am/pm", t), "2:07 pm");
    EXPECT_EQ(tv::FormatDateTime("'d' x", t), "d x");
    t.hour = t.minute = t.second = 0;
    EXPECT_EQ(tv::FormatDateTime("c", t), "10/5/1998");  // midnight leaves the time out
}

} // namespace
