// The spell checker's walk over document text, and its dictionaries.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// What the walk passes over and what it asks about.
struct SpellOptions {
    bool upcase = false;       // check words in UPPER CASE
    bool numbers = false;      // check words containing numbers
    bool html = true;          // pass over HTML tags
    bool internet = true;      // pass over URLs and e-mail addresses
    bool quoted = false;       // pass over quoted lines
    bool autoSuggest = true;
    bool primaryOnly = true;
    bool recheck = true;       // re-check replaced words
    bool repeated = true;      // ask about a word repeated
    bool dualCaps = false;

    std::string encode() const;
    static SpellOptions decode(const std::string& text);
};

struct SpellWord {
    int start = 0;
    int length = 0;
    bool repeated = false;  // the same word stands just before it
    int next = 0;           // where the walk goes on (after an ignored "'s" too)
};

// The next word to look up in [pos, end) of a document text (UTF-8).
// Tags, addresses, and words the options leave out are passed over; each
// word walked over is counted in `counted`. `extraWordChars` are further
// word characters (the dictionary's own).
std::optional<SpellWord> nextSpellWord(std::string_view text, int pos, int end, const SpellOptions& options,
                                       const std::string& extraWordChars, int& counted,
                                       const std::string& quoteChars = {});

// The start of the word that holds the character at `pos` (pos itself
// when that character is not a word character).
int wordStartAt(std::string_view text, int pos);

// A spelling dictionary: the main one and the user's added words.
class Dictionary {
public:
    virtual ~Dictionary() = default;
    // Words are UTF-8.
    virtual bool check(const std::string& word) = 0;
    virtual std::vector<std::string> suggest(const std::string& word, std::size_t max) = 0;
    virtual void add(const std::string& word) = 0;
    // Word characters the dictionary adds to the letters (UTF-8).
    virtual std::string wordChars() const = 0;
};

// A Hunspell dictionary from its .aff and .dic files; none when they cannot
// be read.
std::unique_ptr<Dictionary> openHunspell(const std::string& affPath, const std::string& dicPath);

// The folders where the system's dictionaries are installed.
std::vector<std::string> dictionaryFolders();
// The .dic files found there, without extension ("en_US").
std::vector<std::string> availableDictionaries();
// The .aff and .dic of a dictionary name; the default name "english.dct"
// stands for the system's English one. Empty when it is not installed.
std::pair<std::string, std::string> dictionaryFiles(const std::string& name);

} // namespace tv
