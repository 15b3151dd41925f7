#include "tools/multisearch.h"
#include "base/docfile.h"
#include "base/filekind.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kText{"html", "htm", "shtml", "txt"};

class SiteFiles : public testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("taviron-site-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "sub");
        put("a.html", "one table\r\ntwo");
        put("b.HTM", "TABLE");
        put("pic.gif", "table");
        put("notes.doc", "table");
        put("sub/c.txt", "a-a");
    }
    void TearDown() override { fs::remove_all(root); }
    void put(const std::string& name, const std::string& text) { std::ofstream(root / name, std::ios::binary) << text; }
    std::string file(const std::string& name) const { return (root / name).string(); }
    std::vector<std::string> collect(bool recurse) const {
        std::vector<std::string> list;
        tv::CollectFolderFiles(root.string(), recurse, kText, list);
        std::sort(list.begin(), list.end());
        return list;
    }
    fs::path root;
};

// A find text with a line break (as the dialog gives it, in CR LF) meets
// each file's own line ends, and its replacement is written in them.
TEST_F(SiteFiles, LineBreaksFollowEachFilesLineEnds) {
    struct Case {
        const char* name;
        std::string before, find, replacement, after;
    };
    const Case cases[] = {
        {"lf.html", "<p>\none\ntwo\n", "one\r\ntwo", "1\r\n2\r\n3", "<p>\n1\n2\n3\n"},
        {"crlf.html", "<p>\r\none\r\ntwo\r\n", "one\r\ntwo", "1\r\n2", "<p>\r\n1\r\n2\r\n"},
        {"cr.html", "<p>\rone\rtwo\r", "one\r\ntwo", "1\r\n2", "<p>\r1\r2\r"},
        // Mixed: each break as the line end it met.
        {"mixed.html", "one\ntwo\r\none\r\ntwo", "one\r\ntwo", "x\r\ny", "x\ny\r\nx\r\ny"},
        // No break in the find text: the replacement takes the file's line end.
        {"plain.html", "a\nb c\n", "c", "c\r\nd", "a\nb c\nd\n"},
        {"plaincr.html", "a\rb\r", "a", "x\r\ny", "x\ry\rb\r"},
        // A break at the end of the find text takes the whole CR LF.
        {"end.html", "x\r\ny\r\n", "x\r\n", "z", "zy\r\n"},
        // Two breaks in a row, given as LF alone (as a command line may).
        {"blank.html", "x\r\n\r\ny", "x\n\ny", "z\n", "z\r\n"},
    };
    for (const Case& c : cases) {
        put(c.name, c.before);
        EXPECT_EQ(tv::FindInFiles({file(c.name)}, c.find, true).size(), 1u) << c.name;
        const tv::ReplaceResult r = tv::ReplaceInFiles({file(c.name)}, c.find, c.replacement, true);
        EXPECT_EQ(tv::readSiteFileBytes(file(c.name)), c.after) << c.name;
        EXPECT_EQ(r.total, c.name == std::string("mixed.html") ? 2 : 1) << c.name;
    }
}

TEST(FileKinds, ByExtension) {
    EXPECT_EQ(tv::GetFileKind("/a/b.PNG", kText), tv::FileKind::Image);
    EXPECT_EQ(tv::GetFileKind("/a/b.jpeg", kText), tv::FileKind::Image);
    EXPECT_EQ(tv::GetFileKind("/a/b.Html", kText), tv::FileKind::Text);
    EXPECT_EQ(tv::GetFileKind("/a/b.doc", kText), tv::FileKind::Other);
    EXPECT_EQ(tv::GetFileKind("/a/README", kText), tv::FileKind::Other);
}

TEST_F(SiteFiles, CollectsTextFilesOnly) {
    EXPECT_EQ(collect(false), (std::vector<std::string>{file("a.html"), file("b.HTM")}));
    EXPECT_EQ(collect(true).size(), 3u);
}

