#include "app/browsers.h"

#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tv {

std::string browserCaption(const std::string& entry) { return entry.substr(0, entry.find('|')); }

std::string browserPath(const std::string& entry) {
    const std::size_t bar = entry.find('|');
    return bar == std::string::npos ? entry : entry.substr(bar + 1);
}

std::string findOnPath(const std::string& program, const std::string& pathVariable) {
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        std::size_t end = pathVariable.find(':', start);
        if (end == std::string::npos) end = pathVariable.size();
        const std::string folder = pathVariable.substr(start, end - start);
        if (!folder.empty()) {
            const std::filesystem::path p = std::filesystem::path(folder) / program;
            std::error_code ec;
            if (std::filesystem::is_regular_file(p, ec)) {
#ifndef _WIN32
                if (::access(p.c_str(), X_OK) == 0) return p.string();
#else
                return p.string();
#endif
            }
        }
        start = end + 1;
    }
    return {};
}

std::vector<std::string> FindBrowsers(const std::string& pathVariable) {
    static const std::pair<const char*, const char*> kKnown[] = {
        {"Firefox", "firefox"},          {"Firefox ESR", "firefox-esr"}, {"Chromium", "chromium"},
        {"Google Chrome", "google-chrome"}, {"Epiphany", "epiphany"},    {"Falkon", "falkon"},
        {"Konqueror", "konqueror"},      {"Opera", "opera"},             {"Lynx", "lynx"},
    };
    std::vector<std::string> out;
    for (const auto& [caption, program] : kKnown) {
        const std::string path = findOnPath(program, pathVariable);
        if (!path.empty()) out.push_back(std::string(caption) + "|" + path);
    }
    return out;
}

DdeRequests ddeRequests(const std::string& browserPath, const std::string& fileName) {
    std::string upper = browserPath;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    DdeRequests r;
    if (upper.find("NETSCAPE") != std::string::npos) r.service = "NETSCAPE";
    else if (upper.find("IEXPLORE") != std::string::npos) r.service = "IExplore";
    else return r;
    r.openItem = "\"" + fileName + "\",,0xFFFFFFFF";
    r.activateItem = "0xFFFFFFFF,0x0";
    return r;
}

std::string normalizeExtension(const std::string& typed) {
    std::string e = typed;
    if (!e.empty() && e.front() == '.') e.erase(0, 1);
    for (char& c : e)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return e;
}

int nextNewFilesMode(int current) { return current == 2 ? 0 : (current < 2 ? current + 1 : 0); }

} // namespace tv
