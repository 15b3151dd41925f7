#include "tools/macros.h"
#include "base/docfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Macros : public testing::Test {
protected:
    void SetUp() override {
        home = fs::temp_directory_path() / ("taviron-macros-" + std::to_string(::getpid()));
        fs::remove_all(home);
        fs::create_directories(home / "parts");
        c.programFolder = home.string();
        c.owner = "Ann Smith";
        c.now = [] {
            tv::DateTime t;
            t.year = 1998;
            t.month = 10;
            t.day = 5;
            t.weekday = 1;
            return t;
        };
        put("foot.txt", "(c) #DATE1#");
        put("parts/inner.txt", "inner");
        put("outer.txt", "[<!--##INCLUDE=\"parts/inner.txt\"##-->\r\nold<!--##ENDINCLUDE##-->]");
        put("self.txt", "<!--##INCLUDE=\"self.txt\"##--><!--##ENDINCLUDE##-->");
    }
    void TearDown() override { fs::remove_all(home); }
    void put(const std::string& name, const std::string& text) { std::ofstream(home / name, std::ios::binary) << text; }
    std::string apply(std::string text, const std::string& title = "", const std::string& file = "/site/a/page.html") {
        tv::ApplyMacros(text, false, title, file, c);
        return text;
    }
    fs::path home;
    tv::MacroContext c;
};

TEST_F(Macros, Tokens) {
    EXPECT_EQ(apply("#DATE# #DATE1#"), "October 5, 1998 October 5, 1998");
    c.dateFormat = 5;
    c.customDate = "yyyy";
    EXPECT_EQ(apply("#DATE# #DATE6# #date1# #date#"), "1998 1998 #date1# #date#");
    EXPECT_EQ(apply("#DATE3#|#DATE4#|#DATE5#"), "05-Oct-98|10/5/98|10/05/1998");
    EXPECT_EQ(apply("#USERNAME#"), "Ann Smith");
    EXPECT_EQ(apply("#FILEPATH##FILENAME#"), "/site/a/page.html");
    EXPECT_EQ(apply("#FILEPATH#", "", "Untitled 3"), "#FILEPATH#");
    EXPECT_EQ(apply("<TITLE>#TITLE#</TITLE>", "Home"), "<TITLE>Home</TITLE>");
    EXPECT_EQ(apply("#TITLE#", "a #TITLE# b"), "#TITLE#");
}

TEST_F(Macros, IncludeBlocksKeepTheirMarkers) {
    const std::string block = tv::includeBlock("foot.txt");
    EXPECT_EQ(block, "<!--##INCLUDE=\"foot.txt\"##-->\r\n<!--##ENDINCLUDE##-->");
    const std::string once = apply("x" + block + "y");
    EXPECT_EQ(once, "x<!--##INCLUDE=\"foot.txt\"##-->(c) October 5, 1998<!--##ENDINCLUDE##-->y");
    EXPECT_EQ(apply(once), once);  // a second Update fills it anew
    EXPECT_EQ(apply(block + block), "<!--##INCLUDE=\"foot.txt\"##-->(c) October 5, 1998<!--##ENDINCLUDE##-->"
                                    "<!--##INCLUDE=\"foot.txt\"##-->(c) October 5, 1998<!--##ENDINCLUDE##-->");
}

TEST_F(Macros, OneTimeAndNestedIncludes) {
    EXPECT_EQ(apply("a<!--##INCLUDE=\"^foot.txt\"##-->old<!--##ENDINCLUDE##-->b" + tv::includeBlock("parts\\inner.txt")),
              "a(c) October 5, 1998b<!--##INCLUDE=\"parts\\inner.txt\"##-->inner<!--##ENDINCLUDE##-->");
    EXPECT_EQ(apply(tv::includeBlock("outer.txt")),
              "<!--##INCLUDE=\"outer.txt\"##-->[inner]<!--##ENDINCLUDE##-->");
    EXPECT_EQ(tv::resolveIncludeName("/abs/x.txt", "/home"), "/abs/x.txt");
    EXPECT_EQ(tv::resolveIncludeName("a/../b.txt", "/home"), "/home/b.txt");
}

