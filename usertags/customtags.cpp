#include "usertags/customtags.h"

#include "text/entities.h"
#include "base/docfile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tv {

std::string codeLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\r') out += "%0D";
        else if (c == '\n') out += "%0A";
        else out += c;
    }
    return out;
}

std::string decodeLineBreaks(const std::string& text) {
    std::string out = text;
    ReplaceAll("%0D", "\r", out, true);
    ReplaceAll("%0A", "\n", out, true);
    return out;
}

bool CustomTagSet::setTitle(const std::string& t) {
    if (t == title) return false;
    title = t;
    changed = true;
    return true;
}

void CustomTagSet::InsertTag(int position, const UserTag& tag) {
    const auto at = static_cast<std::size_t>(std::clamp(position, 0, static_cast<int>(tags.size())));
    tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(at), tag);
    changed = true;
}

void CustomTagSet::ChangeTag(int position, const UserTag& tag) {
    if (position < 0 || position >= static_cast<int>(tags.size())) return;
    tags[static_cast<std::size_t>(position)] = tag;
    changed = true;
}

void CustomTagSet::DeleteTag(int position) {
    if (position < 0 || position >= static_cast<int>(tags.size())) return;
    tags.erase(tags.begin() + position);
    changed = true;
}

void CustomTagSet::MoveTag(int from, int to) {
    const int n = static_cast<int>(tags.size());
    if (from < 0 || to < 0 || from >= n || to >= n || from == to) return;
    UserTag moving = tags[static_cast<std::size_t>(from)];
    tags.erase(tags.begin() + from);
    tags.insert(tags.begin() + to, std::move(moving));
    changed = true;
}

std::string CustomTagSet::path() const { return (std::filesystem::path(folder) / fileName).string(); }

void CustomTagSet::LoadTags() {
    tags.clear();
    changed = false;
    if (fileName.empty()) return;
    std::error_code ec;
    if (!std::filesystem::exists(path(), ec)) return;
    const LoadedText loaded = readSiteText(path());
    encoding = loaded.encoding;
    parseTagSet(loaded.text, title, tags);
    changed = false;
}

void CustomTagSet::SaveTags() {
    if (fileName.empty() || !changed) return;
    writeSiteText(serializeTagSet(title, tags), encoding, path());
    changed = false;
}

std::string serializeTagSet(const std::string& title, const std::vector<UserTag>& tags) {
    std::string s = title + "\r\n";
    for (const UserTag& t : tags) s += "N=" + t.name + "\r\nS=" + t.start + "\r\nC=" + t.close + "\r\n~\r\n";
    return s;
}

void parseTagSet(const std::string& text, std::string& title, std::vector<UserTag>& tags) {
    tags.clear();
    if (text.empty()) return;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    title = lines[0];
    auto field = [](const std::string& line) { return line.size() > 2 ? line.substr(2) : std::string(); };
    std::size_t i = 1;
    while (i < lines.size()) {
        UserTag tag;
        for (; i < lines.size() && lines[i] != "~"; ++i) {
            const std::string& l = lines[i];
            if (l.empty()) continue;
            if (l[0] == 'N') tag.name = field(l).substr(0, 255);
            else if (l[0] == 'S') tag.start = field(l);
            else if (l[0] == 'C') tag.close = field(l);
        }
        tags.push_back(std::move(tag));
        ++i;  // past the "~"
    }
}

std::optional<std::string> ExpandTagText(const std::string& coded, const MacroContext& context,
                                         const std::function<std::optional<std::string>(const std::string&)>& ask) {
    std::string text = decodeLineBreaks(coded);
    ApplyMacros(text, false, "", "", context);
    const std::string opening = "$$?=\"";
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(opening, from);
        if (at == std::string::npos) break;
        const std::size_t promptStart = at + opening.size();
        const std::size_t quote = text.find('"', promptStart);
        // A prompt needs at least one character and its closing quote.
        if (quote == std::string::npos || quote == promptStart) {
            from = at + 1;
            continue;
        }
        const std::optional<std::string> answer = ask(text.substr(promptStart, quote - promptStart));
        if (!answer) return std::nullopt;
        text.replace(at, quote + 1 - at, *answer);
        // Earlier prompts are all answered; an answer is taken as typed,
        // even when it looks like a prompt itself.
        from = at + answer->size();
    }
    return text;
}

std::vector<std::string> elementNamesOf(const std::vector<UserTag>& tags) {
    std::vector<std::string> names;
    for (const UserTag& t : tags) {
        const std::string start = decodeLineBreaks(t.start);
        const std::size_t lt = start.find_first_not_of(" \t\r\n");
        if (lt == std::string::npos || start[lt] != '<' || lt + 1 >= start.size()) continue;
        std::size_t end = lt + 1;
        while (end < start.size() && (std::isalnum(static_cast<unsigned char>(start[end])) || start[end] == '-')) ++end;
        if (end == lt + 1 || !std::isalpha(static_cast<unsigned char>(start[lt + 1]))) continue;
        std::string name = start.substr(lt + 1, end - lt - 1);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
    return names;
}

} // namespace tv
