#include "spell/spellwalk.h"

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

// Letters of Windows-1252 (ASCII letters, the accented letters and the few
// letters among 0x80-0x9F), digits and the apostrophe.
bool isWordByte(unsigned char c, const std::string& extra) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '\'') return true;
    if (c >= 0xC0 && c != 0xD7 && c != 0xF7) return true;
    if (c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F || c == 0x83) return true;
    return c >= 0x80 ? false : extra.find(static_cast<char>(c)) != std::string::npos;
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
        if (!isWordByte(static_cast<unsigned char>(c), extra)) {
            ++i;
            continue;
        }
        int j = i;
        while (j < end && isWordByte(static_cast<unsigned char>(text[static_cast<std::size_t>(j)]), extra)) ++j;
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
        for (char ch : word) hasLower = hasLower || (ch >= 'a' && ch <= 'z') || static_cast<unsigned char>(ch) >= 0xDF;
        bool repeated = false;
        if (o.repeated) {
            // The same word just before, with only blanks between.
            int k = ws - 1;
            while (k >= 0 && (text[static_cast<std::size_t>(k)] == ' ' || text[static_cast<std::size_t>(k)] == '\t')) --k;
            const int prevEnd = k + 1;
            const int prevStart = prevEnd - static_cast<int>(word.size());
            repeated = prevEnd < ws && prevStart >= 0 &&
                       text.substr(static_cast<std::size_t>(prevStart), word.size()) == word &&
                       (prevStart == 0 || !isWordByte(static_cast<unsigned char>(text[static_cast<std::size_t>(prevStart - 1)]), extra));
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
    if (pos == static_cast<int>(text.size()) || !isWordByte(static_cast<unsigned char>(text[static_cast<std::size_t>(pos)]), ""))
        return pos;  // at the end of a word or between words
    while (pos > 0 && isWordByte(static_cast<unsigned char>(text[static_cast<std::size_t>(pos - 1)]), "")) --pos;
    return pos;
}

namespace {

class HunspellDictionary final : public Dictionary {
public:
    HunspellDictionary(const std::string& aff, const std::string& dic) : h_(aff.c_str(), dic.c_str()) {}
    bool check(const std::string& word) override { return h_.spell(word); }
    std::vector<std::string> suggest(const std::string& word, std::size_t max) override {
        std::vector<std::string> s = h_.suggest(word);
        if (s.size() > max) s.resize(max);
        return s;
    }
    void add(const std::string& word) override { h_.add(word); }
    std::string wordChars() const override { return h_.get_wordchars_cpp(); }

private:
    Hunspell h_;
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
