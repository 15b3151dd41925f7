#include "spell/spellwalk.h"

#include <gtest/gtest.h>

namespace {

// The words a walk stops at, in order.
std::vector<std::string> words(std::string_view text, tv::SpellOptions o = {}, int start = 0) {
    std::vector<std::string> out;
    int pos = start, counted = 0;
    while (auto w = tv::nextSpellWord(text, pos, static_cast<int>(text.size()), o, "", counted)) {
        out.emplace_back(text.substr(static_cast<std::size_t>(w->start), static_cast<std::size_t>(w->length)));
        if (w->repeated) out.back() += "(again)";
        pos = w->next;
    }
    return out;
}

using W = std::vector<std::string>;

TEST(SpellWalk, PassesOverTagsAcrossLines) {
    EXPECT_EQ(words("<p>Ths is a tst</p>"), (W{"Ths", "is", "a", "tst"}));
    EXPECT_EQ(words("a <A\r\nHREF=\"x y\">b</A>"), (W{"a", "b"}));
    EXPECT_EQ(words("<p>x", {}, 1), (W{"x"}));  // a section starting inside a tag starts after it
    tv::SpellOptions tags;
    tags.html = false;
    EXPECT_EQ(words("<b>x", tags), (W{"b", "x"}));
}

TEST(SpellWalk, AddressesUpperCaseNumbersAndRepeats) {
    EXPECT_EQ(words("mail me@example.com or http://x.org/a b"), (W{"mail", "or", "b"}));
    EXPECT_EQ(words("NASA and R2D2 go"), (W{"and", "go"}));
    tv::SpellOptions all;
    all.upcase = all.numbers = true;
    EXPECT_EQ(words("NASA R2D2", all), (W{"NASA", "R2D2"}));
    EXPECT_EQ(words("the the end"), (W{"the", "the(again)", "end"}));
    // A repeat in other letter case is one; a word that only ends the same is not.
    EXPECT_EQ(words("The the end"), (W{"The", "the(again)", "end"}));
    EXPECT_EQ(words("Été été"), (W{"Été", "été(again)"}));
    EXPECT_EQ(words("bathe the"), (W{"bathe", "the"}));
    tv::SpellOptions noRepeats;
    noRepeats.repeated = false;
    EXPECT_EQ(words("the the", noRepeats), (W{"the", "the"}));
    EXPECT_EQ(words("'quoted' John's"), (W{"quoted", "John"}));
    // Letters beyond ASCII are letters of the word, in any alphabet.
    EXPECT_EQ(words("café naïve Ωmega straße — 中"), (W{"café", "naïve", "Ωmega", "straße"}));
    EXPECT_EQ(words("ÉTÉ chaud"), (W{"chaud"}));  // upper case only is passed over
    EXPECT_EQ(tv::wordStartAt("un café", 6), 3);
}

TEST(SpellWalk, CountsEveryWordWalked) {
    int counted = 0;
    const std::string t = "A B c d";
    int pos = 0;
    while (auto w = tv::nextSpellWord(t, pos, static_cast<int>(t.size()), {}, "", counted)) pos = w->next;
    EXPECT_EQ(counted, 4);
}

TEST(SpellWalk, WordStart) {
    EXPECT_EQ(tv::wordStartAt("one two", 5), 4);
    EXPECT_EQ(tv::wordStartAt("one two", 3), 3);  // after "one", before the blank
    EXPECT_EQ(tv::wordStartAt("one two", 0), 0);
    EXPECT_EQ(tv::wordStartAt("one two", 7), 7);
}

TEST(SpellOptions, EncodeDecode) {
    tv::SpellOptions o;
    o.upcase = true;
    o.html = false;
    const tv::SpellOptions back = tv::SpellOptions::decode(o.encode());
    EXPECT_TRUE(back.upcase);
    EXPECT_FALSE(back.html);
    EXPECT_TRUE(back.internet);
}

TEST(Hunspell, SystemEnglishDictionary) {
    EXPECT_EQ(tv::dictionaryFiles("no_such_dictionary").first, "");
    const auto [aff, dic] = tv::dictionaryFiles("english.dct");
    if (aff.empty()) GTEST_SKIP() << "no English dictionary: the package hunspell-en-us is not installed";
    auto d = tv::openHunspell(aff, dic);
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->check("This"));
    EXPECT_FALSE(d->check("Ths"));
    const auto s = d->suggest("tst", 25);
    EXPECT_NE(std::find(s.begin(), s.end(), "test"), s.end());
    EXPECT_LE(d->suggest("xyzzyq", 3).size(), 3u);
    d->add("Taviron");
    EXPECT_TRUE(d->check("Taviron"));
}

} // namespace
