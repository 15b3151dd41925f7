#include "files/filepane.h"


#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace tv {

namespace fs = std::filesystem;

namespace {
char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool lessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lower(x) < lower(y); });
}

// Wildcard match, letter case ignored; "*" any run, "?" one character.
bool wild(const char* p, const char* pe, const char* s, const char* se) {
    const char *starP = nullptr, *starS = nullptr;
    while (s != se) {
        if (p != pe && (*p == '?' || lower(*p) == lower(*s))) {
            ++p;
            ++s;
        } else if (p != pe && *p == '*') {
            starP = ++p;
            starS = s;
        } else if (starP) {
            p = starP;
            s = ++starS;
        } else {
            return false;
        }
    }
    while (p != pe && *p == '*') ++p;
    return p == pe;
}

bool matches(const std::string& mask, const std::string& name) {
    return wild(mask.data(), mask.data() + mask.size(), name.data(), name.data() + name.size());
}

bool matchOne(const std::string& name, const std::string& mask) {
    if (mask.empty()) return false;
    if (mask == "*.*" || matches(mask, name)) return true;
    // "*.htm" takes "page.html" too: a name whose extension is longer than
    // three letters is tried with it cut to three.
    const auto dot = mask.rfind('.');
    const auto nameDot = name.rfind('.');
    if (dot == std::string::npos || mask.size() - dot != 4 || mask.find_first_of("*?", dot) != std::string::npos ||
        nameDot == std::string::npos || name.size() - nameDot <= 4)
        return false;
    return matches(mask, name.substr(0, nameDot + 4));
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}
} // namespace

std::vector<FilterEntry> SplitFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::vector<FilterEntry> out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) out.push_back({parts[i], parts[i + 1]});
    return out;
}

bool MatchesMask(const std::string& fileName, const std::string& masks) {
    std::size_t start = 0;
    for (;;) {
        const auto semi = masks.find(';', start);
        if (matchOne(fileName, trim(masks.substr(start, semi == std::string::npos ? std::string::npos : semi - start))))
            return true;
        if (semi == std::string::npos) return false;
        start = semi + 1;
    }
}

std::vector<std::string> FolderFiles(const std::string& folder, const std::string& masks) {
    std::vector<std::string> out;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) return out;
    for (const fs::directory_entry& e : it) {
        std::error_code typeError;
        if (e.is_directory(typeError)) continue;
        std::string name = e.path().filename().string();
        if (MatchesMask(name, masks)) out.push_back(std::move(name));
    }
    std::sort(out.begin(), out.end(), lessNoCase);
    return out;
}

std::vector<DirListItem> DirListItems(const std::string& folder) {
    std::vector<DirListItem> out;
    std::string path = folder.empty() ? std::string("/") : folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    // The chain from the root down.
    out.push_back({"/", "/", 0, path == "/"});
    std::string sofar;
    std::size_t start = 1;
    int level = 1;
    while (start < path.size()) {
        const auto slash = path.find('/', start);
        const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (!part.empty()) {
            sofar += "/" + part;
            out.push_back({part, sofar, level++, false});
        }
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    out.back().current = true;
    // Its sub-folders; hidden ones stay hidden as in the desktop's file manager.
    std::vector<std::string> subs;
    std::error_code ec;
    fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, ec);
    if (!ec) {
        for (const fs::directory_entry& e : it) {
            std::error_code typeError;
            std::string name = e.path().filename().string();
            if (!name.empty() && name[0] != '.' && e.is_directory(typeError)) subs.push_back(std::move(name));
        }
    }
    std::sort(subs.begin(), subs.end(), lessNoCase);
    const std::string base = path == "/" ? std::string() : path;
    for (const std::string& s : subs) out.push_back({s, base + "/" + s, level, false});
    return out;
}

int FileListColumns(int width) { return width >= 266 ? 2 : 1; }

PaneView ListButtonStep(PaneView view) {
    if (!view.visible) return {true, 0};
    if (view.page == 0) return {true, 1};
    return {false, 0};
}

void SortNoCase(std::vector<std::string>& names) { std::stable_sort(names.begin(), names.end(), lessNoCase); }

} // namespace tv
