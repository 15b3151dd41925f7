#include "spell/spellwalk.h"

#include "text/utf8.h"

#include <hunspell/hunspell.hxx>

#include <algorithm>
#include <filesystem>

namespace tv {

std::string SpellOptions::encode() const {
    std::string s;
    for (bool b : {upcase, numbers, html, internet, quoted, autoSuggest, primaryOnly, recheck, repeated, dualCaps})
        s += b ? '1' : '0';
    return s;
}

SpellOptions SpellOptions::decode(const std::string& text) {
    SpellOptions o;
    bool* fields[] = {&o.upcase, &o.numbers, &o.html, &o.internet, &o.quoted, &o.autoSuggest, &o.primaryOnly,
                      &o.recheck, &o.repeated, &o.dualCaps};
    for (std::size_t i = 0; i < std::size(fields) && i < text.size(); ++i) *fields[i] = text[i] == '1';
    return o;
}

namespace {

// The length in bytes of the word character at `i` (letters of any
// alphabet, digits, the apostrophe and the dictionary's own word
// characters); 0 when there is none there.
int wordCharAt(std::string_view text, int i, const std::string& extra) {
    std::size_t k = static_cast<std::size_t>(i);
    const char32_t c = nextCodePoint(text, k);
    const int length = static_cast<int>(k) - i;
    if (isLetter(c) || (c >= '0' && c <= '9') || c == '\'') return length;
    if (c == 0xFFFD || extra.empty()) return 0;
    return extra.find(text.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(length))) != std::string::npos
               ? length
               : 0;
}

// Whether the character that ends at `i` is a word character.
bool wordCharBefore(std::string_view text, int i, const std::string& extra) {
    if (i <= 0) return false;
    std::size_t k = static_cast<std::size_t>(i);
    previousCodePoint(text, k);
    return wordCharAt(text, static_cast<int>(k), extra) == i - static_cast<int>(k);
}

bool isAddressEnd(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '<' || c == '>' || c == '"' || c == '\'' ||
           c == '(' || c == ')';
}

bool equalsNoCase(std::string_view a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != b[i]) return false;
    }
    return i == a.size() && !b[i];
}

} // namespace

std::optional<SpellWord> nextSpellWord(std::string_view text, int pos, int end, const SpellOptions& o,
                                       const std::string& extra, int& counted, const std::string& quoteChars) {
    end = std::min<int>(end, static_cast<int>(text.size()));
    int i = std::max(0, pos);
    // A section that starts inside a tag starts after it.
    if (o.html) {
        for (int k = i - 1; k >= 0; --k) {
            const char c = text[static_cast<std::size_t>(k)];
            if (c == '>') break;
            if (c == '<') {
                const std::size_t close = text.find('>', static_cast<std::size_t>(i));
                i = close == std::string_view::npos ? end : static_cast<int>(close) + 1;
                break;
            }
        }
    }
    while (i < end) {
        const char c = text[static_cast<std::size_t>(i)];
        // A quoted line: its first character is a quote character.
        if (o.quoted && !quoteChars.empty() && (i == 0 || text[static_cast<std::size_t>(i - 1)] == '\n') &&
            quoteChars.find(c) != std::string::npos) {
            while (i < end && text[static_cast<std::size_t>(i)] != '\n') ++i;
            continue;
        }
        if (o.html && c == '<') {
            const std::size_t close = text.find('>', static_cast<std::size_t>(i));
            i = close == std::string_view::npos ? end : static_cast<int>(close) + 1;
            continue;
        }
        if (wordCharAt(text, i, extra) == 0) {
            ++i;
            continue;
        }
        int j = i;
        while (j < end) {
            const int n = wordCharAt(text, j, extra);
            if (n == 0 || j + n > end) break;
            j += n;
        }
        // Prefix and suffix the checker ignores: "'" in front, "'" or "'s" at the end.
        int ws = i, we = j;
        while (ws < we && text[static_cast<std::size_t>(ws)] == '\'') ++ws;
        if (we - ws >= 2 && text[static_cast<std::size_t>(we - 2)] == '\'' &&
            (text[static_cast<std::size_t>(we - 1)] == 's' || text[static_cast<std::size_t>(we - 1)] == 'S'))
            we -= 2;
        while (we > ws && text[static_cast<std::size_t>(we - 1)] == '\'') --we;
        const std::string_view word = text.substr(static_cast<std::size_t>(ws), static_cast<std::size_t>(we - ws));
        const char after = j < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(j)] : '\0';
        if (o.internet && (after == '@' || (after == ':' && (equalsNoCase(word, "http") || equalsNoCase(word, "ftp") ||
                                                           equalsNoCase(word, "news"))))) {
            // An address: taken up to the next separator and not looked up.
            while (j < end && !isAddressEnd(text[static_cast<std::size_t>(j)])) ++j;
            i = j;
            continue;
        }
        i = j;
        if (word.empty()) continue;
        ++counted;
        const bool hasDigit = std::any_of(word.begin(), word.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
        bool hasLower = false;
        for (std::size_t k = 0; k < word.size() && !hasLower;) {
            const char32_t ch = nextCodePoint(word, k);
            hasLower = upperOf(ch) != ch || ch == 0xDF;
        }
        bool repeated = false;
        if (o.repeated) {
            // The same word just before, with only blanks between; letter
            // case aside ("The the").
            int k = ws - 1;
            while (k >= 0 && (text[static_cast<std::size_t>(k)] == ' ' || text[static_cast<std::size_t>(k)] == '\t')) --k;
            const int prevEnd = k + 1;
            int prevStart = prevEnd;
            while (wordCharBefore(text, prevStart, extra)) {
                std::size_t p = static_cast<std::size_t>(prevStart);
                previousCodePoint(text, p);
                prevStart = static_cast<int>(p);
            }
            repeated = prevEnd < ws && prevStart < prevEnd &&
                       upperText(text.substr(static_cast<std::size_t>(prevStart),
                                             static_cast<std::size_t>(prevEnd - prevStart))) == upperText(word);
        }
        if (repeated) return SpellWord{ws, we - ws, true, j};
        if (hasDigit && !o.numbers) continue;
        if (!hasLower && !o.upcase) continue;
        return SpellWord{ws, we - ws, false, j};
    }
    return std::nullopt;
}

