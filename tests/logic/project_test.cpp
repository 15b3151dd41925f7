#include "files/project.h"

#include "base/docfile.h"
#include "base/filekind.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Project : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("taviron-project-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(Project, FileBytesAndRoundTrip) {
    tv::TProject root;
    root.SaveToFile(path("empty.vkp"));
    EXPECT_EQ(tv::readSiteFileBytes(path("empty.vkp")), std::string("\1\5Title\0\0\0\0\0", 12));

    root.Rename("Site");
    EXPECT_TRUE(root.AddFile("/w/index.html"));
    EXPECT_FALSE(root.AddFile("/w/index.html"));  // once
    EXPECT_TRUE(root.AddFile("/w/Index.html"));   // another page: letter case counts
    root.RemoveFile("/w/Index.html");             // that one alone goes
    EXPECT_EQ(root.Files(), std::vector<std::string>{"/w/index.html"});
    tv::TProject* pics = root.AddFolder();
    pics->Rename("Pictures");
    pics->AddFile("/w/a.gif");
    pics->AddFile("/w/b.gif");
    pics->AddFolder()->AddFile("/w/deep.txt");
    EXPECT_TRUE(root.ProjectModified());
    root.SaveToFile(path("site.vkp"));
    EXPECT_FALSE(root.ProjectModified());

    tv::TProject back;
    back.LoadFromFile(path("site.vkp"));
    EXPECT_EQ(back.Title(), "Site");
    EXPECT_EQ(back.Files(), std::vector<std::string>{"/w/index.html"});
    ASSERT_EQ(back.FolderCount(), 1);
    EXPECT_EQ(back.GetFolder(0)->Title(), "Pictures");
    EXPECT_EQ(back.GetFolder(0)->Files(), (std::vector<std::string>{"/w/a.gif", "/w/b.gif"}));
    EXPECT_EQ(back.GetFolder(0)->GetFolder(0)->Level, 2);
    EXPECT_EQ(back.GetFolder(0)->GetFolder(0)->Parent(), back.GetFolder(0));
    back.GetFolder(0)->GetFolder(0)->RemoveFile("/W/DEEP.TXT");  // another file: nothing goes
    EXPECT_FALSE(back.ProjectModified());
    back.GetFolder(0)->GetFolder(0)->RemoveFile("/w/deep.txt");
    EXPECT_TRUE(back.ProjectModified());  // one flag for the whole tree
    EXPECT_TRUE(back.GetFolder(0)->GetFolder(0)->Files().empty());
}

// Titles are stored in UTF-8; older project files hold Windows-1252 ones,
// which are decoded and cut, whole characters only, to the title's limit.
TEST_F(Project, OlderWindows1252TitlesAreDecoded) {
    std::string bytes = std::string("\1\6Caf\xE9 \x80", 8) + std::string("\0\0\0\0\2", 5);
    bytes += std::string("\4Zo\xC3\xAB", 5) + std::string("\0\0\0\0\0", 5);
    bytes += "\xFF" + std::string(255, '\xE9') + std::string("\0\0\0\0\0", 5);
    tv::writeSiteFileBytes(bytes, path("old.vkp"));
    tv::TProject p;
    p.LoadFromFile(path("old.vkp"));
    EXPECT_EQ(p.Title(), "Caf\xC3\xA9 \xE2\x82\xAC");
    ASSERT_EQ(p.FolderCount(), 2);
    EXPECT_EQ(p.GetFolder(0)->Title(), "Zo\xC3\xAB");  // UTF-8 already
    std::string cut;
    for (int i = 0; i < 127; ++i) cut += "\xC3\xA9";
    EXPECT_EQ(p.GetFolder(1)->Title(), cut);
}

TEST_F(Project, DamagedFilesAreRefusedAndChangeNothing) {
    tv::TProject root;
    root.Rename("Site");
    root.AddFolder()->AddFile("/w/a.html");
    root.SaveToFile(path("site.vkp"));
    const std::string whole = tv::readSiteFileBytes(path("site.vkp"));
    tv::TProject open;
    open.Rename("Open");
    open.AddFile("/keep.html");
    // Every cut of the file, and a folder count promising more than there is.
    std::vector<std::string> damaged;
    for (std::size_t n = 0; n < whole.size(); ++n) damaged.push_back(whole.substr(0, n));
    damaged.push_back(std::string("\1\0\xFF\xFF\xFF\x7F", 6));
    std::string nest = "\1";
    for (int i = 0; i < 1000; ++i) nest += std::string("\0\0\0\0\0\1", 6);
    damaged.push_back(nest);
    for (const std::string& bytes : damaged) {
        tv::writeSiteFileBytes(bytes, path("bad.vkp"));
        EXPECT_THROW(open.LoadFromFile(path("bad.vkp")), tv::ProjectError) << bytes.size();
        EXPECT_EQ(open.Title(), "Open");
        EXPECT_EQ(open.Files(), std::vector<std::string>{"/keep.html"});
    }
    EXPECT_THROW(open.LoadFromFile(path("missing.vkp")), tv::ProjectError);
}

TEST_F(Project, LimitsKeepEveryProjectReadable) {
    tv::TProject root;
    root.Rename(std::string(300, 'x'));
    EXPECT_EQ(root.Title().size(), 255u);
    for (int i = 0; i < 255; ++i) ASSERT_NE(root.AddFolder(), nullptr);
    EXPECT_EQ(root.AddFolder(), nullptr);
    root.GetFolder(3)->Rename("gone");
    root.RemoveFolder(root.GetFolder(3));
    EXPECT_EQ(root.FolderCount(), 254);
    for (int i = 0; i < root.FolderCount(); ++i) EXPECT_NE(root.GetFolder(i)->Title(), "gone");
    // Folders nest as deep as the file can say, and no deeper.
    tv::TProject* deepest = root.GetFolder(0);
    while (tv::TProject* next = deepest->AddFolder()) deepest = next;
    EXPECT_EQ(deepest->Level, tv::TProject::kMaxDepth);
    root.SaveToFile(path("big.vkp"));
    tv::TProject back;
    back.LoadFromFile(path("big.vkp"));
    EXPECT_EQ(back.FolderCount(), 254);
    back.Clear();
    EXPECT_EQ(back.Title(), "Title");
    EXPECT_EQ(back.FolderCount(), 0);
    EXPECT_FALSE(back.ProjectModified());
}

} // namespace
