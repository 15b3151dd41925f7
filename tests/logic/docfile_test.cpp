#include "app/docfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct LineEndCase {
    const char* name;
    std::string file;
    std::string editor;
    tv::LineEnds ends;
};

class LineEndsTable : public testing::TestWithParam<LineEndCase> {};

TEST_P(LineEndsTable, LoadsAndSavesBack) {
    const LineEndCase& c = GetParam();
    const tv::EditorText t = tv::fileToEditorText(c.file);
    EXPECT_EQ(t.text, c.editor);
    EXPECT_EQ(t.lineEnds, c.ends);
    EXPECT_EQ(tv::editorToFileText(t.text, t.lineEnds), c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LineEndsTable,
    testing::Values(
        LineEndCase{"Lf", "a\nb\n", "a\r\nb\r\n", tv::LineEnds::Lf},
        LineEndCase{"CrLf", "a\r\nb", "a\r\nb", tv::LineEnds::CrLf},
        LineEndCase{"Mixed", "a\r\nb\nc", "a\r\nb\nc", tv::LineEnds::AsIs},
        LineEndCase{"LoneCr", "a\rb", "a\rb", tv::LineEnds::AsIs},
        LineEndCase{"NoBreak", "abc", "abc", tv::platformLineEnds()},
        LineEndCase{"Empty", "", "", tv::platformLineEnds()},
        LineEndCase{"NulBytes", std::string("a\0b\n", 4), std::string("a\0b\r\n", 5), tv::LineEnds::Lf}),
    [](const testing::TestParamInfo<LineEndCase>& i) { return std::string(i.param.name); });

TEST(LineEnds, NewLinesTypedIntoAnLfFileAreSavedAsLf) {
    EXPECT_EQ(tv::editorToFileText("a\r\nb\r\n\r\n", tv::LineEnds::Lf), "a\nb\n\n");
}

struct SaveAsCase {
    const char* name;
    std::string typed;
    int filter;
    std::string saved;
    bool changed;
};

class SaveAsRules : public testing::TestWithParam<SaveAsCase> {};

TEST_P(SaveAsRules, AppendsTheMissingPart) {
    const SaveAsCase& c = GetParam();
    bool changed = true;
    EXPECT_EQ(tv::applySaveAsExtension(c.typed, c.filter, changed), c.saved);
    EXPECT_EQ(changed, c.changed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SaveAsRules,
    testing::Values(SaveAsCase{"HtmUnderFilter1", "/d/page.htm", 1, "/d/page.html", true},
                    SaveAsCase{"UpperCaseHtm", "/d/PAGE.HTM", 1, "/d/PAGE.HTMl", true},
                    SaveAsCase{"HtmlUnderFilter1", "/d/page.html", 1, "/d/page.html", false},
                    SaveAsCase{"HtmUnderFilter2", "/d/page.htm", 2, "/d/page.htm", false},
                    SaveAsCase{"ShtUnderFilter3", "/d/page.sht", 3, "/d/page.shtml", true},
                    SaveAsCase{"ShtmlUnderFilter3", "/d/page.shtml", 3, "/d/page.shtml", false},
                    SaveAsCase{"HtmUnderFilter3", "/d/page.htm", 3, "/d/page.htm", false},
                    SaveAsCase{"TxtUnderFilter1", "/d/page.txt", 1, "/d/page.txt", false}),
    [](const testing::TestParamInfo<SaveAsCase>& i) { return std::string(i.param.name); });

TEST(Prompts, Texts) {
    EXPECT_EQ(tv::confirmReplaceText("/d/a.html"),
              "/d/a.html\r\nThis file already exists.\r\n\r\nReplace existing file?");
    EXPECT_EQ(tv::closePromptText("a.html"), "Save changes to a.html?");
}

class FileWriting : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("taviron-docfile-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const char* name) const { return (dir / name).string(); }
    static void put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path dir;
};

TEST_F(FileWriting, WritesEveryByteAndLeavesNoTemporaryBehind) {
    std::string all;
    for (int round = 0; round < 1000; ++round)
        for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    tv::writeFileAtomically(file("a.bin"), all);
    EXPECT_EQ(tv::readFileBytes(file("a.bin")), all);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FileWriting, KeepsPermissionsAndFollowsLinks) {
    fs::create_directories(dir / "real");
    put(file("real/t.html"), "old");
    ::chmod(file("real/t.html").c_str(), 0604);
    fs::create_symlink("real/t.html", dir / "link.html");
    fs::create_symlink("link.html", dir / "link2.html");
    tv::writeFileAtomically(file("link2.html"), "new");
    EXPECT_TRUE(fs::is_symlink(dir / "link2.html"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.html"));
    EXPECT_EQ(tv::readFileBytes(file("real/t.html")), "new");
    struct stat st {};
    ::stat(file("real/t.html").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0604u);
}

TEST_F(FileWriting, FailureLeavesTheOldFileWhole) {
    put(file("keep.html"), "precious");
    EXPECT_THROW(tv::writeFileAtomically(file("missing/keep.html"), "x"), tv::FileError);
    fs::create_directories(dir / "adir");
    try {
        tv::writeFileAtomically(file("adir"), "x");
        FAIL() << "writing over a folder succeeded";
    } catch (const tv::FileError& e) {
        EXPECT_NE(std::string(e.what()).find("Is a directory"), std::string::npos);
    }
    EXPECT_TRUE(fs::is_directory(dir / "adir"));
    EXPECT_EQ(tv::readFileBytes(file("keep.html")), "precious");
}

TEST_F(FileWriting, ReadingAMissingFileNamesIt) {
    try {
        tv::readFileBytes(file("nope.html"));
        FAIL() << "no error";
    } catch (const tv::FileError& e) {
        EXPECT_NE(std::string(e.what()).find("nope.html"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos);
    }
    // A file that opens but cannot be read is an error too, not an empty text.
    EXPECT_THROW(tv::readFileBytes("/proc/self/mem"), tv::FileError);
    put(file("empty.html"), "");
    EXPECT_EQ(tv::readFileBytes(file("empty.html")), "");
    EXPECT_THROW(tv::readFileBytes(dir.string()), tv::FileError);
}

} // namespace
