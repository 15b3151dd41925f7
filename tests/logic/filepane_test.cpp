#include "files/filepane.h"
#include "files/project.h"

#include "base/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(FilePane, MasksOfTheFilterList) {
    const auto filters = tv::SplitFilter(tv::kPaneFilter);
    ASSERT_EQ(filters.size(), 4u);
    EXPECT_EQ(filters[0].name, "All web files");
    EXPECT_EQ(filters[3].masks, "*.*");
    struct Case {
        const char* name;
        const char* masks;
        bool match;
    } cases[] = {
        {"index.htm", "*.htm;*.sht", true},
        {"INDEX.HTM", "*.htm;*.sht", true},         // letter case ignored
        {"index.html", "*.htm;*.sht", true},        // three-letter extensions take longer ones
        {"page.shtml", "*.htm;*.sht", true},
        {"photo.png", "*.gif;*.jpg;*.jpeg", false},
        {"photo.jpeg", "*.gif;*.jpg;*.jpeg", true},
        {"photo.jpg.bak", "*.jpg", false},
        {"notes", "*.*", true},
        {"notes", "*.htm", false},
        {"a1.gif", "a?.gif", true},
        {"ab1.gif", "a?.gif", false},
        {"style.css", "", false},
        {"x.htmx", " *.htm ", true},                // blanks around a mask are dropped
    };
    for (const Case& c : cases) EXPECT_EQ(tv::MatchesMask(c.name, c.masks), c.match) << c.name << " " << c.masks;
}

TEST(FilePane, FolderListsAndFiles) {
    const fs::path dir = fs::temp_directory_path() / ("taviron-pane-" + std::to_string(::getpid()));
    fs::create_directories(dir / "b_sub");
    fs::create_directories(dir / "A_sub");
    fs::create_directories(dir / ".hidden");
    for (const char* f : {"b.html", "A.gif", "c.txt", "d.htm"}) std::ofstream(dir / f) << "x";

    EXPECT_EQ(tv::FolderFiles(dir.string(), "*.htm;*.gif"), (std::vector<std::string>{"A.gif", "b.html", "d.htm"}));
    EXPECT_TRUE(tv::FolderFiles((dir / "missing").string(), "*.*").empty());

    const auto items = tv::DirListItems(dir.string());
    // "/", each folder down to dir, then its two visible sub-folders.
    ASSERT_GE(items.size(), 4u);
    EXPECT_EQ(items.front().path, "/");
    const auto& current = items[items.size() - 3];
    EXPECT_TRUE(current.current);
    EXPECT_EQ(current.path, dir.string());
    EXPECT_EQ(items[items.size() - 2].name, "A_sub");
    EXPECT_EQ(items.back().path, (dir / "b_sub").string());
    EXPECT_EQ(items.back().level, current.level + 1);
    EXPECT_EQ(tv::DirListItems("/").front().current, true);
    fs::remove_all(dir);
}

TEST(FilePane, ListButtonAndColumns) {
    struct Case {
        tv::PaneView in, out;
    } cases[] = {{{true, 0}, {true, 1}}, {{true, 1}, {false, 0}}, {{false, 1}, {true, 0}}, {{false, 0}, {true, 0}}};
    for (const Case& c : cases) {
        const tv::PaneView r = tv::ListButtonStep(c.in);
        EXPECT_EQ(r.visible, c.out.visible);
        EXPECT_EQ(r.page, c.out.page);
    }
    EXPECT_EQ(tv::FileListColumns(265), 1);
    EXPECT_EQ(tv::FileListColumns(266), 2);
}

TEST(FilePane, WhatIsThere) {
    EXPECT_FALSE(tv::fileExists("/nonexistent/page.html"));
    EXPECT_FALSE(tv::fileExists(""));
    EXPECT_FALSE(tv::fileExists("/tmp"));  // a folder is no file
    EXPECT_TRUE(tv::folderExists("/tmp"));
    EXPECT_FALSE(tv::folderExists("/nonexistent"));
}

TEST(FilePane, ProjectFoldersAndTheirTextFiles) {
    tv::TProject root;
    root.AddFile("/s/index.html");
    root.AddFile("/s/logo.gif");
    tv::TProject* a = root.AddFolder();
    a->Rename("A");
    a->AddFile("/s/index.html");  // the parent's file: handled once
    a->AddFile("/s/INDEX.HTML");  // another page: letter case counts
    a->AddFile("/s/a.htm");
    a->AppendFile("/s/a.htm");    // listed twice
    tv::TProject* deep = a->AddFolder();
    deep->AddFile("/s/deep.txt");
    tv::TProject* b = root.AddFolder();
    b->Rename("B");

    const auto folders = tv::ListProjectFolders(root);
    ASSERT_EQ(folders.size(), 4u);
    EXPECT_EQ(folders[1], a);
    EXPECT_EQ(folders[2], deep);
    EXPECT_EQ(folders[2]->Level, 2);
    EXPECT_EQ(folders[3], b);

    const std::vector<std::string> ext{"html", "htm", "txt"};
    std::vector<std::string> files;
    tv::CollectProjectFiles(root, true, ext, files);
    EXPECT_EQ(files, (std::vector<std::string>{"/s/index.html", "/s/INDEX.HTML", "/s/a.htm", "/s/deep.txt"}));
    files.clear();
    tv::CollectProjectFiles(*a, false, ext, files);
    EXPECT_EQ(files, (std::vector<std::string>{"/s/index.html", "/s/INDEX.HTML", "/s/a.htm"}));

    std::vector<std::string> sorted{"/s/b.html", "/s/A.gif", "/s/a.htm"};
    tv::SortNoCase(sorted);
    EXPECT_EQ(sorted, (std::vector<std::string>{"/s/A.gif", "/s/a.htm", "/s/b.html"}));
}
