#include "usertags/customtags.h"

#include "base/docfile.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(CustomTags, FileReadingIsTolerant) {
    struct Case {
        std::string file, title;
        std::vector<tv::UserTag> tags;
    } cases[] = {
        {"", tv::CustomTagSet::kDefaultTitle, {}},
        {"Mine\r\nN=b\r\nS=<b>\r\nC=</b>\r\n~\r\nN=-\r\nS=\r\nC=\r\n~\r\n", "Mine", {{"b", "<b>", "</b>"}, {"-", "", ""}}},
        // Fields in any order, other lines ignored, the last record without "~".
        {"T\nC=</i>\nxx\nNXitalic\n~\nS=<u>", "T", {{"italic", "", "</i>"}, {"", "<u>", ""}}},
    };
    for (const Case& c : cases) {
        std::string title = tv::CustomTagSet::kDefaultTitle;
        std::vector<tv::UserTag> tags;
        tv::parseTagSet(c.file, title, tags);
        EXPECT_EQ(title, c.title);
        ASSERT_EQ(tags.size(), c.tags.size()) << c.file;
        for (std::size_t i = 0; i < tags.size(); ++i) {
            EXPECT_EQ(tags[i].name, c.tags[i].name);
            EXPECT_EQ(tags[i].start, c.tags[i].start);
            EXPECT_EQ(tags[i].close, c.tags[i].close);
        }
    }
}

TEST(CustomTags, SetIsSavedOnlyWhenChanged) {
    const fs::path dir = fs::temp_directory_path() / ("taviron-tags-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    tv::CustomTagSet set;
    set.fileName = "CUSTOM1.VOK";
    set.folder = dir.string();
    set.LoadTags();  // missing file: empty set, default title
    EXPECT_TRUE(set.tags.empty());
    set.SaveTags();
    EXPECT_FALSE(fs::exists(dir / "CUSTOM1.VOK"));
    set.InsertTag(0, {"two", tv::codeLineBreaks("<p>\r\n"), "</p>"});
    set.InsertTag(0, {"one", "a", "b"});
    set.MoveTag(0, 1);
    set.MoveTag(-1, 0);
    set.DeleteTag(5);
    set.ChangeTag(-1, {"x", "", ""});
    set.SaveTags();
    EXPECT_EQ(tv::readSiteFileBytes(set.path()), "Custom Tags\r\nN=two\r\nS=<p>%0D%0A\r\nC=</p>\r\n~\r\nN=one\r\nS=a\r\nC=b\r\n~\r\n");
    // Only the title changed: written again.
    EXPECT_FALSE(set.setTitle("Custom Tags"));
    EXPECT_TRUE(set.setTitle("Site"));
    set.SaveTags();
    tv::CustomTagSet again = set;
    again.LoadTags();
    EXPECT_EQ(again.title, "Site");
    EXPECT_EQ(tv::decodeLineBreaks(again.tags[0].start), "<p>\r\n");
    EXPECT_FALSE(again.changed);
    fs::remove_all(dir);
}

TEST(CustomTags, PromptsAreAskedInOrderAndCancelStops) {
    tv::MacroContext c;
    c.owner = "Ann";
    std::vector<std::string> asked;
    std::deque<std::optional<std::string>> answers;
    auto ask = [&](const std::string& p) {
        asked.push_back(p);
        auto a = answers.front();
        answers.pop_front();
        return a;
    };
    answers = {"100", "$$?=\"Width\""};
    EXPECT_EQ(tv::ExpandTagText("<img width=$$?=\"Width\" alt=\"$$?=\"Alt\"\" by #USERNAME#>%0D%0A", c, ask),
              "<img width=100 alt=\"$$?=\"Width\"\" by Ann>\r\n");
    EXPECT_EQ(asked, (std::vector<std::string>{"Width", "Alt"}));
    answers = {std::nullopt};
    EXPECT_EQ(tv::ExpandTagText("$$?=\"A\" $$?=\"B\"", c, ask), std::nullopt);
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(tv::ExpandTagText("$$?=\"\" kept", c, ask), "$$?=\"\" kept");
}

} // namespace