TEST_F(Macros, FailuresLeaveTheTextAlone) {
    const std::string missing = "keep " + tv::includeBlock("foot.txt") + tv::includeBlock("gone.txt");
    std::string text = missing;
    try {
        tv::ApplyMacros(text, false, "", "", c);
        FAIL();
    } catch (const tv::MacroError& e) {
        EXPECT_EQ(std::string(e.what()), "  Unable to open file " + (home / "gone.txt").string());
    }
    EXPECT_EQ(text, missing);
    std::string cycle = tv::includeBlock("self.txt");
    EXPECT_THROW(tv::ApplyMacros(cycle, false, "", "", c), tv::MacroError);
    std::string unnamed = "<!--##INCLUDE=\"\"##--><!--##ENDINCLUDE##-->";
    EXPECT_THROW(tv::ApplyMacros(unnamed, false, "", "", c), tv::MacroError);
    std::string disorder = "<!--##ENDINCLUDE##--><!--##INCLUDE=\"foot.txt\"##-->";
    EXPECT_THROW(tv::ApplyMacros(disorder, false, "", "", c), tv::MacroError);
}

TEST_F(Macros, IncludesAreReadOnceAndTheirWorkIsBounded) {
    // Twelve files of 400 bytes, each including the next eight times: 8^12
    // expansions. The Update stops with a message, the text stays.
    std::map<std::string, std::string> files;
    for (int k = 0; k < 12; ++k) {
        std::string t(400 - 8 * 48, 'x');
        for (int i = 0; i < 8; ++i)
            t += k == 11 ? std::string(48, 'y') : "<!--##INCLUDE=\"/f" + std::to_string(k + 1) + "\"##--><!--##ENDINCLUDE##-->";
        files["/f" + std::to_string(k)] = t;
    }
    int reads = 0;
    c.readFile = [&](const std::string& name) -> std::optional<std::string> {
        ++reads;
        const auto it = files.find(name);
        if (it == files.end()) return std::nullopt;
        return it->second;
    };
    std::string page = "<!--##INCLUDE=\"/f0\"##--><!--##ENDINCLUDE##-->";
    const std::string before = page;
    try {
        tv::ApplyMacros(page, false, "", "/site/page.html", c);
        FAIL() << "the expansion was not bounded";
    } catch (const tv::MacroError& e) {
        EXPECT_NE(std::string(e.what()).find("Include blocks expand beyond 64 MiB in"), std::string::npos) << e.what();
    }
    EXPECT_EQ(page, before);
    EXPECT_LE(reads, 12);  // each file once
}

TEST_F(Macros, IncludesNestSixteenDeep) {
    // A chain of files, each including the next: sixteen expand, seventeen stop.
    for (const int length : {16, 17}) {
        std::map<std::string, std::string> files;
        for (int k = 0; k < length; ++k)
            files["/c" + std::to_string(k)] =
                k + 1 == length ? std::string("end") : "<!--##INCLUDE=\"/c" + std::to_string(k + 1) + "\"##--><!--##ENDINCLUDE##-->";
        c.readFile = [&](const std::string& name) -> std::optional<std::string> {
            const auto it = files.find(name);
            return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
        };
        std::string page = "<!--##INCLUDE=\"/c0\"##--><!--##ENDINCLUDE##-->";
        if (length == 16) {
            tv::ApplyMacros(page, false, "", "/site/page.html", c);
            EXPECT_EQ(page, "<!--##INCLUDE=\"/c0\"##-->end<!--##ENDINCLUDE##-->");
        } else {
            EXPECT_THROW(tv::ApplyMacros(page, false, "", "/site/page.html", c), tv::MacroError);
        }
    }
}

TEST_F(Macros, UpdateFilesWritesTextFilesAndStopsAtAFailure) {
    put("site1.html", "#USERNAME# #TITLE#");
    put("site2.htm", "nothing to do");
    put("pic.gif", "#USERNAME#");
    put("open.html", "on disk");
    put("bad.html", tv::includeBlock("gone.txt"));
    put("after.html", "#USERNAME#");
    const auto path = [this](const char* n) { return (home / n).string(); };
    std::string openDoc;
    tv::UpdateFilesCallbacks cb;
    cb.openText = [&](const std::string& f) -> std::optional<std::string> {
        if (f == path("open.html")) return std::string("#FILENAME#");
        return std::nullopt;
    };
    cb.setOpenText = [&](const std::string&, const std::string& t) { openDoc = t; };
    const std::vector<std::string> files{path("site1.html"), path("site2.htm"), path("pic.gif"), path("open.html")};
    EXPECT_EQ(tv::UpdateFiles(files, {"html", "htm", "gif"}, c, cb),
              (std::vector<std::string>{path("site1.html"), path("open.html")}));
    EXPECT_EQ(tv::readSiteFileBytes(path("site1.html")), "Ann Smith #TITLE#");
    EXPECT_EQ(tv::readSiteFileBytes(path("pic.gif")), "#USERNAME#");  // images are never text
    EXPECT_EQ(tv::readSiteFileBytes(path("open.html")), "on disk");
    EXPECT_EQ(openDoc, "open.html");
    EXPECT_THROW(tv::UpdateFiles({path("bad.html"), path("after.html")}, {"html"}, c), tv::MacroError);
    EXPECT_EQ(tv::readSiteFileBytes(path("after.html")), "#USERNAME#");
}

