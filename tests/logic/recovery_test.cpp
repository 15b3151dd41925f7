#include "app/recovery.h"

#include <gtest/gtest.h>

namespace {

TEST(Journal, EveryEntryComesBackAsItWasWritten) {
    const tv::JournalEntry entries[] = {
        {"/home/ann/site/index.html", "Windows-1252", tv::LineEnds::Lf, "<P>caf\xE9\r\nnew line\r\n"},
        {"Untitled 3", "Windows-1252", tv::LineEnds::CrLf, ""},
        {"/a: b/with: colons.html", "Windows-1252", tv::LineEnds::AsIs, std::string("nul\0byte\rlone cr\n", 18)},
        {"/x.html", "Windows-1252", tv::LineEnds::Lf, std::string(1 << 20, 'x')},
    };
    for (const tv::JournalEntry& e : entries) {
        SCOPED_TRACE(e.fileName);
        const auto back = tv::decodeJournal(tv::encodeJournal(e));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->fileName, e.fileName);
        EXPECT_EQ(back->encoding, e.encoding);
        EXPECT_EQ(back->lineEnds, e.lineEnds);
        EXPECT_EQ(back->text, e.text);
    }
}

TEST(Journal, DamagedFilesAreRefused) {
    const std::string good = tv::encodeJournal({"/p.html", "Windows-1252", tv::LineEnds::Lf, "text"});
    const std::string damaged[] = {
        "",
        good.substr(0, good.size() - 1),  // cut short
        good + "more",                    // longer than it says
        "Taviron recovery 2\n" + good.substr(19),
        "Taviron recovery 1\nfile: /p.html\nline-ends: LF\nlength: 4x\n\ntext",
        "Taviron recovery 1\nfile: /p.html\nline-ends: sideways\nlength: 4\n\ntext",
        "Taviron recovery 1\nline-ends: LF\nlength: 4\n\ntext",  // no file name
        "Taviron recovery 1\nfile: /p.html\nline-ends: LF\nlength: 4\ntext",  // no empty line
    };
    for (const std::string& d : damaged) EXPECT_FALSE(tv::decodeJournal(d)) << d;
    // Lines of a later version are passed over.
    EXPECT_TRUE(tv::decodeJournal("Taviron recovery 1\nfile: /p.html\ncolour: blue\nline-ends: LF\nlength: 0\n\n"));
}

TEST(Journal, FileNamesAndOwners) {
    EXPECT_EQ(tv::journalFileName("123-ab12", 4), "123-ab12-4.journal");
    EXPECT_EQ(tv::journalOwner("123-ab12-4.journal"), "123-ab12");
    for (const char* notOurs : {"x.journal", "-4.journal", "abc-.journal", "abc-4x.journal", "abc-4.txt", ".journal"})
        EXPECT_EQ(tv::journalOwner(notOurs), "") << notOurs;
    EXPECT_EQ(tv::recoverQuestion(1), "Taviron did not close normally. Recover 1 unsaved document?");
    EXPECT_EQ(tv::recoverQuestion(3), "Taviron did not close normally. Recover 3 unsaved documents?");
}

} // namespace
