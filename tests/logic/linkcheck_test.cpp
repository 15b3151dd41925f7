#include "check/linkcheck.h"
#include "check/references.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

struct Site {
    fs::path root = fs::temp_directory_path() / ("taviron-links-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    Site() { fs::remove_all(root); }
    ~Site() { fs::remove_all(root); }
    void put(const std::string& name, const std::string& bytes) {
        fs::create_directories((root / name).parent_path());
        std::ofstream(root / name, std::ios::binary) << bytes;
    }
    std::vector<std::string> report(const tv::LinkCheck& c) const {
        std::vector<std::string> out;
        for (const tv::CheckProblem& p : c.problems) out.push_back(tv::formatProblem(p, root.string()));
        for (const std::string& f : c.orphans) out.push_back("orphan " + tv::shownName(f, root.string()));
        return out;
    }
};

TEST(LinkCheck, EachKindOfProblemOnceAndNoFalseReport) {
    Site s;
    // A clean page using every kind of reference, read as a browser reads it.
    s.put("index.html",
          "<!DOCTYPE html>\r\n<html><head><link rel=stylesheet href='css/site.css'><style>p{background:url(img/bg.png)}</style>"
          "<script src=\"js/app.js\"></script><script>var s = '<a href=\"nowhere.html\">';</script></head>\r\n"
          "<body background=img/bg.png><!-- <a href=\"gone.html\"> -->\r\n"
          "<a href=\"about%20us.html?from=home#team\">a</a> <a href=\"a&amp;b.html\">b</a> <a href=\"#top\">t</a>"
          "<img srcset=\"img/a.png 1x, img/b.png 2x\" src=img/a.png style=\"border-image:url('img/b.png')\">"
          "<form action=\"about us.html\"></form><video poster=img/a.png></video><object data=\"img/b.png\"></object>"
          "<a href=\"mailto:me@example.com\">m</a><a href=\"https://example.com/x\">w</a><a href=\"javascript:void(0)\">j</a>"
          "<a href=\"file://" + s.root.string() + "/img/a.png\">f</a><a href=\"/sub/\">root</a><a href=\"tel:+1\">t</a>"
          "<a href=based.html>b</a><a href=\"svn+ssh://host/x\">s</a></body>");
    // The first base counts, wherever it stands.
    s.put("based.html", "<a href=\"index.htm\">i</a><base href=\"sub/\"><base href=\"img/\">");
    s.put("about us.html", "<h2 id=team>Team</h2><a name=old></a>");
    s.put("a&b.html", "<a href=\"about us.html#old\">x</a><a href=\"index.html\">home</a>");
    s.put("css/site.css", "@import 'more.css'; body { background: url( \"../img/a.png\" ) } /* url(gone.png) */");
    s.put("css/more.css", "i { background: url(../img/b.png) } b { background:URL(../img/only-here.png) }"
                          "a::after { content: \"url(gone.png)\" }");
    s.put("img/only-here.png", "");
    s.put("js/app.js", "");
    s.put("img/a.png", "");
    s.put("img/b.png", "");
    s.put("img/bg.png", "");
    s.put("sub/index.htm", "<p>");
    s.put(".git/config", "");
    const tv::LinkCheck clean = tv::checkLinks({s.root.string()}, {});
    EXPECT_EQ(s.report(clean), std::vector<std::string>{}) << "a clean site";
    EXPECT_EQ(clean.filesRead, 7u);  // five pages, two style sheets

    // Now one problem of each kind, in pages of UTF-8 and Windows-1252.
    s.put("bad.html",
          "<p id=x>caf\xC3\xA9 <img src=\"img/missing.png\">\n"        // 1: missing
          "<img src=\"IMG/A.png\"><a href=\"#nowhere\">s</a>\r\n"       // 2: case, fragment here
          "<a href=\"about us.html#nobody\">a</a><b id=x>again</b>\r"); // 3: fragment there, id twice
    s.put("latin.html", "<p>caf\xE9\r <a href=\"gone.html\">g</a>");  // a CR alone ends a line
    s.put("img/unused.png", "");
    const tv::LinkCheck c = tv::checkLinks({s.root.string()}, {});
    EXPECT_EQ(s.report(c), (std::vector<std::string>{
                               "bad.html:1:24: error: missing file \"img/missing.png\"",
                               "bad.html:2:11: error: \"IMG/A.png\" is \"img/a.png\" on disk: works on Windows and macOS, not on a Linux server",
                               "bad.html:2:31: warning: no id or name \"nowhere\" in this page",
                               "bad.html:3:10: warning: no id or name \"nobody\" in \"about us.html\"",
                               "bad.html:3:43: warning: id \"x\" is used twice (first on line 1)",
                               "latin.html:2:11: error: missing file \"gone.html\"",
                               "orphan bad.html",
                               "orphan img/unused.png",
                               "orphan latin.html",
                           }));
}

TEST(LinkCheck, ReferencesAsABrowserFindsThem) {
    const tv::PageReferences r = tv::scanPageReferences(
        "<BASE HREF=\"x/&amp;/\"><a href=' a.html '>x</a><img srcset=\"p.png 1x,q.png 2x , r.png\">"
        "<a href=\"&#x61;.html\"><a href=\"&#99999999999;\"><a name=n></a><b name=not id=i>");
    EXPECT_TRUE(r.hasBase);
    EXPECT_EQ(r.base, "x/&/");
    std::vector<std::string> urls, written;
    for (const auto& ref : r.references) {
        urls.push_back(ref.url);
        written.push_back(ref.written);
    }
    EXPECT_EQ(urls, (std::vector<std::string>{"a.html", "p.png", "q.png", "r.png", "a.html", "&#99999999999;"}));
    EXPECT_EQ(written[0], " a.html ");
    ASSERT_EQ(r.anchors.size(), 2u);
    EXPECT_EQ(r.anchors[0].name, "n");
    EXPECT_FALSE(r.anchors[0].isId);
    EXPECT_EQ(r.anchors[1].name, "i");
    EXPECT_EQ(tv::percentDecoded("a%20b%2x%"), "a b%2x%");
}

TEST(LinkCheck, ProgressCanStopIt) {
    Site s;
    s.put("a.html", "<a href=b.html>");
    s.put("b.html", "<a href=missing.html>");
    tv::LinkCheckOptions o;
    int calls = 0;
    o.progress = [&](std::size_t, std::size_t count, const std::string&) {
        EXPECT_EQ(count, 2u);
        return ++calls < 2;
    };
    const tv::LinkCheck c = tv::checkLinks({s.root.string()}, o);
    EXPECT_TRUE(c.cancelled);
    EXPECT_EQ(calls, 2);
}

} // namespace