int wordStartAt(std::string_view text, int pos) {
    pos = std::clamp(pos, 0, static_cast<int>(text.size()));
    if (pos == static_cast<int>(text.size()) || wordCharAt(text, pos, "") == 0)
        return pos;  // at the end of a word or between words
    while (wordCharBefore(text, pos, "")) {
        std::size_t k = static_cast<std::size_t>(pos);
        previousCodePoint(text, k);
        pos = static_cast<int>(k);
    }
    return pos;
}

namespace {

// Words go to Hunspell in its dictionary's encoding: UTF-8, or for the
// older dictionaries ISO 8859-1 (a word with other characters is unknown).
class HunspellDictionary final : public Dictionary {
public:
    HunspellDictionary(const std::string& aff, const std::string& dic)
        : h_(aff.c_str(), dic.c_str()), latin1_(h_.get_dict_encoding().rfind("ISO8859-1", 0) == 0 ||
                                                h_.get_dict_encoding().rfind("ISO-8859-1", 0) == 0) {}
    bool check(const std::string& word) override {
        const auto w = toDictionary(word);
        return w && h_.spell(*w);
    }
    std::vector<std::string> suggest(const std::string& word, std::size_t max) override {
        const auto w = toDictionary(word);
        if (!w) return {};
        std::vector<std::string> s = h_.suggest(*w);
        if (s.size() > max) s.resize(max);
        for (std::string& one : s) one = fromDictionary(one);
        return s;
    }
    void add(const std::string& word) override {
        if (const auto w = toDictionary(word)) h_.add(*w);
    }
    std::string wordChars() const override { return fromDictionary(h_.get_wordchars_cpp()); }

private:
    std::optional<std::string> toDictionary(const std::string& utf8) const {
        if (!latin1_) return utf8;
        std::string out;
        for (std::size_t i = 0; i < utf8.size();) {
            const char32_t c = nextCodePoint(utf8, i);
            if (c > 0xFF) return std::nullopt;
            out += static_cast<char>(c);
        }
        return out;
    }
    std::string fromDictionary(const std::string& text) const {
        if (!latin1_) return text;
        std::string out;
        for (char c : text) appendUtf8(out, static_cast<unsigned char>(c));
        return out;
    }

    mutable Hunspell h_;
    bool latin1_;
};

} // namespace

std::unique_ptr<Dictionary> openHunspell(const std::string& affPath, const std::string& dicPath) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(affPath, ec) || !std::filesystem::is_regular_file(dicPath, ec)) return nullptr;
    return std::make_unique<HunspellDictionary>(affPath, dicPath);
}

std::vector<std::string> dictionaryFolders() { return {"/usr/share/hunspell", "/usr/share/myspell/dicts"}; }

std::vector<std::string> availableDictionaries() {
    std::vector<std::string> out;
    for (const std::string& folder : dictionaryFolders()) {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
            if (e.path().extension() != ".dic") continue;
            const std::string name = e.path().stem().string();
            if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(name);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::pair<std::string, std::string> dictionaryFiles(const std::string& name) {
    std::vector<std::string> candidates{name};
    if (name == "english.dct" || name.empty()) candidates = {"en_US", "en_GB", "en"};
    for (const std::string& folder : dictionaryFolders()) {
        for (const std::string& c : candidates) {
            const std::string aff = folder + "/" + c + ".aff", dic = folder + "/" + c + ".dic";
            std::error_code ec;
            if (std::filesystem::is_regular_file(aff, ec) && std::filesystem::is_regular_file(dic, ec)) return {aff, dic};
        }
    }
    return {};
}

} // namespace tv