TEST_F(SiteFiles, FindsTwoLinesAndFoldsCase) {
    const auto files = collect(true);
    EXPECT_EQ(tv::FindInFiles(files, "table", false), (std::vector<std::string>{file("a.html"), file("b.HTM")}));
    EXPECT_EQ(tv::FindInFiles(files, "table", true), (std::vector<std::string>{file("a.html")}));
    EXPECT_EQ(tv::FindInFiles(files, "table\r\ntwo", true), (std::vector<std::string>{file("a.html")}));
    // Cancel after the first file keeps what was found.
    int calls = 0;
    tv::FindCallbacks cb;
    cb.cancelled = [&] { return ++calls >= 1; };
    std::vector<std::size_t> numbers;
    cb.progress = [&](std::size_t i, std::size_t) { numbers.push_back(i); };
    EXPECT_EQ(tv::FindInFiles(files, "TABLE", false, cb).size(), 1u);
    EXPECT_EQ(numbers, std::vector<std::size_t>{1});
}

// Text of ASCII only is looked for in the raw bytes, a window of 64 KB at a
// time: matches across windows, at the very end, in either letter case, in
// a Windows-1252 page, and other text through the decoded page.
TEST_F(SiteFiles, FindsAcrossTheWindowsOfAFile) {
    const std::size_t W = 64 * 1024;
    struct Case {
        std::string text, find;
        bool caseSensitive, holds;
    };
    const std::string pad(W - 3, 'x');
    const Case cases[] = {
        {pad + "needle", "needle", true, true},          // cut by the first window's end
        {pad + "NEEDLE", "needle", false, true},
        {pad + "NEEDLE", "needle", true, false},
        {pad + pad + pad + "end", "xend", true, true},    // the last bytes
        {pad + "need", "needle", true, false},            // the file ends inside it
        {"caf\xE9 " + pad + "table", "table", false, true},  // Windows-1252
        {"caf\xE9 " + pad, "caf\xC3\xA9", true, true},      // decoded: é
        {"\xEF\xBB\xBF" "<P>" + pad + "\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\xA9", false, true},  // UTF-8, É folded
        {"", "x", true, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "w" + std::to_string(n++) + ".html";
        put(name, c.text);
        EXPECT_EQ(tv::fileHolds(file(name), c.find, c.caseSensitive), c.holds) << name;
    }
    // A file reached by two names is listed once, under the first.
    fs::create_symlink(root / "a.html", root / "link.html");
    EXPECT_EQ(tv::FindInFiles({file("link.html"), file("b.HTM"), file("a.html")}, "table", false),
              (std::vector<std::string>{file("link.html"), file("b.HTM")}));
    EXPECT_THROW(tv::fileHolds((root / "sub").string(), "a", true), tv::FileError);
    EXPECT_THROW(tv::fileHolds(file("none.html"), "a", true), tv::FileError);
}

TEST_F(SiteFiles, ReplacesOnDiskAndInOpenDocuments) {
    const auto files = collect(true);
    std::string openText = "a table open";
    tv::ReplaceCallbacks cb;
    cb.openText = [&](const std::string& f) -> std::optional<std::string> {
        return f == file("a.html") ? std::optional<std::string>(openText) : std::nullopt;
    };
    cb.setOpenText = [&](const std::string&, const std::string& t) { openText = t; };
    // Progress names each file with its number from 1 and the total so far.
    std::vector<std::pair<std::size_t, int>> progress;
    cb.progress = [&](std::size_t i, const std::string&, int total) { progress.emplace_back(i, total); };
    const tv::ReplaceResult r = tv::ReplaceInFiles(files, "a", "aa", false, cb);
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_EQ(progress.front(), (std::pair<std::size_t, int>{1, 0}));
    EXPECT_EQ(progress.back().first, 3u);
    EXPECT_EQ(openText, "aa taable open");
    std::ifstream disk(file("a.html"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(disk), {}), "one table\r\ntwo");  // the window has the change
    EXPECT_EQ(tv::readSiteFileBytes(file("b.HTM")), "TaaBLE");  // the replacement is written as given
    EXPECT_EQ(tv::readSiteFileBytes(file("sub/c.txt")), "aa-aa");
    EXPECT_EQ(r.total, 2 + 1 + 2);
}

// A Windows-1252 page is searched as the characters it shows and written
// back in Windows-1252; a character the code page lacks becomes a reference.
TEST_F(SiteFiles, AWindows1252PageStaysWindows1252) {
    put("w.html", "<p>caf\xE9 \x80 caf\xE9");
    const tv::ReplaceResult r = tv::ReplaceInFiles({file("w.html")}, "caf\xC3\xA9", "th\xC3\xA9 \xE2\x80\x94 \xE4\xB8\xAD", false);
    EXPECT_EQ(r.total, 2);
    EXPECT_EQ(tv::readSiteFileBytes(file("w.html")), "<p>th\xE9 \x97 &#20013; \x80 th\xE9 \x97 &#20013;");
}

TEST(ReplaceCounted, StopsWhenCancelled) {
    std::string t = "a a a";
    int asked = 0;
    EXPECT_EQ(tv::ReplaceCounted("a", "b", t, true, [&] { return ++asked > 2; }), 2);
    EXPECT_EQ(t, "b b a");
    std::string u = "aAa";
    EXPECT_EQ(tv::ReplaceCounted("a", "aa", u, false, {}), 3);
    EXPECT_EQ(u, "aaaaaa");
}

TEST(FileTextErrors, Messages) {
    try {
        tv::readSiteFileBytes("/nonexistent/x.html");
        FAIL();
    } catch (const tv::FileError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/x.html: No such file or directory");
    }
    try {
        tv::writeSiteFileBytes("x", "/nonexistent/y.html");
        FAIL();
    } catch (const tv::FileError& e) {
        EXPECT_STREQ(e.what(), "Cannot create file /nonexistent/y.html: No such file or directory");
    }
    // Only regular files of at most 64 MiB are read.
    try {
        tv::readSiteFileBytes("/dev/zero");
        FAIL();
    } catch (const tv::FileError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file /dev/zero: not a regular file");
    }
}

TEST_F(SiteFiles, OddEntriesArePassedOverAndEachFileIsOnce) {
    const std::string d = (root / "odd").string();
    fs::create_directories(d + "/sub");
    std::ofstream(d + "/a.html") << "a";
    fs::create_symlink("../a.html", d + "/sub/link.html");
    fs::create_hard_link(d + "/a.html", d + "/hard.html");
    ::mkfifo((d + "/fifo.html").c_str(), 0600);
    fs::create_symlink("/dev/zero", d + "/zero.html");
    fs::create_symlink("loop.html", d + "/loop.html");
    std::ofstream(d + "/big.html").close();
    fs::resize_file(d + "/big.html", (64ull << 20) + 1);  // sparse
    std::vector<std::string> files, passedOver;
    tv::CollectFolderFiles(d, true, {"html"}, files, &passedOver);
    EXPECT_EQ(passedOver.size(), 3u);
    const std::vector<std::string> once = tv::eachFileOnce(files);
    EXPECT_EQ(once.size(), 2u);  // a.html (one of three names) and big.html
    try {
        tv::FindInFiles(once, "a", false);
        FAIL() << "a file over 64 MiB was read";
    } catch (const tv::FileError& e) {
        EXPECT_NE(std::string(e.what()).find("larger than 64 MiB"), std::string::npos);
    }
    std::erase_if(files, [](const std::string& f) { return f.ends_with("big.html"); });
    const tv::ReplaceResult r = tv::ReplaceInFiles(tv::eachFileOnce(files), "a", "b", true);
    EXPECT_EQ(r.total, 1);
    EXPECT_EQ(tv::readSiteFileBytes(d + "/a.html"), "b");
}

} // namespace
