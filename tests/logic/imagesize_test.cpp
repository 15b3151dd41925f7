#include "editor/imagesize.h"

#include "base/docfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string bytes(std::initializer_list<int> b) {
    std::string s;
    for (int c : b) s += static_cast<char>(c);
    return s;
}

class ImageSize : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("taviron-images-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string put(const std::string& name, const std::string& data) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << data;
        return path;
    }
    fs::path dir;
};

TEST_F(ImageSize, HeadersOfEachKind) {
    const std::string screen = "GIF89a" + bytes({0x40, 0, 0x30, 0});
    const std::string png = bytes({137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13}) + "IHDR" +
                            bytes({0, 0, 0, 100, 0, 0, 0, 50, 8, 2, 0, 0, 0});
    const std::string app0 = bytes({0xFF, 0xE0, 0, 4, 'J', 'F'});
    struct Case {
        const char* name;
        std::string data;
        int width, height;
    } cases[] = {
        // No global colour table: the descriptor follows the screen at once.
        {"plain.gif", screen + bytes({0, 0, 0}) + bytes({0x2C, 0, 0, 0, 0, 7, 0, 9, 0}), 7, 9},
        // A table of 2 colours (6 bytes) holding 0x2C must be passed over.
        {"table.gif", screen + bytes({0x80, 0, 0}) + bytes({0x2C, 0x2C, 0x2C, 0, 0, 0}) +
                          bytes({0x2C, 0, 0, 0, 0, 0x10, 1, 2, 0}), 272, 2},
        {"cut.gif", screen + bytes({0, 0, 0, 0x2C, 0, 0}), 0, 0},
        {"fake.gif", "GIT89a1234567", 0, 0},
        {"pic.png", png, 100, 50},
        {"short.png", png.substr(0, 19), 0, 0},
        // 100000 x 70000: the whole 32 bits, not their low 16.
        {"huge.png", bytes({137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13}) + "IHDR" +
                         bytes({0, 1, 0x86, 0xA0, 0, 1, 0x11, 0x70, 8, 2, 0, 0, 0}),
         100000, 70000},
        {"PHOTO.JPG", bytes({0xFF, 0xD8}) + app0 + bytes({0xFF, 0xFF, 0xD0, 0xFF, 0xC0, 0, 17, 8, 0, 60, 1, 0x40}),
         320, 60},
        {"prog.jpeg", bytes({0xFF, 0xD8}) + bytes({0xFF, 0xC2, 0, 17, 8, 0, 60, 1, 0x40}) + std::string(20, '\0'), 0, 0},
        {"loop.jpg", bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 0}), 0, 0},
        {"notes.txt", "GIF89a", 0, 0},
    };
    for (const Case& c : cases) {
        std::uint32_t w = 0, h = 0;
        tv::ReadImageSize(put(c.name, c.data), w, h);
        EXPECT_EQ(w, c.width) << c.name;
        EXPECT_EQ(h, c.height) << c.name;
    }
    std::uint32_t w = 0, h = 0;
    tv::ReadImageSize((dir / "gone.gif").string(), w, h);
    EXPECT_EQ(w + h, 0);
    EXPECT_THROW(tv::ReadImageSize((dir / "gone.png").string(), w, h), tv::FileError);
}

TEST_F(ImageSize, DroppedFilesBecomeLinksOrSizedImages) {
    const std::string png = put("pic.png", bytes({137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13}) + "IHDR" +
                                               bytes({0, 0, 0, 100, 0, 0, 0, 50}));
    const std::vector<std::string> text{"html", "txt"};
    auto markup = [&](const std::string& file, const std::string& ref) {
        const tv::DropMarkup m = tv::droppedFileMarkup(file, ref, text);
        return m.start + "|" + m.end;
    };
    EXPECT_EQ(markup(put("page.html", "x"), "page.html"), "<A HREF=\"page.html\">|</A>");
    EXPECT_EQ(markup(png, "img/pic.png"), "<IMG SRC=\"img/pic.png\" WIDTH=100 HEIGHT=50>|");
    EXPECT_EQ(markup(put("odd.gif", "nothing"), "odd.gif"), "<IMG SRC=\"odd.gif\">|");
}

} // namespace