// Update writes a Windows-1252 page back in Windows-1252, the owner's name
// too; a UTF-8 page stays UTF-8.
TEST_F(Macros, UpdateKeepsEachPagesEncoding) {
    c.owner = "Zo\xC3\xAB";
    put("w.html", "caf\xE9 #USERNAME#");
    put("u.html", "caf\xC3\xA9 #USERNAME#");
    const std::string w = (home / "w.html").string(), u = (home / "u.html").string();
    EXPECT_EQ(tv::UpdateFiles({w, u}, {"html"}, c), (std::vector<std::string>{w, u}));
    EXPECT_EQ(tv::readSiteFileBytes(w), "caf\xE9 Zo\xEB");
    EXPECT_EQ(tv::readSiteFileBytes(u), "caf\xC3\xA9 Zo\xC3\xAB");
}

} // namespace

namespace {

TEST(DateLocale, PatternsOfTheDesktopsLocale) {
    const std::pair<const char*, const char*> formats[] = {
        {"M/d/yy", "m/d/yy"},
        {"dddd, MMMM d, yyyy", "dddd, mmmm d, yyyy"},
        {"h:mm AP", "h:nn AMPM"},
        {"h:mm:ss ap", "h:nn:ss AMPM"},
        {"HH:mm:ss", "hh:nn:ss"},
        {"dd.MM.yyyy", "dd.mm.yyyy"},
        {"dddd d 'de' MMMM 'de' yyyy", "dddd d \"de\" mmmm \"de\" yyyy"},
        // A time zone or a fraction of a second is left out with what leads up to it.
        {"HH:mm:ss t", "hh:nn:ss"},
        {"h:mm:ss AP t", "h:nn:ss AMPM"},
        {"h:mm:ss\u202fAP t", "h:nn:ss\u202fAMPM"},
        {"HH:mm:ss.zzz", "hh:nn:ss"},
        {"t HH:mm", "hh:nn"},
        {"yyyy-MM-dd", "yyyy-mm-dd"},
    };
    for (const auto& [locale, ours] : formats) EXPECT_EQ(tv::patternFromLocaleFormat(locale), ours) << locale;
    EXPECT_EQ(tv::separatorOf("dd.MM.yyyy", "/"), ".");
    EXPECT_EQ(tv::separatorOf("yyyy-MM-dd", "/"), "-");
    EXPECT_EQ(tv::separatorOf("HH:mm", "."), ":");
    EXPECT_EQ(tv::separatorOf("dddd", "/"), "/");
    // A German desktop: "c" and the separators come out its way.
    tv::DateLocale german;
    german.shortDate = tv::patternFromLocaleFormat("dd.MM.yy");
    german.longTime = tv::patternFromLocaleFormat("HH:mm:ss");
    german.dateSeparator = ".";
    tv::DateTime when;
    when.year = 2026, when.month = 12, when.day = 8, when.hour = 14, when.minute = 5, when.second = 9;
    EXPECT_EQ(tv::FormatDateTime("c", when, german), "08.12.26 14:05:09");
    EXPECT_EQ(tv::FormatDateTime("d/m/yyyy", when, german), "8.12.2026");
    EXPECT_EQ(tv::FormatDateTime("'d' d", when, german), "d 8");
    // "m" after an hour is minutes; after minutes or seconds it is the month again.
    EXPECT_EQ(tv::FormatDateTime("h:m m", when, german), "14:5 12");
    EXPECT_EQ(tv::FormatDateTime("h:n:s m", when, german), "14:5:9 12");
}

} // namespace
