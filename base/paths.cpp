#include "base/paths.h"

#include <algorithm>

#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#else
#include <cstdlib>
#endif

namespace fs = std::filesystem;

namespace tv {

namespace {
#ifdef _WIN32
constexpr bool kBackslashSeparates = true;
#else
constexpr bool kBackslashSeparates = false;  // a backslash is part of a name
#endif
bool isSeparator(char c) { return c == '/' || (kBackslashSeparates && c == '\\'); }
} // namespace

std::string ExpandLongPath(const std::string& name, const std::string& cwd) {
    if (name.empty()) return name;
    fs::path p(name);
    if (!p.is_absolute()) p = fs::path(cwd) / p;
    std::string out = p.lexically_normal().string();
    // "/a/b/" names the folder b; keep names of files free of a trailing
    // separator, but never strip the root itself.
    while (out.size() > 1 && isSeparator(out.back())) out.pop_back();
    return out;
}

std::string fileNameOnly(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (isSeparator(path[i - 1])) return std::string(path.substr(i));
    return std::string(path);
}

std::string folderOf(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (isSeparator(path[i - 1])) return std::string(path.substr(0, i == 1 ? 1 : i - 1));
    return {};
}

std::string lowerExtension(std::string_view path) {
    const std::string name = fileNameOnly(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    std::string ext = name.substr(dot);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return ext;
}

bool sameFileName(std::string_view a, std::string_view b) { return a == b; }

bool folderExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

std::string programFolder() {
    std::string dir;
    if (const char* home = std::getenv("TAVIRON_HOME"); home && *home) {
        dir = home;
    } else if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        dir = std::string(data) + "/Taviron";
    } else if (const char* h = std::getenv("HOME"); h && *h) {
        dir = std::string(h) + "/.local/share/Taviron";
    } else {
        dir = ".";
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    return dir;
}

std::string registeredOwner() {
#ifndef _WIN32
    if (const passwd* pw = ::getpwuid(::getuid())) {
        std::string gecos = pw->pw_gecos ? pw->pw_gecos : "";
        gecos = gecos.substr(0, gecos.find(','));
        if (!gecos.empty()) return gecos;
        if (pw->pw_name) return pw->pw_name;
    }
    return {};
#else
    const char* u = std::getenv("USERNAME");
    return u ? u : "";
#endif
}

} // namespace tv
