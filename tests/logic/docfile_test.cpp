#include "base/docfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
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

ino_t inodeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

TEST_F(FileWriting, DocumentsAreReplacedOrRewrittenAsTheFileRequires) {
    struct Case {
        const char* name;
        std::function<void()> setUp;  // makes dir/t.html
        tv::WriteWay way;
        bool sameInode;
    };
    const std::string t = file("t.html");
    const Case cases[] = {
        {"no file yet", [] {}, tv::WriteWay::New, false},
        {"a plain file of ours", [&] { put(t, "old"); }, tv::WriteWay::Rename, false},
        {"a second hard link", [&] { put(t, "old"); fs::create_hard_link(t, dir / "other.html"); },
         tv::WriteWay::InPlace, true},
        {"through a link to a linked file",
         [&] { put(file("real.html"), "old"); fs::create_hard_link(file("real.html"), dir / "other.html");
               fs::create_symlink("real.html", t); },
         tv::WriteWay::InPlace, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        c.setUp();
        const ino_t before = inodeOf(t);
        EXPECT_EQ(tv::documentWriteWay(t), c.way);
        tv::writeDocumentFile(t, "new text");
        EXPECT_EQ(tv::readFileBytes(t), "new text");
        if (c.sameInode) {
            EXPECT_EQ(inodeOf(t), before);
        }
        if (fs::exists(dir / "other.html")) {
            EXPECT_EQ(tv::readFileBytes(file("other.html")), "new text");
        }
        // Nothing is left beside the file: no temporary, no kept copy.
        for (const auto& e : fs::directory_iterator(dir))
            EXPECT_EQ(e.path().filename().string().find(".taviron"), std::string::npos) << e.path();
    }
}

TEST_F(FileWriting, AFileWithExtendedAttributesIsRewrittenInPlace) {
    const std::string t = file("x.html");
    put(t, "old");
    if (::setxattr(t.c_str(), "user.taviron", "1", 1, 0) != 0) GTEST_SKIP() << "no user attributes here";
    EXPECT_EQ(tv::documentWriteWay(t), tv::WriteWay::InPlace);
    tv::writeDocumentFile(t, "new");
    char value[4] = {};
    EXPECT_EQ(::getxattr(t.c_str(), "user.taviron", value, sizeof value), 1);
    EXPECT_EQ(tv::readFileBytes(t), "new");
}

TEST_F(FileWriting, AReadOnlyFileIsNeverReplaced) {
    const std::string t = file("page.html");
    put(t, "kept");
    ::chmod(t.c_str(), 0444);
    try {
        tv::writeDocumentFile(t, "lost");
        FAIL() << "a read-only file was written";
    } catch (const tv::ReadOnlyError& e) {
        EXPECT_STREQ(e.what(), "page.html is read-only.");
    }
    EXPECT_EQ(tv::readFileBytes(t), "kept");
    try {
        tv::writeSiteFileBytes("lost", t);
        FAIL() << "a read-only file was written";
    } catch (const tv::ReadOnlyError& e) {
        EXPECT_STREQ(e.what(), "page.html is read-only.");
    }
}

// Runs `body` in a child process as the user "nobody" when the tests run as
// the super user (who may do everything these cases need refused), else as
// ourselves; gives what the body returned (0: all well), 98 when it did not
// end by itself.
int asOrdinaryUser(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// New files follow the umask (a web server must be able to read a new page);
// a replaced or rewritten file keeps every bit of its mode, also the
// set-group bit of a shared site folder's files, which a write by an
// ordinary user clears.
TEST_F(FileWriting, NewFilesFollowTheUmaskAndSavesKeepSpecialBits) {
    fs::create_directories(dir / "mine");
    ::chmod((dir / "mine").c_str(), 0777);
    ::chmod(dir.c_str(), 0755);
    const std::string base = file("mine/");
    EXPECT_EQ(asOrdinaryUser([&] {
        struct Case { const char* name; mode_t mask; mode_t mode; bool linked; };
        const Case cases[] = {
            {"new.html", 022, 0, false},          {"private.html", 027, 0, false},
            {"shared.html", 022, 02775, false},   {"sticky.html", 022, 01644, false},
            {"suid.cgi", 022, 04755, false},      {"linked.cgi", 022, 04755, true},
        };
        int failed = 0;
        for (int i = 0; i < 6; ++i) {
            const Case& c = cases[i];
            const std::string path = base + c.name;
            if (c.mode) {
                put(path, "old");
                ::chmod(path.c_str(), c.mode);
                if (c.linked && ::link(path.c_str(), (path + ".2").c_str()) != 0) failed |= 1 << i;
            }
            ::umask(c.mask);
            tv::writeDocumentFile(path, "new");
            const mode_t want = c.mode ? c.mode : 0666 & ~c.mask;
            if (modeOf(path) != want || tv::readFileBytes(path) != "new") failed |= 1 << i;
        }
        return failed;
    }), 0) << "bit i set: case i lost its mode";
}

// A write that fails half-way (here: past the file-size limit) leaves the old
// text on disk, whichever way the file is written, and nothing beside it.
TEST_F(FileWriting, AFailedWriteLeavesTheOldText) {
    const std::string old(50, 'o');
    const std::string bigger(300, 'n');
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "rewritten in place" : "replaced");
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string t = file("t.html");
        put(t, old);
        if (linked) fs::create_hard_link(t, dir / "other.html");
        ASSERT_EQ(tv::documentWriteWay(t), linked ? tv::WriteWay::InPlace : tv::WriteWay::Rename);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const struct rlimit limit = {100, 100};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            try {
                tv::writeDocumentFile(t, bigger);
            } catch (const tv::FileError& e) {
                ::_exit(std::string(e.what()).find("too large") != std::string::npos ? 0 : 2);
            }
            ::_exit(1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failure was not reported";
        EXPECT_EQ(tv::readFileBytes(t), old);
        for (const auto& e : fs::directory_iterator(dir))
            EXPECT_EQ(e.path().filename().string().find(".taviron"), std::string::npos) << e.path();
    }
}

TEST_F(FileWriting, FilesTheUserCannotRenameOverAreWrittenInPlace) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs to hand files to another user";
    // A writable file in a folder the user may not write.
    fs::create_directories(dir / "locked");
    const std::string inLocked = file("locked/a.html");
    put(inLocked, "old");
    ASSERT_EQ(::chown(inLocked.c_str(), 65534, 65534), 0);
    ::chmod((dir / "locked").c_str(), 0755);
    // A file of another owner that the user may write, in a folder it may write.
    fs::create_directories(dir / "shared");
    ::chmod((dir / "shared").c_str(), 0777);
    const std::string foreign = file("shared/b.html");
    put(foreign, "old");
    ::chmod(foreign.c_str(), 0666);
    ::chmod(dir.c_str(), 0755);
    // A file of its own in a folder of its own is replaced.
    fs::create_directories(dir / "own");
    ASSERT_EQ(::chown((dir / "own").c_str(), 65534, 65534), 0);
    const std::string own = file("own/c.html");
    EXPECT_EQ(asOrdinaryUser([&] {
        put(own, "old");
        if (tv::documentWriteWay(own) != tv::WriteWay::Rename) return 4;
        if (tv::documentWriteWay(inLocked) != tv::WriteWay::InPlace) return 1;
        if (tv::documentWriteWay(foreign) != tv::WriteWay::InPlace) return 2;
        tv::writeDocumentFile(inLocked, "new");
        tv::writeDocumentFile(foreign, "new");
        return tv::readFileBytes(inLocked) == "new" && tv::readFileBytes(foreign) == "new" ? 0 : 3;
    }), 0);
    struct stat st {};
    ::stat(foreign.c_str(), &st);
    EXPECT_EQ(st.st_uid, 0u);  // the owner stays
    EXPECT_EQ(tv::readFileBytes(foreign), "new");
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
